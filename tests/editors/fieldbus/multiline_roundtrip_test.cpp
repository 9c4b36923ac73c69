// A rule editor's text cell typed by keys: a line break typed with Ctrl+Enter is written by
// OK and read back by the next showing; Enter still accepts the cell and walks the table.
#include "app/comon.h"
#include "app/lbbutton.h"
#include "editors/fieldbus/receivecan.h"
#include "fieldbus_fixture.h"
#include "grid/string/dazcolumngrid.h"
#include "grid/string/inplaceedit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// A valid receive rule, columns 1 on; the mnemonic (column 14) is typed.
const QStringList Good_Receive = {"Y", "0x7FF", "2.0A (11 bits)", "2", "0", "0", "1999", "", "", "", "", "", "", ""};
constexpr int Mnemonic = 14;

class MultiLineRoundTrip : public FieldbusTest
{
protected:
    void SetUp() override
    {
        FieldbusTest::SetUp();
        Form = std::make_unique<TFReceiveCAN>();
    }
    void TearDown() override
    {
        Form.reset();
        QApplication::processEvents();
        FieldbusTest::TearDown();
    }
    // A fresh showing, the window on screen and the grid focused on the cell.
    TDazColumnGrid *Show_At(int col, int row)
    {
        Form->FormShow();
        Form->show();
        Form->activateWindow();
        TDazColumnGrid *grid = Form->ACG_CAN_Receive;
        // Text cells are edited in place (the window does not switch it on yet).
        grid->SetOptions(grid->Options() + goEditing);
        grid->setFocus();
        QApplication::processEvents();
        grid->FocusCell(col, row, true);
        return grid;
    }
    QWidget *Focus() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : Form->ACG_CAN_Receive;
    }
    // A key press and release where the focus is.
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = {})
    {
        QKeyEvent down(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(Focus(), &down);
        QKeyEvent up(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(Focus(), &up);
        QApplication::processEvents();
    }
    void Type(const QString &text)
    {
        for (QChar c : text)
            Key(c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A')
                             : c.isDigit() ? Qt::Key_0 + (c.unicode() - '0') : Qt::Key_unknown,
                Qt::NoModifier, QString(c));
    }
    void Enter(Qt::KeyboardModifiers mods = Qt::NoModifier) { Key(Qt::Key_Return, mods, QStringLiteral("\r")); }
    // A press and release in the middle of the OK button.
    void Click_OK()
    {
        QWidget *b = Form->Btn_OK;
        const QPointF p(b->width() / 2, b->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, p, b->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(b, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, b->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(b, &release);
        QApplication::processEvents();
    }
    bool Editor_Shown() const
    {
        TDazInplaceEdit *e = Form->ACG_CAN_Receive->NormalEdit();
        return e && e->isVisible();
    }
    QString Saved() const { return QString::fromUtf8(Read_Bytes(Path_CAN_Rec_Frames)); }

    std::unique_ptr<TFReceiveCAN> Form;
};

}   // namespace

TEST_F(MultiLineRoundTrip, ALineBreakTypedIntoARuleCellIsSavedAndReadBackUnchanged)
{
    TDazColumnGrid *grid = Show_At(Mnemonic, 1);
    Set(grid, 1, Good_Receive);
    Type("ab");
    ASSERT_TRUE(Editor_Shown());
    Enter(Qt::ControlModifier);   // a line break: the grid wraps its words
    ASSERT_TRUE(Editor_Shown());
    Type("cd");
    Enter();   // accepts the cell
    EXPECT_FALSE(Editor_Shown());
    EXPECT_EQ(grid->GetCellEx(Mnemonic, 1), QStringLiteral("ab\r\ncd"));

    Click_OK();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    const QString saved = Saved();
    EXPECT_TRUE(saved.contains(QStringLiteral("Mnemonic=\"ab&#13;&#10;cd\"")) ||
                saved.contains(QStringLiteral("Mnemonic=\"ab&#xD;&#xA;cd\"")))
        << saved.toStdString();

    // The next showing reads it back; OK without a change writes the same file.
    Show_At(1, 1);
    EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(grid->GetCellEx(Mnemonic, 1), QStringLiteral("ab\r\ncd"));
    Click_OK();
    ASSERT_EQ(Form->result(), mrOk) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Saved(), saved);
}

TEST_F(MultiLineRoundTrip, EnterInARuleCellAcceptsItAndWalksTheTable)
{
    // With and without the grid's word wrap (a one-line cell): Enter never types a break.
    for (const bool wrap : {true, false}) {
        for (const bool jump : {true, false}) {
            SCOPED_TRACE(QStringLiteral("WordWrap %1 jump %2").arg(wrap).arg(jump).toStdString());
            Opt_Jump_Field_Tables = jump;
            TDazColumnGrid *grid = Show_At(2, 1);
            grid->SetWordWrap(wrap);
            Type("0x12");
            ASSERT_TRUE(Editor_Shown());
            Enter();
            EXPECT_FALSE(Editor_Shown());
            EXPECT_EQ(grid->GetCellEx(2, 1), QStringLiteral("0x12"));
            EXPECT_EQ(grid->Row(), 1);
            EXPECT_EQ(grid->Col(), jump ? 3 : 2);

            // The last column: on to the first cell of the next row.
            grid->FocusCell(Mnemonic, 1, true);
            Type("m");
            Enter();
            EXPECT_FALSE(Editor_Shown());
            EXPECT_EQ(grid->GetCellEx(Mnemonic, 1), QStringLiteral("m"));
            EXPECT_EQ(grid->Row(), jump ? 2 : 1);
            EXPECT_EQ(grid->Col(), jump ? 1 : Mnemonic);
            Form->hide();
        }
    }
}
