#include "grid/base/keys.h"

#include <QKeyEvent>
#include <unordered_map>

namespace {

// Keys whose code does not follow from letters, digits or function keys. Shifted symbols of
// a US layout map to the key that carries them, as a key-down code names the key, not the
// character.
const std::unordered_map<int, uint16_t> &KeyTable()
{
    static const std::unordered_map<int, uint16_t> table = {
        {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB}, {Qt::Key_Backtab, VK_TAB},
        {Qt::Key_Clear, VK_CLEAR}, {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN},
        {Qt::Key_Shift, VK_SHIFT}, {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
        {Qt::Key_AltGr, VK_RMENU}, {Qt::Key_Pause, VK_PAUSE}, {Qt::Key_CapsLock, VK_CAPITAL},
        {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE}, {Qt::Key_PageUp, VK_PRIOR},
        {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END}, {Qt::Key_Home, VK_HOME},
        {Qt::Key_Left, VK_LEFT}, {Qt::Key_Up, VK_UP}, {Qt::Key_Right, VK_RIGHT},
        {Qt::Key_Down, VK_DOWN}, {Qt::Key_Select, VK_SELECT}, {Qt::Key_Print, VK_SNAPSHOT},
        {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Help, VK_HELP},
        {Qt::Key_Meta, VK_LWIN}, {Qt::Key_Super_L, VK_LWIN}, {Qt::Key_Super_R, VK_RWIN},
        {Qt::Key_Menu, VK_APPS}, {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
        {Qt::Key_Semicolon, VK_OEM_1}, {Qt::Key_Colon, VK_OEM_1},
        {Qt::Key_Equal, VK_OEM_PLUS}, {Qt::Key_Plus, VK_OEM_PLUS},
        {Qt::Key_Comma, VK_OEM_COMMA}, {Qt::Key_Less, VK_OEM_COMMA},
        {Qt::Key_Minus, VK_OEM_MINUS}, {Qt::Key_Underscore, VK_OEM_MINUS},
        {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD},
        {Qt::Key_Slash, VK_OEM_2}, {Qt::Key_Question, VK_OEM_2},
        {Qt::Key_QuoteLeft, VK_OEM_3}, {Qt::Key_AsciiTilde, VK_OEM_3},
        {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_BraceLeft, VK_OEM_4},
        {Qt::Key_Backslash, VK_OEM_5}, {Qt::Key_Bar, VK_OEM_5},
        {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6},
        {Qt::Key_Apostrophe, VK_OEM_7}, {Qt::Key_QuoteDbl, VK_OEM_7},
        {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'},
        {Qt::Key_Dollar, '4'}, {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'},
        {Qt::Key_Ampersand, '7'}, {Qt::Key_Asterisk, '8'}, {Qt::Key_ParenLeft, '9'},
        {Qt::Key_ParenRight, '0'},
    };
    return table;
}

// Keys of the numeric keypad (with the keypad modifier).
uint16_t KeypadKey(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return uint16_t(VK_NUMPAD0 + (key - Qt::Key_0));
    switch (key) {
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return VK_SUBTRACT;
    case Qt::Key_Slash: return VK_DIVIDE;
    case Qt::Key_Period:
    case Qt::Key_Comma:
    case Qt::Key_Delete: return VK_DECIMAL;
    default: return 0;
    }
}

}   // namespace

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
    TShiftState s;
    if (Modifiers & Qt::ShiftModifier)
        s += ssShift;
    if (Modifiers & Qt::ControlModifier)
        s += ssCtrl;
    if (Modifiers & Qt::AltModifier)
        s += ssAlt;
    if (Buttons & Qt::LeftButton)
        s += ssLeft;
    if (Buttons & Qt::RightButton)
        s += ssRight;
    if (Buttons & Qt::MiddleButton)
        s += ssMiddle;
    return s;
}

TKeyInfo TranslateKeyEvent(const QKeyEvent &Event)
{
    TKeyInfo info;
    const int key = Event.key();
    const Qt::KeyboardModifiers mods = Event.modifiers();
    info.Shift = ShiftStateOf(mods);
    const bool keypad = mods & Qt::KeypadModifier;

    if (keypad && KeypadKey(key))
        info.Key = KeypadKey(key);
    else if (key >= Qt::Key_A && key <= Qt::Key_Z)
        info.Key = uint16_t('A' + (key - Qt::Key_A));
    else if (key >= Qt::Key_0 && key <= Qt::Key_9)
        info.Key = uint16_t('0' + (key - Qt::Key_0));
    else if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        info.Key = uint16_t(VK_F1 + (key - Qt::Key_F1));
    else if (auto it = KeyTable().find(key); it != KeyTable().end())
        info.Key = it->second;
    // A modifier key counts itself while it is down, as the keyboard state reports it.
    if (info.Key == VK_SHIFT || info.Key == VK_CONTROL || info.Key == VK_MENU) {
        const TShiftStateItem own = info.Key == VK_SHIFT ? ssShift : info.Key == VK_CONTROL ? ssCtrl : ssAlt;
        if (Event.type() == QEvent::KeyPress)
            info.Shift += own;
        else
            info.Shift -= own;
    }
    info.KeypadDecimal = info.Key == VK_DECIMAL;
    // The keypad's Delete (decimal key with Num Lock off) deletes; it types nothing.
    if (info.KeypadDecimal && key == Qt::Key_Delete) {
        info.Key = VK_DELETE;
        info.KeypadDecimal = false;
    }

    // Alt combinations type no character (they are menu accelerators), except AltGr
    // characters, which arrive with both Ctrl and Alt and carry their text.
    const bool ctrl = info.Shift.Contains(ssCtrl);
    const bool alt = info.Shift.Contains(ssAlt);
    switch (info.Key) {
    case VK_RETURN:
        if (!alt)
            info.Char = QChar(ctrl ? 10 : 13);
        return info;
    case VK_ESCAPE:
        info.Char = QChar(27);
        return info;
    case VK_TAB:
        if (!alt && !ctrl)
            info.Char = QChar(9);
        return info;
    case VK_BACK:
        if (!alt)
            info.Char = QChar(ctrl ? 127 : 8);
        return info;
    default:
        break;
    }
    if (ctrl && !alt) {
        if (info.Key >= 'A' && info.Key <= 'Z')
            info.Char = QChar(info.Key - 'A' + 1);
        else if (info.Key == VK_OEM_4)
            info.Char = QChar(27);
        else if (info.Key == VK_OEM_5)
            info.Char = QChar(28);
        else if (info.Key == VK_OEM_6)
            info.Char = QChar(29);
        return info;
    }
    if (alt && !ctrl)
        return info;
    const QString text = Event.text();
    if (!text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127)
        info.Char = text.at(0);
    return info;
}
