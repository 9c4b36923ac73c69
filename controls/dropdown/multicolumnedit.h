#pragma once
// The edit side both list drop-downs share (the multi-column list and the grid drop-down):
// the selected item and its lookup text, completion while typing, Enter and Escape against
// the lookup texts, the navigation keys and the wheel, the whole-row height of the open list,
// its automatic width and the fitting of its columns, and the header and line colours of
// the component styles.
//
// Completion runs over lookup texts upper-cased once at EndUpdate, so a keystroke costs one
// pass of comparisons over the items.
#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/multicolumnitems.h"

class TCustomGrid;

// A list grid's width with every column showing: its columns and a scroll bar's width when
// rows are hidden (the lists have no border).
int ListTotalWidth(const TCustomGrid &Grid);

class TListDropDownEdit : public TDazCustomDropDown
{
public:
    explicit TListDropDownEdit(QWidget *Parent = nullptr);

    int ItemIndex() const { return FItemIndex; }
    virtual void SetItemIndex(int Value) = 0;
    int LookupColumn = 0;
    bool CaseSensitive = false;   // the list search's case rule
    bool MatchCase = false;       // the completion's case rule
    TColor HeaderColor = 0xFFFFFF;
    TColor HeaderColorTo = 0x808080;
    int HeaderHeight = 25;
    TFont HeaderFont;
    TColor LineColor = 0xF1EDEB;
    TColor FixedLineColor = 0xD1BBA4;
    TColor SelectionTextColor = 0;
    int DropDownRowHeight = 22;
    bool DropDownAutoWidth = true;
    bool ColumnSizeWithDropDown = true;
    bool ColumnSizing = false;
    TNotifyEvent OnSelect;

    void BeginUpdate() {}
    // Rebuilds the lookup texts the completion runs over.
    void EndUpdate();
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    // The edit's key-down step as a key forwarded from the list reaches it (no character).
    void EditKeyDown(uint16_t &Key, TShiftState Shift);
    // The pending completion takes the item's own spelling (the key release).
    virtual void EditKeyUp(uint16_t Key, TShiftState Shift);

protected:
    // Sets the defaults that the base's construction overwrote; members call it after
    // InitializeDropDown.
    void InitializeList();
    // The items the navigation keys step through and the lookup texts are taken from.
    virtual int ItemCount() const = 0;
    virtual int LookupCount() const { return ItemCount(); }
    virtual QString LookupTextAt(int Index) const = 0;

    void Change() override;
    // KeyDown's steps before and after the inherited key handling; true when used up.
    virtual bool KeyDownBefore(uint16_t &Key, TShiftState Shift);
    virtual void KeyDownAfter(uint16_t Key, TShiftState Shift);
    // Whether Home and End select the first and last item.
    virtual bool HomeEndSelects(TShiftState Shift) const { (void)Shift; return !EditorEnabled(); }
    virtual void NavigationKey(uint16_t Key, TShiftState Shift);
    virtual void DoWheelDown();
    virtual void DoWheelUp();
    void SelectStep(int Delta, bool ToEnd);

    // The open list's height: whole data rows under the header, plus ListFrame pixels.
    void AdjustDropDownHeight(int &Height) override;
    virtual int ListFrame() const { return 2; }
    // The form takes the list's total width plus its border (DropDownAutoWidth).
    void SizeListForm(TCustomGrid &Grid, int TotalWidth);
    // Column widths fitted to the form's width (ColumnSizeWithDropDown), from the list's
    // own copy of the columns.
    void FitColumns(TCustomGrid &Grid, const std::vector<int> &Widths);
    template <class TColumns>
    void FitColumnsOf(TCustomGrid &Grid, const TColumns &Columns)
    {
        std::vector<int> widths;
        for (int c = 0; c < Columns.Count(); ++c)
            widths.push_back(Columns.Items(c)->Width);
        FitColumns(Grid, widths);
    }
    // The hosted list's keys: key-down, the character it types, key-up.
    void ControlKey(QKeyEvent *Event) override;
    virtual void ControlKeyDown(uint16_t &Key, TShiftState Shift) = 0;
    virtual void ControlKeyUp(uint16_t &Key, TShiftState Shift) = 0;
    virtual void ControlKeyPress(QChar &Key) = 0;
    // The text of a chosen item; the same text again leaves the edit and its selection.
    void SetListText(const QString &Value);
    // The list search's Backspace: the typed prefix shortened, or the selection removed.
    void ListBackspace();
    // Applies the component style's header and line colours.
    void ApplyListStyle(TQVRStyle Value, bool With2010);

    void keyPressEvent(QKeyEvent *Event) override;
    void keyReleaseEvent(QKeyEvent *Event) override;
    void wheelEvent(QWheelEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

    int FItemIndex = -1;
    DropDownList::TLookupTexts FLookupItems;
    bool workmode = true;
    bool FItemChange = false;
    int FItemIdx = -1;
    int FItemSel = 0;
    QString FLookupEntry;
    int FOldItemIndex = -1;
    QString FOldValue;

private:
    bool FTyped = false;        // the pending text change comes from typing
    bool FCompleting = false;   // a completion is writing the text
};
