// Every control editor type through the grid's whole editing cycle, driven only by key
// events on a shown grid: F2 opens the type's control on the cell's value, keys edit it,
// Enter writes the value back in the cell's format and Escape leaves the cell as it was.
#include "editfixture.h"

#include "grid/string/griddatepicker.h"
#include "grid/string/grideditbtn.h"
#include "grid/string/gridspinedit.h"
#include "platform/locale.h"
#include "platform/rtl.h"

#include <QDateTimeEdit>
#include <functional>
#include <vector>

namespace {

class EditorCycle : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        SetDecimalSeparatorOverride('.');
        grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 1)
                E = EdType;
        };
        grid->OnGetEditMask = [](TObject *, int, int, QString &Mask) { Mask = "999-999;_"; };
        grid->BtnUnitEdit()->SetUnits({"mm", "cm"});
    }
    void TearDown() override
    {
        SetDecimalSeparatorOverride(QChar());
        EditFixture::TearDown();
    }

public:
    // Opens the editor of type T on cell (1, 1) holding Text; the control shown.
    QWidget *Open(TEditorType T, const QString &Text)
    {
        EdType = T;
        grid->SetCells(1, 1, Text);
        grid->FocusCell(1, 1, true);
        Key(Qt::Key_F2);
        return Shown();
    }
    void Escape() { Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27))); }
    TDazStringGrid *G() const { return grid.get(); }

    TEditorType EdType = edNormal;
};

QString Date(int Y, int M, int D)
{
    return DateToStr(EncodeDate(Y, M, D));
}

struct TCycleCase
{
    const char *Name;
    TEditorType Type;
    QString Start;
    std::function<void(EditorCycle &)> Edit;
    QString Written;   // the cell after Enter
};

}   // namespace

TEST_F(EditorCycle, EveryControlTypeOpensEditsAndWritesBackByKeys)
{
    // The keys are copied: an initializer list's array ends with the full expression.
    auto keys = [](std::initializer_list<int> List) {
        return [Ks = std::vector<int>(List)](EditorCycle &T) {
            for (int k : Ks)
                T.Key(k);
        };
    };
    auto typed = [](const QString &Text) {
        return [Text](EditorCycle &T) {
            T.Key(Qt::Key_End);
            T.Type(Text);
        };
    };
    auto typedChars = [](const QString &Text) {
        return [Text](EditorCycle &T) {
            T.Key(Qt::Key_End);
            for (QChar c : Text)
                T.Key(c == '.' ? Qt::Key_Period : c == '-' ? Qt::Key_Minus : Qt::Key_unknown,
                      Qt::NoModifier, QString(c));
        };
    };
    const TCycleCase cases[] = {
        {"spin", edSpinEdit, "5", keys({Qt::Key_Up, Qt::Key_Up, Qt::Key_PageUp}), "8"},
        // Escape keeps a text that is no number; Enter writes the stepped minimum.
        {"spin over a text", edSpinEdit, "abc", keys({Qt::Key_Up}), "1"},
        // Written in the grid's FloatFormat.
        {"float spin", edFloatSpinEdit, "1.5", keys({Qt::Key_Up, Qt::Key_PageUp}), "2.60"},
        {"time spin", edTimeSpinEdit, "10:15:00",
         [](EditorCycle &T) {
             T.G()->SpinEdit()->setCursorPosition(0);
             T.Key(Qt::Key_Down);
         },
         "09:15:00"},
        // The year of 29 February steps to the last day of February.
        {"date spin", edDateSpinEdit, Date(2024, 2, 29),
         [](EditorCycle &T) {
             TGridSpin *spin = T.G()->SpinEdit();
             spin->setCursorPosition(int(spin->Text().size()));
             T.Key(Qt::Key_Up);
         },
         Date(2025, 2, 28)},
        {"edit with button", edEditBtn, "ab", typed("c"), "abc"},
        {"numeric edit with button", edNumericEditBtn, "12", typed("x3"), "123"},
        {"float edit with button", edFloatEditBtn, "1.5", typedChars(".2"), "1.52"},
        {"masked edit with button", edMaskEditBtn, "123-4",
         [](EditorCycle &T) {
             T.G()->BtnEdit()->setCursorPosition(5);
             T.Type("56");
         },
         "123-456"},
        {"unit edit", edUnitEditBtn, "12mm", typed("5"), "125mm"},
        {"numeric unit edit", edNumericUnitEditBtn, "12cm", typed("a5"), "125cm"},
        {"float unit edit", edFloatUnitEditBtn, "1.5mm", typedChars(".5"), "1.55mm"},
        {"date picker", edDateEdit, Date(2024, 5, 10),
         [](EditorCycle &T) {
             T.G()->DateTimePicker()->setSelectedSection(QDateTimeEdit::DaySection);
             T.Key(Qt::Key_Up);
         },
         Date(2024, 5, 11)},
        {"up-down date picker", edDateEditUpDown, Date(2024, 5, 10),
         [](EditorCycle &T) {
             T.G()->DateTimePicker()->setSelectedSection(QDateTimeEdit::YearSection);
             T.Key(Qt::Key_Down);
         },
         Date(2023, 5, 10)},
        {"time picker", edTimeEdit, TimeToStr(EncodeTime(10, 15, 0, 0)),
         [](EditorCycle &T) {
             T.G()->DateTimePicker()->setSelectedSection(QDateTimeEdit::HourSection);
             T.Key(Qt::Key_Up);
         },
         TimeToStr(EncodeTime(11, 15, 0, 0))},
    };
    for (const TCycleCase &c : cases) {
        SCOPED_TRACE(c.Name);
        QWidget *control = Open(c.Type, c.Start);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->hasFocus() || control->isAncestorOf(QApplication::focusWidget()));
        c.Edit(*this);
        Enter();
        Flush();
        EXPECT_FALSE(control->isVisible());
        EXPECT_EQ(grid->Cells(1, 1), c.Written);

        // Escape after the same edit keeps the cell.
        Open(c.Type, c.Start);
        c.Edit(*this);
        Escape();
        Flush();
        EXPECT_EQ(Shown(), nullptr);
        EXPECT_EQ(grid->Cells(1, 1), c.Start);
    }
}

