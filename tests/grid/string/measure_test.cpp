// Formatted cell texts, text sizes and the small hooks of the string grid.
#include "paintfixture.h"

#include <QFontMetrics>

namespace {

using MeasureTest = PaintFixture;

TEST_F(MeasureTest, FloatFormatEvent)
{
    grid->SetCells(2, 2, QStringLiteral("3.14159"));
    grid->SetCells(2, 3, QStringLiteral("abc"));
    grid->SetCells(2, 4, QStringLiteral("42"));
    EXPECT_EQ(grid->GetFormattedCell(2, 2), QStringLiteral("3.14159"));
    bool keep = true;
    QString format;
    grid->OnGetFloatFormat = [&](TObject *, int, int, bool &isFloat, QString &f) {
        isFloat = keep;
        if (!format.isEmpty())
            f = format;
    };
    EXPECT_EQ(grid->GetFormattedCell(2, 2), QStringLiteral("3.14"));
    EXPECT_EQ(grid->GetFormattedCell(2, 3), QStringLiteral("abc"));
    format = QStringLiteral("%d items");
    EXPECT_EQ(grid->GetFormattedCell(2, 4), QStringLiteral("42 items"));
    // A format that does not fit the value leaves the text as it is.
    for (const char *hostile : {"%s", "%s%s%n", "%.2f %s", "%x"}) {
        format = QString::fromLatin1(hostile);
        EXPECT_EQ(grid->GetFormattedCell(2, 2), QStringLiteral("3.14159")) << hostile;
    }
    keep = false;
    format.clear();
    EXPECT_EQ(grid->GetFormattedCell(2, 2), QStringLiteral("3.14159"));
}

TEST_F(MeasureTest, TextSizeCountsLinesOnlyWithMultilineCells)
{
    const QString text = QStringLiteral("top\rbottom line");
    grid->SetCells(2, 2, text);
    const QFontMetrics fm(grid->Font().ToQFont());
    grid->SetMultilinecells(true);
    TPoint s = grid->CellTextSize(2, 2);
    EXPECT_EQ(s.Y, 2 * fm.height());
    EXPECT_EQ(s.X, fm.horizontalAdvance(QStringLiteral("bottom line")));
    grid->SetMultilinecells(false);
    s = grid->CellTextSize(2, 2);
    EXPECT_EQ(s.Y, fm.height());
    EXPECT_EQ(s.X, fm.horizontalAdvance(text));
    // Fixed cells are measured in the bold fixed font.
    grid->SetCells(2, 0, QStringLiteral("Header"));
    EXPECT_GT(grid->CellTextSize(2, 0).X, fm.horizontalAdvance(QStringLiteral("Header")));
}

TEST_F(MeasureTest, AutoDeleteOfTheOnlyNormalRowClearsIt)
{
    grid->SetRowCount(2);
    int deleted = -1;
    grid->OnAutoDeleteRow = [&](TObject *, int ARow) { deleted = ARow; };
    grid->DoAutoDeleteRow(1);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(2, 1), QString());
    EXPECT_EQ(deleted, 1);
}

TEST_F(MeasureTest, FixedEditAndSelectionHooks)
{
    TStringList values;
    EXPECT_EQ(grid->DoFixedEdit(1, 0, values), fceEdit);
    grid->OnFixedEdit = [](TObject *, int, int, TGridFixedCellEditor &e, TStringList &v) {
        e = fceComboList;
        v.Add(QStringLiteral("a"));
    };
    EXPECT_EQ(grid->DoFixedEdit(1, 0, values), fceComboList);
    EXPECT_EQ(values.Count(), 1);

    int fired = 0;
    grid->OnSelectionChanged = [&](TObject *, int, int, int, int) { ++fired; };
    grid->DoSelectionChanged(1, 1, 2, 2);
    EXPECT_EQ(fired, 1);
    EXPECT_TRUE(grid->SelectionChangedFlag());
}

}   // namespace

namespace {

TEST_F(MeasureTest, SaveTextOfCheckBoxesMarkupAndTheSaveEvent)
{
    grid->SetCells(2, 2, QString());
    grid->AddCheckBox(2, 2, true, false);
    grid->SetCells(2, 3, QString());
    grid->AddCheckBox(2, 3, false, false);
    grid->SetCells(3, 2, QStringLiteral("<b>bold</b>"));
    struct
    {
        int col, row;
        bool withHtml;
        const char *expected;
    } cases[] = {{2, 2, false, "Y"}, {2, 3, false, "N"}, {3, 2, false, "bold"},
                 {3, 2, true, "<b>bold</b>"}, {1, 1, false, "r1c1"}};
    for (const auto &c : cases) {
        grid->SetSaveWithHTML(c.withHtml);
        EXPECT_EQ(grid->SaveText(c.col, c.row), QString::fromUtf8(c.expected))
            << c.col << "," << c.row;
    }
    grid->OnSaveCell = [](TObject *, int, int, QString &v) { v = u'[' + v + u']'; };
    EXPECT_EQ(grid->SaveText(1, 1), QStringLiteral("[r1c1]"));
}

}   // namespace
