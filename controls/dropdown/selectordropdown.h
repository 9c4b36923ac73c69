#pragma once
// What the colour, image and detail pickers share around their item-selector list: making
// the list on the drop-down window, sizing the window to it, the navigation keys, the
// 500 ms type-ahead and the wheel. Each picker keeps its own items and selection rules and
// answers the few questions of the key mapping (what Home, End, Up and Down do while closed).
#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/itemselector.h"
#include "grid/base/keys.h"

#include <QPointer>
#include <QTimer>

class TDazSelectorDropDown : public TDazCustomDropDown
{
public:
    explicit TDazSelectorDropDown(QWidget *Parent = nullptr);
    ~TDazSelectorDropDown() override;

    TDazCustomItemSelector *ItemSelector() const { return FItemSelector; }
    TItemAppearance &ItemAppearance() { return *FItemAppearance; }
    void SetItemAppearance(const TItemAppearance &Value) { FItemAppearance->Assign(&Value); }
    // The typed search text; it empties 500 ms after its first character.
    QString CurSearch() const { return FCurSearch; }
    QTimer &KeyTimer() { return FKeyTimer; }
    void KeyTimerExpired();

    // The picker's own selection: first, last, and next or previous (0 from none, nothing
    // past the ends).
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    void SetComponentStyle(TQVRStyle Value) override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    virtual void DoWheelDown();
    virtual void DoWheelUp();

protected:
    // Makes the list on the drop-down window when there is none; every time it goes to
    // (0, 0) and takes the drop-down colour.
    TDazCustomItemSelector *EnsureList(TSelectorType Type, int Height);
    // The list's size from its panel unless the drop-down has a size of its own, then the
    // framework's sizing, wider by a scroll bar when the list scrolls.
    void SizeListForm();
    // Moves the list's selection without closing the drop-down.
    void SetListIndex(int Index);
    // The wheel on the list: the hot item while open, the selection while closed.
    void ListWheel(bool Down);
    // Enter while open takes the list's hot item (and so closes); true when it did.
    bool TakeHotItem(int Key);
    // The list's own selection step without closing.
    void ListStep(void (TDazCustomItemSelector::*Step)());
    // The list's key mapping (Page Up/Down, End/Home, Left/Right, Up/Down, type-ahead).
    // True when the key was one of the navigation keys.
    bool ListKey(int Key, TShiftState Shift);
    // The row step of Up and Down while open.
    virtual int ListRowStep() const { return 1; }
    // The number of items the picker holds, its selected one and the setter of that.
    virtual int PickerItemCount() const = 0;
    virtual int PickerItemIndex() const = 0;
    virtual void SetPickerItemIndex(int Index) = 0;
    // Rebuilds the list from the picker's items: BeginLoadList (the list's event detached,
    // its settings taken, its items emptied; nullptr without a list), the items, then
    // EndLoadList (laid out, the picker's index selected, the event attached to ListSelect).
    virtual void LoadList() = 0;
    TDazCustomItemSelector *BeginLoadList(int Columns, TItemLayout Layout);
    void EndLoadList();
    // The list's selection event: the picker takes the index and closes unless it moved
    // the list itself.
    virtual void ListSelect();
    // Home and End, Up and Down while closed.
    virtual void ClosedHomeEnd(bool End) { End ? SelectLast() : SelectFirst(); }
    virtual void ClosedUpDown(bool Down) { Down ? SelectNext() : SelectPrevious(); }
    void wheelEvent(QWheelEvent *Event) override;

    QPointer<TDazCustomItemSelector> FItemSelector;
    bool FInternalCall = false;
    int FOldItemIndex = -1;
    std::unique_ptr<TItemAppearance> FItemAppearance;

private:
    QTimer FKeyTimer;
    QString FCurSearch;
};
