// Operations that read a cell's text, change it and write it back work on the stored text:
// what the display adds (links made from URLs, group counts of node rows) never ends up in
// the cell.
#include "grid/string/cellchecker.h"
#include "tests/grid/string/gridfixture.h"

#include <gtest/gtest.h>

namespace {

struct TRewrite {
    const char *Name;
    std::function<void(TDazStringGrid &, int Col, int Row)> Run;
};

TEST(TextRewrite, DisplayAdditionsNeverReachTheStoredText)
{
    TDazStringGridCheck checker;
    checker.SetUseCorrect(true);   // the base checker's correction keeps the text
    const TRewrite rewrites[] = {
        {"CheckCell", [](TDazStringGrid &g, int c, int r) { g.CheckCell(c, r); }},
        {"CheckRow", [](TDazStringGrid &g, int, int r) { g.CheckRow(true, r); }},
        {"SetControlValues",
         [](TDazStringGrid &g, int c, int r) {
             g.SetControlValues(c, r, "n", "w");
             g.SetControlValues(c, r, "n", "v");
         }},
    };
    const QString text =
        QStringLiteral("see www.example.com <CONTROL TYPE=\"EDIT\" ID=\"n\" VALUE=\"v\">");
    for (const TRewrite &op : rewrites) {
        SCOPED_TRACE(op.Name);
        auto grid = NamedGrid(3, 6, 1);
        grid->SetCellChecker(&checker);
        grid->AddNode(1, 4);
        grid->Grouping().SetShowGroupCount(true);
        grid->SetURLShowInText(true);
        grid->SetCells(1, 1, text);
        ASSERT_NE(grid->Cells(1, 1), text);   // the display does add something here
        op.Run(*grid, 1, 1);
        op.Run(*grid, 1, 1);
        const QString stored = grid->GetGridCell(1, 1);
        EXPECT_TRUE(stored.startsWith(QLatin1String("see www.example.com <CONTROL")))
            << stored.toStdString();
        EXPECT_TRUE(stored.endsWith(u'>')) << stored.toStdString();
        EXPECT_EQ(grid->ControlValues(1, 1, "n"), "v");
        grid->SetCellChecker(nullptr);
    }
}

class TCountingChecker : public TDazStringGridCheck
{
public:
    QString Correct(int, int, const QString &S) override
    {
        ++Calls;
        return S + u'!';
    }
    int Calls = 0;
};

// A merge holds one text: it is read at, checked at and written to its base cell.
TEST(TextRewrite, MergedCellsAreHandledAtTheirBaseCell)
{
    auto grid = NamedGrid(4, 3, 1);
    grid->SetCells(1, 1, QStringLiteral("<CONTROL TYPE=\"EDIT\" ID=\"n\" VALUE=\"a\">"));
    grid->MergeCells(1, 1, 2, 1);
    EXPECT_EQ(grid->ControlValues(2, 1, "n"), "a");
    grid->SetControlValues(2, 1, "n", "b");
    EXPECT_EQ(grid->ControlValues(1, 1, "n"), "b");

    TCountingChecker checker;
    checker.SetUseCorrect(true);
    grid->SetCellChecker(&checker);
    grid->SetCells(1, 2, QStringLiteral("x"));
    grid->MergeCells(1, 2, 3, 1);
    EXPECT_FALSE(grid->CheckRow(true, 2));
    EXPECT_EQ(checker.Calls, 2);   // column 0 and the merge
    EXPECT_EQ(grid->Cells(1, 2), "x!");
    grid->SetCellChecker(nullptr);
}

}   // namespace
