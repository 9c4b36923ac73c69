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

    void SetComponentStyle(TQVRStyle Value) override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    virtual void DoWheelDown();
    virtual void DoWheelUp();
    // The item colours of a component style (hot, selected, borders, text colours);
    // tsCustom changes nothing. Nothing without an appearance.
    static void ApplyItemAppearanceStyle(TItemAppearance *Appearance, TQVRStyle Style);

protected:
    // Makes the list on the drop-down window when there is none; every time it goes to
    // (0, 0) and takes the drop-down colour.
    TDazCustomItemSelector *EnsureList(TSelectorType Type, int Height);
    // The list's size from its panel unless the drop-down has a size of its own, then the
    // framework's sizing, wider by a scroll bar when the list scrolls.
    void SizeListForm();
    // Moves the list's selection without closing the drop-down.
    void SetListIndex(int Index);
    // The list's own selection step without closing.
    void ListStep(void (TDazCustomItemSelector::*Step)());
    // The list's key mapping (Page Up/Down, End/Home, Left/Right, Up/Down, type-ahead).
    // True when the key was one of the navigation keys.
    bool ListKey(int Key, TShiftState Shift);
    // The row step of Up and Down while open.
    virtual int ListRowStep() const { return 1; }
    // The number of items the picker holds.
    virtual int PickerItemCount() const = 0;
    // Rebuilds the list from the picker's items.
    virtual void LoadList() = 0;
    // Home and End, Up and Down while closed.
    virtual void ClosedHomeEnd(bool End) = 0;
    virtual void ClosedUpDown(bool Down) = 0;
    void wheelEvent(QWheelEvent *Event) override;

    QPointer<TDazCustomItemSelector> FItemSelector;
    bool FInternalCall = false;
    int FOldItemIndex = -1;
    std::unique_ptr<TItemAppearance> FItemAppearance;

private:
    QTimer FKeyTimer;
    QString FCurSearch;
};
