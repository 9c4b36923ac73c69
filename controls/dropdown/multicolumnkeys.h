#pragma once
// Key codes as the list drop-downs sort them, and the way back from the grid's key codes to
// the Qt keys the drop-down edit's key handling takes.
#include "grid/base/gridtypes.h"
#include "grid/base/keys.h"

#include <Qt>

namespace DropDownList {

// Page Up, Page Down, Up and Down: they move in the open list instead of reaching the edit.
inline bool IsListMoveKey(uint16_t Key)
{
    return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
}

// Page Up to Down (33 to 40): the edit's own item steps.
inline bool IsListNavigationKey(uint16_t Key)
{
    return Key >= VK_PRIOR && Key <= VK_DOWN;
}

// The Qt key of the codes the drop-down edit reacts to; 0 for the rest.
inline int QtKeyOf(uint16_t Key)
{
    switch (Key) {
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_UP: return Qt::Key_Up;
    case VK_DOWN: return Qt::Key_Down;
    case VK_F4: return Qt::Key_F4;
    case VK_TAB: return Qt::Key_Tab;
    default: return 0;
    }
}

inline Qt::KeyboardModifiers ModifiersOf(TShiftState Shift)
{
    Qt::KeyboardModifiers m;
    if (Shift.Contains(ssShift))
        m |= Qt::ShiftModifier;
    if (Shift.Contains(ssAlt))
        m |= Qt::AltModifier;
    if (Shift.Contains(ssCtrl))
        m |= Qt::ControlModifier;
    return m;
}

// One wheel step of a list: the row changes it causes are marked as the wheel's, and the
// press that confirmed a choice no longer counts.
template <class TStep>
bool ListWheelStep(bool &WheelFlag, bool &ConfirmFlag, TStep Step)
{
    WheelFlag = true;
    ConfirmFlag = false;
    const bool handled = Step();
    WheelFlag = false;
    return handled;
}

}   // namespace DropDownList
