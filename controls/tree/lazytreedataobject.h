#pragma once
// The objects that connect a lazy tree to drag and drop and the clipboard: the data object
// a tree offers (a QMimeData that renders each format only when asked), its format
// enumerator, and the per-tree drag manager that turns the drag events over a tree into
// the tree's drag steps. Result codes and drop effects keep the platform values, as the
// tree's events hand them to the application.
#include "controls/tree/lazytreeformats.h"

#include <QMimeData>
#include <QPoint>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TBaseLazyTree;

using HRESULT = int32_t;
namespace LTResult {
constexpr HRESULT S_OK = 0, S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u), E_FAIL = HRESULT(0x80004005u),
                  E_UNEXPECTED = HRESULT(0x8000FFFFu), E_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT DV_E_LINDEX = HRESULT(0x80040068u), DV_E_TYMED = HRESULT(0x80040069u),
                  DV_E_CLIPFORMAT = HRESULT(0x8004006Au), DV_E_DVASPECT = HRESULT(0x8004006Bu);
constexpr HRESULT OLE_S_USEREG = 0x00040000, OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003u);
constexpr HRESULT DATA_S_SAMEFORMATETC = 0x00040130;
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100, DRAGDROP_S_CANCEL = 0x00040101,
                  DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
}   // namespace LTResult

// Drop effects; the first three are Qt's copy, move and link actions.
constexpr uint32_t DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2,
                   DROPEFFECT_LINK = 4, DROPEFFECT_SCROLL = 0x80000000u;
// Key state of a drag: buttons and modifiers.
constexpr uint32_t MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8,
                   MK_MBUTTON = 0x10, MK_ALT = 0x20;
constexpr uint32_t TYMED_NULL = 0, TYMED_FILE = 2, TYMED_ISTORAGE = 8, TYMED_GDI = 16,
                   TYMED_MFPICT = 32, TYMED_ENHMF = 64;
constexpr uint32_t DATADIR_GET = 1, DATADIR_SET = 2;

// A storage medium: its kind and bytes (a global block, a stream's content, a file name in
// UTF-16). ReleaseObject is the object whose data it shares, nil when the medium owns it.
struct TStgMedium
{
    uint32_t tymed = TYMED_NULL;
    QByteArray Data;
    const void *ReleaseObject = nullptr;
};

// Walks a copy of a format list.
class TEnumFormatEtc
{
public:
    TEnumFormatEtc(TBaseLazyTree *Tree, const std::vector<TFormatEtc> &Formats)
        : FTree(Tree), FFormatEtcArray(Formats) {}
    // Copies up to Count entries; S_FALSE when none was left.
    HRESULT Next(uint32_t Count, std::vector<TFormatEtc> &Formats, uint32_t *Fetched);
    // Moves on only when Count entries remain.
    HRESULT Skip(uint32_t Count);
    HRESULT Reset();
    HRESULT Clone(std::unique_ptr<TEnumFormatEtc> &Enum) const;
    TBaseLazyTree *Tree() const { return FTree; }

private:
    TBaseLazyTree *FTree;
    std::vector<TFormatEtc> FFormatEtcArray;
    int32_t FCurrentIndex = 0;
};

// What a tree puts on the clipboard or into a drag. The formats are the tree's offered
// formats at creation plus those stored by SetData; the tree renders the others on request.
// Carried as MIME data, each format under its registry MIME type; "Lazy Tree Reference"
// holds the process id and an opaque id of the owner (see SourceTreeOf).
class TLTDataObject : public QMimeData
{
public:
    TLTDataObject(TBaseLazyTree *Owner, bool ForClipboard);
    // A clipboard object released while its owner is not flushing ends the owner's cut or
    // copy: another program replaced the clipboard.
    ~TLTDataObject() override;

    HRESULT GetData(const TFormatEtc &FormatIn, TStgMedium &Medium);
    HRESULT GetDataHere(const TFormatEtc &, TStgMedium &) { return LTResult::E_NOTIMPL; }
    HRESULT QueryGetData(const TFormatEtc &Format) const;
    HRESULT GetCanonicalFormatEtc() const { return LTResult::DATA_S_SAMEFORMATETC; }
    HRESULT SetData(const TFormatEtc &Format, TStgMedium &Medium, bool Release);
    HRESULT EnumFormatEtc(uint32_t Direction, std::unique_ptr<TEnumFormatEtc> &Enum) const;
    // Data change notification: the sink runs after every SetData.
    HRESULT DAdvise(std::function<void()> Sink, uint32_t &Connection);
    HRESULT DUnadvise(uint32_t Connection);
    HRESULT EnumDAdvise(std::vector<uint32_t> &Connections) const;

