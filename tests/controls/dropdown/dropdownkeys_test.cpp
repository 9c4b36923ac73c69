// The drop-down edit's keys: the caret kept between prefix and suffix, the special-key
// question of the window (Esc selects the value, Enter and Esc posted to the parent), focus
// selecting the value, and Enter turned into Tab.
#include "controls/dropdown/dropdownedit.h"

#include "grid/base/textroutines.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// A parent that records the keys posted to it.
class KeyRecorder : public QWidget
{
public:
    using QWidget::QWidget;
    QStringList Keys;

protected:
    void keyPressEvent(QKeyEvent *E) override { Keys << QStringLiteral("down %1").arg(E->key()); }
    void keyReleaseEvent(QKeyEvent *E) override { Keys << QStringLiteral("up %1").arg(E->key()); }
};

class DropDownKeysTest : public ::testing::Test
{
protected:
    QDialog Form;
    KeyRecorder *Parent = new KeyRecorder(&Form);
    TDazCustomDropDown *Edit = new TDazCustomDropDown(Parent);

    DropDownKeysTest() { SetGridFormatOverride({u'/', u':', u',', u'.', QStringLiteral("dd/MM/yyyy")}); }
    ~DropDownKeysTest() override { SetGridFormatOverride({}); }

    // Sends the key as the window system would; returns whether the edit kept it (an
    // ignored key would go on to the parent at once).
    bool Key(int K, Qt::KeyboardModifiers M = Qt::NoModifier, const QString &Text = {})
    {
        Parent->Keys.clear();
        QKeyEvent e(QEvent::KeyPress, K, M, Text);
        QApplication::sendEvent(Edit, &e);
        return std::exchange(Parent->Keys, {}).isEmpty();
    }
    QStringList Posted()
    {
        QCoreApplication::processEvents();
        return std::exchange(Parent->Keys, {});
    }
    QString Caret() const
    {
        return QStringLiteral("%1+%2").arg(Edit->hasSelectedText() ? Edit->selectionStart()
                                                                   : Edit->cursorPosition())
            .arg(Edit->selectedText().size());
    }
};

// Raw text "$12.50 kg": the value "12.50" runs from 1 to 6.
TEST_F(DropDownKeysTest, CaretStaysBetweenPrefixAndSuffix)
{
    Edit->SetPrefix("$");
    Edit->SetSuffix(" kg");
    Edit->SetText("12.50");
    ASSERT_EQ(Edit->text(), "$12.50 kg");
    struct Case
    {
        int Start, Length, Key;
        Qt::KeyboardModifiers Mods;
        QString After, Text;
    } cases[] = {
        {6, 0, Qt::Key_Right, Qt::NoModifier, "6+0", "$12.50 kg"},          // at the suffix
        {5, 0, Qt::Key_Right, Qt::NoModifier, "6+0", "$12.50 kg"},
        {6, 0, Qt::Key_Delete, Qt::NoModifier, "6+0", "$12.50 kg"},         // would eat " "
        {5, 0, Qt::Key_Delete, Qt::NoModifier, "5+0", "$12.5 kg"},
        {1, 0, Qt::Key_Left, Qt::NoModifier, "1+0", "$12.50 kg"},           // at the prefix
        {2, 0, Qt::Key_Left, Qt::NoModifier, "1+0", "$12.50 kg"},
        {2, 0, Qt::Key_End, Qt::NoModifier, "6+0", "$12.50 kg"},
        {2, 0, Qt::Key_End, Qt::ShiftModifier, "2+4", "$12.50 kg"},
        {4, 0, Qt::Key_Home, Qt::NoModifier, "1+0", "$12.50 kg"},
        {4, 0, Qt::Key_Home, Qt::ShiftModifier, "1+5", "$12.50 kg"},
        {0, 0, Qt::Key_Right, Qt::NoModifier, "1+0", "$12.50 kg"},          // out of the prefix
    };
    for (const Case &c : cases) {
        Edit->SetText("12.50");
        if (c.Length)
            Edit->setSelection(c.Start, c.Length);
        else
            Edit->setCursorPosition(c.Start);
        Key(c.Key, c.Mods);
        EXPECT_EQ(Caret(), c.After) << c.Start << " key " << c.Key;
        EXPECT_EQ(Edit->text(), c.Text) << c.Start << " key " << c.Key;
    }
    // Shift+Home leaves the caret at the value's start.
    Edit->setCursorPosition(4);
    Key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(Edit->cursorPosition(), 1);
}

TEST_F(DropDownKeysTest, DeleteKeepsTheLengthLimitAndRegroupsMoney)
{
    Edit->SetEditType(etNumeric);
    Edit->LengthLimit = 3;
    Edit->SetTextUnformatted("12.345");   // deleting the point would give 5 digits
    Edit->setCursorPosition(2);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Edit->text(), "12.345");
    Edit->setCursorPosition(0);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Edit->text(), "2.345");

    TDazCustomDropDown money;
    money.SetEditType(etMoney);
    money.SetTextUnformatted("1,234");
    money.setCursorPosition(2);   // before the 2
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(&money, &del);
    EXPECT_EQ(money.text(), "134");
}

