// A combo or date picker cell editor writes its value into the cell once, however its edit
// ends: the grid taking the focus back while the control closes must not close it a second
// time. Escape writes nothing, also in a date picker whose cell text is not in the picker's own
// format.
#include "editfixture.h"

#include "grid/string/griddatepicker.h"
#include "platform/rtl.h"

#include <QDateTimeEdit>
#include <QLineEdit>
#include <functional>
#include <vector>

namespace {

class ComboClose : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        // Column 1 chooses from a list, column 2 takes free text; column 4 holds the date
        // picker, which closes by the same steps.
        grid->SetColCount(6);
        grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 4)
                E = edDateEdit;
            if (ACol == 3)
                E = edDateTimeEdit;
            if (ACol != 1 && ACol != 2)
                return;
            E = ACol == 1 ? edComboList : edComboEdit;
            grid->ClearComboString();
            for (const char *s : {"Alpha", "Beta", "Gamma"})
                grid->AddComboString(s);
        };
        grid->OnSetEditText = [this](TObject *, int ACol, int ARow, const QString &V) {
            Writes << QStringLiteral("%1,%2 %3").arg(ACol).arg(ARow).arg(V);
        };
        grid->OnCellsChanged = [this](TObject *, const TRect &) { ++Changes; };
    }
    void TearDown() override
    {
        Other.reset();   // a child of the grid
        EditFixture::TearDown();
    }

public:
    TDazStringGrid *G() const { return grid.get(); }
    QStringList Writes;
    int Changes = 0;
    std::unique_ptr<QLineEdit> Other;
};

struct TEnding
{
    const char *Name;
    std::function<void(ComboClose &)> End;
};

}   // namespace

TEST_F(ComboClose, EveryWayOfEndingTheEditWritesOnceAndEscapeNothing)
{
    const TEnding endings[] = {
        {"Enter", [](ComboClose &T) { T.Enter(); }},
        {"Tab",
         [](ComboClose &T) {
             T.Key(Qt::Key_Tab, Qt::NoModifier, "\t");
         }},
        {"Tab with goTabs",
         [](ComboClose &T) {
             T.G()->SetOptions(T.G()->Options() + goTabs);
             T.Key(Qt::Key_Tab, Qt::NoModifier, "\t");
             T.G()->SetOptions(T.G()->Options() - goTabs);
         }},
        {"click on another cell", [](ComboClose &T) { T.Click(5, 3); }},
        {"focus taken by another control",
         [](ComboClose &T) {
             T.Other = std::make_unique<QLineEdit>(T.G());
             T.Other->show();
             T.Other->setFocus(Qt::TabFocusReason);
         }},
    };
    const struct
    {
        int Col;
        QString Start;
        std::function<void(ComboClose &)> Edit;
        QString Written;
    } cells[] = {
        {1, "Alpha", [](ComboClose &T) { T.Key(Qt::Key_Down); }, "Beta"},
        {2, "ab",
         [](ComboClose &T) {
             T.Key(Qt::Key_End);
             T.Type("c");
         },
         "abc"},
        {4, DateToStr(EncodeDate(2024, 5, 10)),
         [](ComboClose &T) {
             T.G()->DateTimePicker()->setSelectedSection(QDateTimeEdit::DaySection);
             T.Key(Qt::Key_Up);
         },
         DateToStr(EncodeDate(2024, 5, 11))},
    };
    for (const auto &cell : cells) {
        const auto open = [&] {
            Other.reset();
            grid->SetCells(cell.Col, 1, cell.Start);
            grid->setFocus();
            grid->FocusCell(cell.Col, 1, true);
            Key(Qt::Key_F2);
            Flush();
            QWidget *control = Shown();
            if (control)
                cell.Edit(*this);
            Writes.clear();
            Changes = 0;
            log->Lines.clear();
            return control;
        };
        for (const TEnding &e : endings) {
            SCOPED_TRACE(std::string(e.Name) + " in column " + std::to_string(cell.Col));
            QWidget *control = open();
            ASSERT_NE(control, nullptr);
            e.End(*this);
            Flush();
            // Tab may open the editor of the next cell.
            EXPECT_TRUE(!control->isVisible() || grid->Col() != cell.Col);
            EXPECT_EQ(grid->Cells(cell.Col, 1), cell.Written);
            EXPECT_EQ(Writes, QStringList{QStringLiteral("%1,1 %2").arg(cell.Col).arg(cell.Written)});
            EXPECT_LE(Changes, 1);
            EXPECT_EQ(log->Only({"EditingDone", "EditCellDone"}),
                      (QStringList{"EditingDone", QStringLiteral("EditCellDone %1,1").arg(cell.Col)}));
        }

        SCOPED_TRACE(std::string("Escape in column ") + std::to_string(cell.Col));
        QWidget *control = open();
        ASSERT_NE(control, nullptr);
        Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
        Flush();
        EXPECT_FALSE(control->isVisible());
        EXPECT_EQ(grid->Cells(cell.Col, 1), cell.Start);
        EXPECT_TRUE(Writes.isEmpty()) << Writes.join(" | ").toStdString();
        EXPECT_EQ(Changes, 0);
        EXPECT_EQ(log->Only({"EditingDone", "EditCellDone"}),
                  (QStringList{"EditingDone", QStringLiteral("EditCellDone %1,1").arg(cell.Col)}));
    }
}

TEST_F(ComboClose, EscapeInADatePickerLeavesAForeignDateTextAsItWas)
{
    for (int col : {3, 4}) {
        SCOPED_TRACE("column " + std::to_string(col));
        const QString start = QStringLiteral("2024-05-10 8h");
        grid->SetCells(col, 1, start);
        grid->setFocus();
        grid->FocusCell(col, 1, true);
        Key(Qt::Key_F2);
        Flush();
        QWidget *control = Shown();
        ASSERT_NE(control, nullptr);
        Writes.clear();
        Changes = 0;
        Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
        Flush();
        EXPECT_EQ(grid->Cells(col, 1), start);
        EXPECT_TRUE(Writes.isEmpty()) << Writes.join(" | ").toStdString();
        EXPECT_EQ(Changes, 0);
    }
}
