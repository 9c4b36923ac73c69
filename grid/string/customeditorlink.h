#pragma once
// TEditLink: lets any control serve as a cell editor (editor type edCustom). A descendant
// makes the control (CreateEditor) and moves values between it and the cell
// (GetEditorValue / SetEditorValue); the link places it over the cell (in place) or on a
// borderless stay-on-top window at the cell (popup), and ends the edit on the grid's keys
// unless the link wants them.
#include "grid/base/classes.h"
#include "grid/base/gridtypes.h"
#include "grid/base/keys.h"
#include "platform/color.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

class TDazStringGrid;
class TFont;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public QObject, public TObject
{
public:
    explicit TEditLink(QObject *AOwner = nullptr);
    ~TEditLink() override;

    TDazStringGrid *Grid() const { return FOwner; }
    QPoint EditCell() const { return FEditCell; }

    bool WantKeyLeftRight = false;
    bool WantKeyUpDown = false;
    bool WantKeyHomeEnd = false;
    bool WantKeyPriorNext = false;
    bool WantKeyReturn = false;
    bool WantKeyEscape = false;
    bool WantReturns = false;
    bool WantTabs = false;
    TEditStyle EditStyle = esInplace;
    int PopupWidth = 100;
    int PopupHeight = 100;
    int PopupLeft = -1;   // -1: at the cell
    int PopupTop = -1;
    bool AutoPopupWidth = false;
    int Tag = 0;

    // The key protocol: a key that ends the edit closes it (writing the value), then moves
    // on as the key says; Key becomes 0 when consumed.
    virtual void EditKeyDown(uint16_t &Key, TShiftState Shift);
    virtual QWidget *GetEditControl() { return nullptr; }
    virtual void CreateEditor(QWidget *AParent) { Q_UNUSED(AParent); }
    virtual void DestroyEditor() {}
    virtual void SetFocus(bool Value);
    virtual void SetRect(const QRect &R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor AColor, const TFont &AFont)
    {
        Q_UNUSED(AColor);
        Q_UNUSED(AFont);
    }
    virtual QString GetEditorValue() { return {}; }
    virtual void SetEditorValue(const QString &S) { Q_UNUSED(S); }

    QWidget *GetParent() const;
    QString GetCellValue() const;
    void SetCellValue(const QString &S);
    void HideEditor();
    // The popup window lost the activation: the value is stored and the window hidden.
    void FormExit();
    QWidget *PopupForm() const { return FPopupForm; }

    // The grid's side of opening and closing (called by the grid).
    void Open(TDazStringGrid *AGrid, int RealCol, int ARow, const QRect &CellRect,
              TColor AColor, const TFont &AFont, const QString &Value);
    void Close();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void Finish();
    void RestoreWinProc();

    QPointer<TDazStringGrid> FOwner;
    QPoint FEditCell{-1, -1};
    QPointer<QWidget> FPopupForm;
    QPointer<QWidget> FFiltered;
    bool FForcedExit = false;
    bool FClosing = false;
};
