#pragma once
// Drag and drop of the grids: what a dragged QMimeData offers and its data, a drop target
// that decides acceptance and effects and hands the dropped data to hooks, a drop source
// with its hooks, and the routines that start a drag of text, cells or a column.
//
// Formats: text is "text/plain"; files and addresses come as "text/uri-list" (local files
// are files, anything else an address); rich text is "text/rtf" (8-bit, Windows-1252); a
// column and a block of grid cells travel in formats of our own:
//   MimeGridColumn: a signed 32-bit little-endian column number;
//   MimeGridCells:  the length N (32-bit little-endian), four zero bytes, then the N bytes
//                   of the grid cell stream.
#include <QByteArray>
#include <QMimeData>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

class QDrag;
class QWidget;

inline const QString MimeGridColumn = QStringLiteral("application/x-dazgrid-column");
inline const QString MimeGridCells = QStringLiteral("application/x-tdazstringgrid-cells");
inline const QString MimeRichText = QStringLiteral("text/rtf");

// Drop effects; the values are those of Qt::DropAction.
constexpr int DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4;
// Results of a drag.
constexpr long DRAGDROP_S_DROP = 0x40100, DRAGDROP_S_CANCEL = 0x40101,
               DRAGDROP_S_USEDEFAULTCURSORS = 0x40102;

// Rich text is accepted and served only while this process-wide switch is on (off at start).
void SetRTFDragDrop(bool Value);
bool RTFDragDrop();

enum TDropFormat { dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells };

struct TDropFormats
{
    uint8_t Bits = 0;
    bool Contains(TDropFormat f) const { return Bits & (1u << f); }
    void Include(TDropFormat f) { Bits |= uint8_t(1u << f); }
    bool operator==(const TDropFormats &) const = default;
};

QByteArray EncodeGridColumn(int Column);
// -1 when the block is too short.
int DecodeGridColumn(const QByteArray &Block);
QByteArray EncodeGridCells(const QByteArray &Stream);
// The cell stream of a block; none when the block is shorter than its header or than the
// length it declares.
std::optional<QByteArray> DecodeGridCells(const QByteArray &Block);

// Ctrl held: copy; else move when allowed; else copy.
int EffectFromKeys(Qt::KeyboardModifiers KeyState, int Allowed);

// Which formats one dragged object offers, and their data. An absent format gives the
// empty answer.
class TEnumFormats
{
public:
    explicit TEnumFormats(const QMimeData *DataObject);

    const QMimeData *DataObject() const { return FDataObject; }
    bool HasFormat(const QString &Format) const;
    bool HasText() const;
    bool HasFile() const;
    bool HasRTF() const;
    bool HasCol() const;
    bool HasURL() const;
    bool HasGridCells() const;

    QString Text() const;
    QString RTF() const;
    int Col() const;                          // -1 when absent
    std::optional<QByteArray> Stream() const; // none when absent or damaged
    QString URL() const;                      // the text offered with it, else the address
    // Fills Files with the dropped local files; true when there was any.
    bool CollectDroppedFiles();
    const QStringList &Files() const { return FFiles; }

private:
    const QMimeData *FDataObject;
    QStringList FFiles;
};

// The drop side of a grid. Register routes a widget's drag events here; the hooks are
// empty and receive screen points.
class TASGDropTarget : public QObject
{
public:
    TASGDropTarget();

    bool AcceptText = true;
    bool AcceptFiles = true;
    bool AcceptCols = false;
    bool AcceptURLs = true;

    TDropFormats DropFormats() const { return FDropFormats; }
    bool Ok() const { return FOk; }

    void Register(QWidget *Target);
    void Revoke();

    // Effect: the effects the source allows in, the effect chosen out.
    void DragEnter(const QMimeData *DataObject, Qt::KeyboardModifiers KeyState, const QPoint &Pt,
                   int &Effect);
    void DragOver(Qt::KeyboardModifiers KeyState, const QPoint &Pt, int &Effect);
    void DragLeave();
    void Drop(const QMimeData *DataObject, Qt::KeyboardModifiers KeyState, const QPoint &Pt,
              int &Effect);

    virtual void DropText(const QPoint &, const QString &) {}
    virtual void DropStream(const QPoint &, const QByteArray &) {}
    virtual void DropCol(const QPoint &, int) {}
    virtual void DropRTF(const QPoint &, const QString &) {}
    virtual void DropFiles(const QPoint &, const QStringList &) {}
    virtual void DropURL(const QPoint &, const QString &) {}
    virtual void DragMouseMove(const QPoint &, bool &, TDropFormats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    bool FOk = false;
    TDropFormats FDropFormats;
    QWidget *FTarget = nullptr;
};

// The drag side of a grid; the hooks are empty.
class TASGDropSource
{
public:
    virtual ~TASGDropSource() = default;

    virtual void DragFinished() {}        // the drag ended by Escape or button release
    virtual void CurrentEffect(int) {}    // the effect the target chose last
    virtual void QueryDrag() {}           // called regularly while the drag runs

    // The target's answer while the drag runs.
    long GiveFeedback(int Effect);
    bool NoAccept() const { return FNoAccept; }

private:
    bool FNoAccept = false;
};

// What a drag started in a grid offers: text, rich text, and a column or a block of cells.
class TSourceDataObject : public QMimeData
{
public:
    // Column -1 for none; Stream null for none.
    TSourceDataObject(const QString &Text, const QByteArray *Stream, int Column, const QString &RTF);

    // "text/plain" and "text/rtf" always, then the column and the cells when carried.
    QStringList formats() const override;
    bool hasFormat(const QString &MimeType) const override;
    bool QueryGetData(const QString &MimeType) const;
    // The data block of a format; empty when QueryGetData refuses it.
    QByteArray GetData(const QString &MimeType) const;

protected:
    QVariant retrieveData(const QString &MimeType, QMetaType Type) const override;

private:
    QString textdata;
    QString rtfdata;
    int scolidx;
    std::optional<QByteArray> memstr;
};

// Runs a prepared drag; returns the effect the target chose (0 when none).
using TDragExecFunc = std::function<int(QDrag &Drag, int OkEffects)>;
// Replaces QDrag::exec (tests); an empty function restores it.
void SetDragExecHook(TDragExecFunc Hook);

// Start a drag from Source. Effect receives the effect the target chose; the result is
// DRAGDROP_S_DROP, or DRAGDROP_S_CANCEL when the drag was cancelled or the last feedback
// had no effect.
long StartTextDoDragDrop(QObject *Source, TASGDropSource *DropSource, const QString &Text,
                         const QString &RTF, int &Effect, int OkEffects, const QByteArray *Stream);
long StartColDoDragDrop(QObject *Source, TASGDropSource *DropSource, int Column, int OkEffects,
                        int &Effect);