TEST_F(EditorCycle, TabWithGoTabsCommitsClosesAndMovesToTheNextCell)
{
    grid->SetOptions(grid->Options() + goTabs);
    const struct
    {
        TEditorType Type;
        QString Start;
        QString Written;
    } cases[] = {
        {edSpinEdit, "5", "6"},
        {edEditBtn, "ab", "ab"},
        {edUnitEditBtn, "12mm", "12mm"},
        {edDateEdit, Date(2024, 5, 10), Date(2024, 5, 10)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.Type));
        QWidget *control = Open(c.Type, c.Start);
        ASSERT_NE(control, nullptr);
        if (c.Type == edSpinEdit)
            Key(Qt::Key_Up);
        Key(Qt::Key_Tab, Qt::NoModifier, "\t");
        Flush();
        EXPECT_FALSE(control->isVisible());
        EXPECT_EQ(grid->Cells(1, 1), c.Written);
        EXPECT_EQ(grid->Col(), 2);
    }
}

TEST_F(EditorCycle, KeyPressesOfTheEditWithButtonAndTheDatePickerComeFromTheGrid)
{
    QList<TObject *> senders;
    grid->OnKeyPress = [&](TObject *Sender, QChar &Key) {
        if (Key == u'2')
            senders << Sender;
    };
    for (TEditorType t : {edEditBtn, edDateEdit}) {
        Open(t, t == edEditBtn ? "1" : Date(2024, 5, 10));
        Type("2");
        Escape();
    }
    ASSERT_EQ(senders.size(), 2);
    EXPECT_EQ(senders[0], grid.get());
    EXPECT_EQ(senders[1], grid.get());
}

TEST_F(EditorCycle, DirectDateDropOpensTheCalendarWithTheEditor)
{
    for (bool direct : {false, true}) {
        grid->MouseActions().SetDirectDateDrop(direct);
        auto *picker = dynamic_cast<TGridDatePicker *>(Open(edDateEdit, Date(2024, 5, 10)));
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(picker->DroppedDown(), direct);
        picker->SetDroppedDown(false);
        Escape();
    }
}

TEST_F(EditorCycle, AGridDestroyedWhileAnEditorIsOpenGoesQuietly)
{
    for (TEditorType t : {edSpinEdit, edEditBtn, edUnitEditBtn, edDateEdit, edDateTimeEdit,
                          edButton, edRichEdit}) {
        SCOPED_TRACE(int(t));
        ASSERT_NE(Open(t, "1"), nullptr);
        log.reset();
        grid.reset();
        Flush();
        SetUp();
    }
}

TEST_F(EditorCycle, ATypedCharacterOpensTheControlWithItAndEnterWritesIt)
{
    const struct
    {
        TEditorType Type;
        QString Written;
    } cases[] = {{edEditBtn, "7"},       {edNumericEditBtn, "7"}, {edUnitEditBtn, "7"},
                 {edSpinEdit, "7"},      {edFloatSpinEdit, "7.00"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.Type));
        EdType = c.Type;
        grid->SetCells(1, 1, "12");
        grid->FocusCell(1, 1, true);
        Type("7");
        Flush();
        auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), "7");
        Enter();
        Flush();
        EXPECT_EQ(grid->Cells(1, 1), c.Written);
    }
}