    TBaseLazyTree *Owner() const { return FOwner.data(); }
    bool ForClipboard() const { return FForClipboard; }
    const std::vector<TFormatEtc> &FormatEtcArray() const { return FFormatEtcArray; }

    QStringList formats() const override;
    bool hasFormat(const QString &MimeType) const override;

protected:
    QVariant retrieveData(const QString &MimeType, QMetaType Type) const override;

private:
    struct TInternalStgMedium
    {
        uint16_t Format = 0;
        TStgMedium Medium;
    };
    // Target takes Source's kind and data: shared (this object as release object) or copied.
    HRESULT HandOut(const TStgMedium &Source, TStgMedium &Target, bool Copy) const;
    bool Flushing() const;

    QPointer<TBaseLazyTree> FOwner;
    bool FForClipboard;
    std::vector<TFormatEtc> FFormatEtcArray;
    std::vector<TInternalStgMedium> FInternalStgMediumArray;
    struct TAdvise
    {
        uint32_t Connection;
        std::function<void()> Sink;
    };
    std::unique_ptr<std::vector<TAdvise>> FAdviseHolder;
    uint32_t FNextConnection = 1;
};

// The format a MIME type carries (0 when none of the registry's).
uint16_t ClipboardFormatOfMimeType(const QString &MimeType);
// The MIME type of a format; formats without one of their own travel under a name of the
// program's.
QString DataObjectMimeType(uint16_t Format);

// The tree data of a data object: the node chunks after the leading byte count. False when
// the format is missing or the block is too short; a count beyond the block is cut to it.
bool ReadTreeData(const QMimeData &Data, QByteArray &Chunks);
// The "Lazy Tree Reference" block of a tree of this process.
QByteArray TreeReference(TBaseLazyTree *Tree);
// The live tree of this process a reference names; nil for another process, an unknown
// id or a damaged block.
TBaseLazyTree *TreeOfReference(const QByteArray &Block);

enum class TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

// The drop source and drop target of one tree.
class ILTDragManager
{
public:
    virtual ~ILTDragManager() = default;
    virtual void ForceDragLeave() = 0;
    // The data object of the drag over the owner, else a new one for a drag from it.
    virtual QMimeData *DataObject() = 0;
    virtual TBaseLazyTree *DragSource() const = 0;
    // The platform shows the drag picture over every target (Qt's drag pixmap).
    virtual bool DropTargetHelperSupported() const = 0;
    virtual bool IsDropTarget() const = 0;
    // Points in screen coordinates; Effect in: allowed effects, out: the chosen one.
    virtual HRESULT DragEnter(const QMimeData *DataObject, uint32_t KeyState, QPoint Pt,
                              uint32_t &Effect) = 0;
    virtual HRESULT DragOver(uint32_t KeyState, QPoint Pt, uint32_t &Effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(const QMimeData *DataObject, uint32_t KeyState, QPoint Pt,
                         uint32_t &Effect) = 0;
    virtual HRESULT GiveFeedback(uint32_t Effect) = 0;
    virtual HRESULT QueryContinueDrag(bool EscapePressed, uint32_t KeyState) = 0;
};

class TLTDragManager : public ILTDragManager
{
public:
    explicit TLTDragManager(TBaseLazyTree *Owner);
    void ForceDragLeave() override {}
    QMimeData *DataObject() override;
    TBaseLazyTree *DragSource() const override { return FDragSource.data(); }
    // Qt shows the drag pixmap over every target when the platform has one.
    bool DropTargetHelperSupported() const override;
    bool IsDropTarget() const override { return FIsDropTarget; }
    HRESULT DragEnter(const QMimeData *DataObject, uint32_t KeyState, QPoint Pt,
                      uint32_t &Effect) override;
    HRESULT DragOver(uint32_t KeyState, QPoint Pt, uint32_t &Effect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(const QMimeData *DataObject, uint32_t KeyState, QPoint Pt,
                 uint32_t &Effect) override;
    HRESULT GiveFeedback(uint32_t) override { return LTResult::DRAGDROP_S_USEDEFAULTCURSORS; }
    HRESULT QueryContinueDrag(bool EscapePressed, uint32_t KeyState) override;

private:
    TBaseLazyTree *FOwner;
    QPointer<TBaseLazyTree> FDragSource;
    bool FIsDropTarget = false;
    QPointer<QMimeData> FDataObject;
};