// Esc in a form without key preview selects the value, clears the modified state (typing
// Esc does not set it again) and is posted to a parent when DefaultHandling is on.
TEST_F(DropDownKeysTest, EscSelectsTheValueAndReachesTheParent)
{
    Edit->SetPrefix("#");
    Edit->SetText("abc");
    Edit->TypeChar(u'd');
    ASSERT_TRUE(Edit->IsModified());
    Edit->setCursorPosition(2);
    EXPECT_TRUE(Key(Qt::Key_Escape));
    EXPECT_EQ(Caret(), "1+4");
    EXPECT_FALSE(Edit->IsModified());
    EXPECT_EQ(Edit->text(), "#abcd");
    EXPECT_EQ(Posted(), QStringList({"down 16777216", "up 16777216"}));

    Edit->DefaultHandling = false;   // the character step posts it instead
    Key(Qt::Key_Escape);
    EXPECT_EQ(Posted(), QStringList({"down 16777216", "up 16777216"}));

    // With key preview the form sees keys itself: nothing is selected or posted.
    Form.setProperty(TDazCustomDropDown::KeyPreviewProperty, true);
    Edit->DefaultHandling = true;
    Edit->setCursorPosition(2);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Caret(), "2+0");
    EXPECT_TRUE(Posted().isEmpty());
    Form.setProperty(TDazCustomDropDown::KeyPreviewProperty, false);

    // Without CanUndo Esc only reaches a parent through DefaultHandling off.
    Edit->CanUndo = false;
    Edit->setCursorPosition(2);
    EXPECT_TRUE(Key(Qt::Key_Escape));
    EXPECT_EQ(Caret(), "2+0");
    EXPECT_TRUE(Posted().isEmpty());
}

TEST_F(DropDownKeysTest, EnterReachesTheParentByDefaultHandling)
{
    int presses = 0;
    Edit->OnKeyPress = [&](TObject *, QChar &K) { presses += K == u'\r'; };
    Edit->SetText("x");
    EXPECT_TRUE(Key(Qt::Key_Return));    // the edit wants it: the window never sees it
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(Edit->text(), "x");
    EXPECT_TRUE(Posted().isEmpty());
    Edit->DefaultHandling = false;       // the character step posts it
    Key(Qt::Key_Return);
    EXPECT_EQ(Posted(), QStringList({"down 16777220", "up 16777220"}));
    Form.setProperty(TDazCustomDropDown::KeyPreviewProperty, true);
    Key(Qt::Key_Return);                 // the form previews: no release
    EXPECT_EQ(Posted(), QStringList({"down 16777220"}));
    Form.setProperty(TDazCustomDropDown::KeyPreviewProperty, false);
    Edit->DefaultHandling = true;
    Parent->setFocusPolicy(Qt::StrongFocus);
    Form.show();
    QApplication::setActiveWindow(&Form);
    Parent->setFocus();
    int K = Qt::Key_Return;
    Edit->CMWantSpecialKey(K);           // a focused parent gets it from the question
    EXPECT_EQ(Posted(), QStringList({"down 16777220", "up 16777220"}));
}

// An edit whose parents hold no form is never asked: Esc leaves the selection alone.
TEST(DropDownSpecialKeys, NoParentFormNoAnswer)
{
    QWidget panel;
    auto *edit = new TDazCustomDropDown(&panel);
    edit->SetText("abc");
    edit->setCursorPosition(1);
    int key = Qt::Key_Escape;
    EXPECT_FALSE(edit->CMWantSpecialKey(key));
    EXPECT_EQ(key, int(Qt::Key_Escape));
    EXPECT_FALSE(edit->hasSelectedText());
    EXPECT_EQ(edit->ParentForm(), nullptr);
}

TEST_F(DropDownKeysTest, FocusSelectsTheValueOrPutsTheCaretBeforeTheDecimal)
{
    Edit->SetPrefix("$");
    Edit->SetText("hello");
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(Edit, &in);
    EXPECT_EQ(Caret(), "1+5");
    EXPECT_EQ(Edit->OldString(), "hello");
    Edit->AutoSelect = false;
    Edit->SetEditType(etFloat);
    Edit->SetPrecision(2);
    Edit->SetText("12.5");
    Edit->setCursorPosition(0);
    QApplication::sendEvent(Edit, &in);
    EXPECT_EQ(Caret(), "3+0");   // "$12|.50"
}

TEST_F(DropDownKeysTest, ReturnIsTabMovesTheFocusOn)
{
    auto *next = new QLineEdit(Parent);
    Form.show();
    QApplication::setActiveWindow(&Form);
    Edit->setFocus();
    Edit->ReturnIsTab = true;
    EXPECT_TRUE(Key(Qt::Key_Return));
    QCoreApplication::processEvents();
    EXPECT_TRUE(next->hasFocus());
}

// A click in the prefix selects the value; one past the suffix stays at the value's end.
TEST_F(DropDownKeysTest, ClickKeepsTheCaretInTheValue)
{
    Edit->SetPrefix("$$$$");
    Edit->SetSuffix(" kg kg kg");
    Edit->SetText("12");
    Form.show();
    auto click = [&](int Char) {
        QPoint p(0, Edit->height() / 2);
        while (p.x() < Edit->width() && Edit->cursorPositionAt(p) < Char)
            p.rx()++;
        QMouseEvent press(QEvent::MouseButtonPress, p, Edit->mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, p, Edit->mapToGlobal(p), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Edit, &press);
        QApplication::sendEvent(Edit, &release);
        return Caret();
    };
    EXPECT_EQ(click(1), "4+2");
    EXPECT_EQ(click(10), "6+0");
    EXPECT_EQ(click(5), "5+0");
}

}   // namespace
