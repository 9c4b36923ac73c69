#include "grid/base/keys.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {
struct KeyCase
{
    const char *name;
    int qtKey;
    Qt::KeyboardModifiers mods;
    QString text;
    uint16_t key;
    int ch;   // 0: no character
    TShiftState shift;
    bool keypadDecimal;
};
}   // namespace

TEST(KeyTranslator, MapsQtKeysToKeyCodesAndCharacters)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const KeyCase cases[] = {
        {"letter", Qt::Key_A, none, "a", 'A', 'a', {}, false},
        {"shifted letter", Qt::Key_A, Qt::ShiftModifier, "A", 'A', 'A', {ssShift}, false},
        {"digit", Qt::Key_5, none, "5", '5', '5', {}, false},
        {"enter", Qt::Key_Return, none, "\r", VK_RETURN, 13, {}, false},
        {"keypad enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", VK_RETURN, 13, {}, false},
        {"ctrl enter", Qt::Key_Return, Qt::ControlModifier, "", VK_RETURN, 10, {ssCtrl}, false},
        {"escape", Qt::Key_Escape, none, "\x1b", VK_ESCAPE, 27, {}, false},
        {"tab", Qt::Key_Tab, none, "\t", VK_TAB, 9, {}, false},
        {"shift tab", Qt::Key_Backtab, Qt::ShiftModifier, "", VK_TAB, 9, {ssShift}, false},
        {"backspace", Qt::Key_Backspace, none, "\b", VK_BACK, 8, {}, false},
        {"ctrl c", Qt::Key_C, Qt::ControlModifier, "\x03", 'C', 3, {ssCtrl}, false},
        {"ctrl v without text", Qt::Key_V, Qt::ControlModifier, "", 'V', 22, {ssCtrl}, false},
        {"alt letter", Qt::Key_F, Qt::AltModifier, "f", 'F', 0, {ssAlt}, false},
        {"altgr character", Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, "@", '2', '@',
         {ssCtrl, ssAlt}, false},
        {"keypad decimal", Qt::Key_Period, Qt::KeypadModifier, ".", VK_DECIMAL, '.', {}, true},
        {"keypad comma layout", Qt::Key_Comma, Qt::KeypadModifier, ",", VK_DECIMAL, ',', {}, true},
        {"keypad delete", Qt::Key_Delete, Qt::KeypadModifier, "", VK_DELETE, 0, {}, false},
        {"keypad digit", Qt::Key_7, Qt::KeypadModifier, "7", VK_NUMPAD7, '7', {}, false},
        {"period", Qt::Key_Period, none, ".", VK_OEM_PERIOD, '.', {}, false},
        {"minus", Qt::Key_Minus, none, "-", VK_OEM_MINUS, '-', {}, false},
        {"left", Qt::Key_Left, none, "", VK_LEFT, 0, {}, false},
        {"page down", Qt::Key_PageDown, none, "", VK_NEXT, 0, {}, false},
        {"ctrl home", Qt::Key_Home, Qt::ControlModifier, "", VK_HOME, 0, {ssCtrl}, false},
        {"f2", Qt::Key_F2, none, "", VK_F2, 0, {}, false},
        {"insert", Qt::Key_Insert, none, "", VK_INSERT, 0, {}, false},
        {"delete", Qt::Key_Delete, none, "\x7f", VK_DELETE, 0, {}, false},
        {"space", Qt::Key_Space, none, " ", VK_SPACE, ' ', {}, false},
        {"shift", Qt::Key_Shift, Qt::ShiftModifier, "", VK_SHIFT, 0, {ssShift}, false},
        {"non-latin character", Qt::Key_unknown, none, QStringLiteral("\u20ac"), 0, 0x20AC, {}, false},
    };
    for (const KeyCase &c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.qtKey, c.mods, c.text);
        const TKeyInfo k = TranslateKeyEvent(e);
        EXPECT_EQ(k.Key, c.key) << c.name;
        EXPECT_EQ(int(k.Char.unicode()), c.ch) << c.name;
        EXPECT_EQ(k.Shift, c.shift) << c.name;
        EXPECT_EQ(k.KeypadDecimal, c.keypadDecimal) << c.name;
    }
}
