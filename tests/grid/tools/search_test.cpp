#include "grid/string/searchpanel.h"
#include "grid/tools/gridsearch.h"
#include "toolgrid.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTest>
#include <functional>
#include <vector>

namespace {

constexpr TPoint None{-1, -1};

using Search = ToolGridTest;

// Three columns, three rows, no fixed cells; "a" in three places.
void FillThree(ToolGridTest &T)
{
    T.Fill({L({"a", "x", "a"}), L({"x", "a", "x"}), L({"x", "x", "y"})});
}

}   // namespace

TEST_F(Search, FindFirstAndNextWalkTheCellsWithoutWrappingAround)
{
    FillThree(*this);
    // Column by column: (0,0), (1,1), (2,0); then nothing, then from the first hit again.
    EXPECT_EQ(GridSearch::FindFirst(Grid, "a", 0), TPoint(0, 0));
    for (TPoint expected : {TPoint(1, 1), TPoint(2, 0), None, TPoint(0, 0)})
        EXPECT_EQ(GridSearch::FindNext(Grid), expected);

    // Row by row: (0,0), (2,0), (1,1).
    EXPECT_EQ(GridSearch::FindFirst(Grid, "a", fnDirectionLeftRight), TPoint(0, 0));
    EXPECT_EQ(GridSearch::FindNext(Grid), TPoint(2, 0));
    EXPECT_EQ(GridSearch::FindNext(Grid), TPoint(1, 1));
    EXPECT_EQ(GridSearch::FindNext(Grid), None);

    // Backwards from nothing starts at the bottom-right cell.
    EXPECT_EQ(GridSearch::FindFirst(Grid, "y", fnBackward), TPoint(2, 2));
    EXPECT_EQ(GridSearch::FindFirst(Grid, "a", fnBackward), TPoint(2, 0));
    EXPECT_EQ(GridSearch::FindNext(Grid), TPoint(1, 1));
}

TEST_F(Search, MatchOptions)
{
    struct Case
    {
        QStringList Cells;
        QString Text;
        TFindParams Params;
        int Hit;   // column of the hit in the single row, -1 for none
    };
    const Case cases[] = {
        {L({"xabc", "abc"}), "abc", 0, 0},
        {L({"xabc", "abc"}), "abc", fnMatchStart, 1},
        {L({"abcd", "abc"}), "abc", fnMatchFull, 1},
        {L({"ABC"}), "abc", 0, 0},
        {L({"abc"}), "ABC", 0, 0},
        {L({"ABC"}), "abc", fnMatchCase, -1},
        {L({"ABC", "abc"}), "abc", fnMatchCase, 1},
        {L({"x", "", "y"}), "\"\"", 0, 1},
        {L({"3", "5", "7"}), ">5", fnMatchRegular, 2},
        {L({"<b>a</b>c"}), "ac", 0, -1},
        {L({"<b>a</b>c"}), "ac", fnIgnoreHTMLTags, 0},
        {L({"éclair"}), "ÉCL", 0, 0},        // upper-cased outside ASCII too
        {L({"straße"}), "STRASSE", 0, 0},    // one letter upper-cases to two
        {L({"abc"}), "", 0, -1},             // an empty text finds nothing
    };
    for (const Case &c : cases) {
        Fill({c.Cells});
        const TPoint hit = GridSearch::FindFirst(Grid, c.Text, c.Params);
        EXPECT_EQ(hit, c.Hit < 0 ? None : TPoint(c.Hit, 0)) << c.Text.toStdString() << " in "
                                                            << c.Cells.join('|').toStdString();
    }
}

TEST_F(Search, RangesAndRestrictions)
{
    struct Case
    {
        const char *Name;
        TFindParams Params;
        std::function<void(TDazStringGrid &)> Setup;
        TPoint Hit;
    };
    const auto none = [](TDazStringGrid &) {};
    const Case cases[] = {
        {"normal cells", 0, none, {1, 1}},
        {"fixed cells", fnIncludeFixed, none, {0, 0}},
        {"current row", fnFindInCurrentRow, [](TDazStringGrid &G) { G.FocusCell(1, 2); }, {1, 2}},
        {"current column", fnFindInCurrentCol, [](TDazStringGrid &G) { G.FocusCell(2, 1); }, {2, 1}},
        {"preset column", fnFindInPresetCol, [](TDazStringGrid &G) { GridSearch::SetFindCol(G, 2); }, {2, 1}},
        {"preset row", fnFindInPresetRow, [](TDazStringGrid &G) { GridSearch::SetFindRow(G, 2); }, {1, 2}},
        {"selection", fnSelectedCells, [](TDazStringGrid &G) { G.SetSelection({2, 2, 2, 2}); }, {2, 2}},
        {"ignored column", 0, [](TDazStringGrid &G) { G.IgnoreColumns().Add(1); }, {2, 1}},
        {"ignored column backwards", fnBackward, [](TDazStringGrid &G) { G.IgnoreColumns().Add(2); }, {1, 2}},
        {"footer rows", fnBackward, [](TDazStringGrid &G) { G.SetFixedFooters(1); }, {2, 1}},
        {"right columns", fnBackward, [](TDazStringGrid &G) { G.SetFixedRightCols(1); }, {1, 2}},
    };
    for (const Case &c : cases) {
        Fill({L({"a", "a", "a"}), L({"a", "a", "a"}), L({"a", "a", "a"})}, 1);
        Grid.SetFixedCols(1);
        Grid.IgnoreColumns().Clear();
        Grid.SetFixedFooters(0);
        Grid.SetFixedRightCols(0);
        Grid.FocusCell(1, 1);
        c.Setup(Grid);
        EXPECT_EQ(GridSearch::FindFirst(Grid, "a", c.Params), c.Hit) << c.Name;
    }
}

TEST_F(Search, HiddenColumnsAndRowsAreSearchedOnlyWhenAsked)
{
    Fill({L({"a", "z", "b"}), L({"h", "c", "d"}), L({"e", "f", "g"})});
    Grid.HideColumn(1);
    Grid.HideRow(1);
    EXPECT_EQ(GridSearch::FindFirst(Grid, "z", 0), None);
    EXPECT_EQ(GridSearch::FindFirst(Grid, "z", fnIncludeHiddenColumns), TPoint(1, 0));
    EXPECT_EQ(GridSearch::FindFirst(Grid, "h", 0), None);
    // Rows are real indexes in this mode.
    EXPECT_EQ(GridSearch::FindFirst(Grid, "h", fnIncludeHiddenRows), TPoint(0, 1));
    EXPECT_EQ(GridSearch::FindFirst(Grid, "e", fnIncludeHiddenRows), TPoint(0, 2));
    EXPECT_EQ(GridSearch::FindFirst(Grid, "e", 0), TPoint(0, 1));
}

TEST_F(Search, AutoGotoMakesTheHitCurrentAndOpensItsNode)
{
    Fill({L({"", "h"}), L({"", "a"}), L({"", "b"}), L({"", "c"}), L({"", "d"})}, 1);
    Grid.SetFixedCols(1);
    GridSearch::FindFirst(Grid, "c", fnAutoGoto);
    EXPECT_EQ(Grid.Col(), 1);
    EXPECT_EQ(Grid.Row(), 3);

    Grid.AddNode(1, 3);   // rows 1 to 3
    Grid.ContractNode(1);
    ASSERT_EQ(Grid.RowCount(), 3);
    EXPECT_EQ(GridSearch::FindFirst(Grid, "b", fnAutoGoto | fnIncludeHiddenRows), TPoint(1, 2));
    EXPECT_EQ(Grid.RowCount(), 5);   // expanded
    EXPECT_EQ(Grid.Row(), 2);

    Grid.MouseActions().SetDisjunctRowSelect(true);
    GridSearch::FindFirst(Grid, "d", fnAutoGoto);
    EXPECT_EQ(Grid.Row(), 4);
    EXPECT_TRUE(Grid.RowSelect(4));
    EXPECT_FALSE(Grid.RowSelect(2));
}

namespace {

// Records the find's notifications and whether FindBusy held during them.
class NotifyingGrid : public TDazStringGrid
{
public:
    std::vector<TGridExportState> States;
    bool BusyInside = true;
    void ExportNotification(TGridExportState AState, int ARow) override
    {
        States.push_back(AState);
        if (AState == esExportNewRow)
            BusyInside = BusyInside && GridSearch::FindBusy(*this);
    }
};

}   // namespace

TEST(SearchNotify, StartOneCallPerCellThenDoneOrFail)
{
    InstallGridTools();
    NotifyingGrid g;
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetCells(1, 1, "q");
    EXPECT_EQ(GridSearch::FindFirst(g, "q", 0), TPoint(1, 1));
    EXPECT_EQ(g.States, (std::vector<TGridExportState>{esExportStart, esExportNewRow, esExportNewRow,
                                                        esExportNewRow, esExportNewRow, esExportFail}));
    g.States.clear();
    EXPECT_EQ(GridSearch::FindFirst(g, "none", 0), None);
    EXPECT_EQ(g.States.front(), esExportStart);
    EXPECT_EQ(g.States.back(), esExportDone);
    EXPECT_EQ(g.States.size(), 6u);
    EXPECT_TRUE(g.BusyInside);
    EXPECT_FALSE(GridSearch::FindBusy(g));
}

TEST_F(Search, ReplaceChangesEveryMatchingCell)
{
    Fill({L({"Aa", "ca", "x"})});
    Grid.ShowModified().SetEnabled(true);
    EXPECT_EQ(GridSearch::Replace(Grid, "a", "b", 0), 2);
    EXPECT_EQ(Grid.Cells(0, 0), "bb");
    EXPECT_EQ(Grid.Cells(1, 0), "cb");
    EXPECT_EQ(Grid.Cells(2, 0), "x");
    EXPECT_TRUE(Grid.RowModified(0));

    // With the letter case matching, other cases stay.
    Fill({L({"Aa", "ca"})});
    EXPECT_EQ(GridSearch::Replace(Grid, "a", "b", fnMatchCase), 2);
    EXPECT_EQ(Grid.Cells(0, 0), "Ab");
    EXPECT_EQ(Grid.Cells(1, 0), "cb");
}

TEST_F(Search, ARestrictedFindMovesOnSoReplaceEnds)
{
    // The new text still matches: each cell must be replaced once.
    Fill({L({"a", "a"}), L({"a", "a"}), L({"a", "a"})});
    Grid.FocusCell(1, 0);
    EXPECT_EQ(GridSearch::Replace(Grid, "a", "aa", fnFindInCurrentCol | fnDirectionLeftRight), 3);
    EXPECT_EQ(Column(1), L({"aa", "aa", "aa"}));
    EXPECT_EQ(Column(0), L({"a", "a", "a"}));
    GridSearch::SetFindRow(Grid, 1);
    EXPECT_EQ(GridSearch::Replace(Grid, "a", "aa", fnFindInPresetRow), 2);
    EXPECT_EQ(Grid.Cells(0, 1), "aa");
    EXPECT_EQ(Grid.Cells(1, 1), "aaaa");
}

TEST_F(Search, KeySearchLooksInTheSortColumn)
{
    Fill({L({"h", "h2"}), L({"zz", "abd"}), L({"ab", "abc"}), L({"b", "abc"})}, 1);
    Grid.SetFixedCols(0);
    EXPECT_EQ(Grid.Search("AB"), 2);   // not sorted: the first normal column
    Grid.SortSettings().SetShow(true);
    Grid.SortSettings().SetColumn(1);
    EXPECT_EQ(Grid.Search("ABC"), 2);
    EXPECT_EQ(Grid.Search("AB"), 1);
    EXPECT_EQ(Grid.Search("Q"), -1);
    Grid.SortSettings().SetIndexShow(true);
    Grid.SortIndexes().AddIndex(0, true);
    EXPECT_EQ(Grid.Search("B"), 3);
    Grid.SetRowCount(1);
    EXPECT_EQ(Grid.Search("H"), -1);
}

TEST_F(Search, TypingOverASortedGridGoesToTheRow)
{
    Fill({L({"h"}), L({"apple"}), L({"banana"}), L({"berry"}), L({"cherry"})}, 1);
    Grid.Navigation().SetAutoGotoWhenSorted(true);
    Grid.Navigation().SetAutoGotoIncremental(true);
    QTest::keyClicks(&Grid, "be");
    EXPECT_EQ(Grid.Row(), 3);
    EXPECT_EQ(Grid.SearchInc(), "be");
    QTest::keyClick(&Grid, Qt::Key_Backspace);
    EXPECT_EQ(Grid.Row(), 2);
    QTest::keyClick(&Grid, 'x');   // no row: the text is forgotten
    EXPECT_EQ(Grid.SearchInc(), "");
    Grid.Navigation().SetAutoGotoIncremental(false);
    QTest::keyClicks(&Grid, "bc");   // each key alone
    EXPECT_EQ(Grid.Row(), 4);
}

// The search bar as the grid drives it.
struct SearchBar : ToolGridTest
{
    TSearchPanel *Panel = nullptr;
    std::vector<std::pair<TPoint, TSearchAction>> Actions;
    SearchBar()
    {
        Fill({L({"h", "h"}), L({"abc", "x"}), L({"x", "ab"}), L({"x", "y"})}, 1);
        Grid.resize(400, 300);
        Grid.SearchFooter().SetVisible(true);
        Panel = Grid.SearchPanel();
        Grid.OnSearchFooterAction = [this](TObject *, const QString &, int c, int r,
                                           TSearchAction a) { Actions.push_back({{c, r}, a}); };
    }
    void Type(const QString &Text) { Panel->EditControl()->setText(Text); }
};

TEST_F(SearchBar, TypingFindsAndColoursTheEditBox)
{
    Type("ab");
    EXPECT_EQ(Grid.Col(), 0);
    EXPECT_EQ(Grid.Row(), 1);
    EXPECT_EQ(Panel->EditColor(), TColor(clWindow));
    Type("abq");
    EXPECT_EQ(Panel->EditColor(), TColor(clRed));
    EXPECT_EQ(Actions.back().first, None);
    EXPECT_EQ(Actions.back().second, saFindFirst);
    Type("");
    EXPECT_EQ(Panel->EditColor(), TColor(clWindow));

    // Fixed cells by the settings.
    Type("h");
    EXPECT_EQ(Panel->EditColor(), TColor(clRed));
    Grid.SearchFooter().SetSearchFixedCells(true);
    Type("");
    Type("h");
    EXPECT_EQ(Grid.Col(), 0);
    EXPECT_EQ(Grid.Row(), 0);

    // A handler may take the search over.
    Grid.OnSearchEditChange = [](TObject *, const QString &, bool &Default) { Default = false; };
    Grid.FocusCell(1, 3);
    Type("ab");
    EXPECT_EQ(Grid.Row(), 3);
}

TEST_F(SearchBar, HighlightingMarksEveryOccurrence)
{
    Type("ab");
    Panel->HighLightButton()->SetDown(true);
    Grid.SearchFooterHighlight();
    EXPECT_NE(Grid.Cells(1, 2), "ab");
    EXPECT_EQ(Grid.StrippedCells(1, 2), "ab");
    EXPECT_NE(Grid.Cells(0, 1), "abc");
    // Typing again finds through the marks and moves them.
    Type("abc");
    EXPECT_EQ(Grid.Cells(1, 2), "ab");
    EXPECT_NE(Grid.Cells(0, 1), "abc");
    Panel->HighLightButton()->SetDown(false);
    Grid.SearchFooterHighlight();
    EXPECT_EQ(Grid.Cells(0, 1), "abc");
}

TEST_F(SearchBar, FindNextAndPreviousContinueAndRestart)
{
    Grid.SearchFooter().SetAutoSearch(false);   // typing alone finds nothing
    Type("b");
    Grid.SearchFooterFindNext();
    EXPECT_EQ(Actions.back().first, TPoint(0, 1));
    EXPECT_EQ(Actions.back().second, saFindNext);
    Grid.SearchFooterFindNext();
    EXPECT_EQ(Actions.back().first, TPoint(1, 2));
    Grid.SearchFooterFindNext();
    EXPECT_EQ(Actions.back().first, None);   // reported also without a hit
    Grid.SearchFooterFindNext();
    EXPECT_EQ(Actions.back().first, TPoint(0, 1));   // starts over
    Grid.SearchFooterFindPrevious();
    EXPECT_EQ(Actions.back().first, None);
    EXPECT_EQ(Actions.back().second, saFindPrevious);
    Grid.SearchFooterFindPrevious();
    EXPECT_EQ(Actions.back().first, TPoint(1, 2));   // from the last cell
    EXPECT_EQ(Grid.Row(), 2);
    // A new text starts at the first cell.
    Type("x");
    Grid.SearchFooterFindNext();
    EXPECT_EQ(Actions.back().first, TPoint(0, 2));
}

TEST_F(SearchBar, TheButtonsAndKeysReachTheHandlers)
{
    bool closed = false;
    Grid.OnSearchFooterClose = [&](TObject *) { closed = true; };
    Grid.SearchFooter().SetAutoSearch(false);
    Type("ab");
    QTest::keyClick(Panel->EditControl(), Qt::Key_Return);
    EXPECT_EQ(Actions.back().second, saFindNext);
    QTest::keyClick(Panel->EditControl(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Actions.back().second, saFindPrevious);
    EXPECT_EQ(Panel->EditControl()->text(), "ab");   // no line break typed
    Panel->CloseButton()->Click();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(Grid.SearchFooter().Visible());
}

TEST(SearchPanel, LayoutAndButtons)
{
    QWidget owner;
    TSearchPanel panel(&owner);
    panel.resize(700, 32);
    struct Place
    {
        QWidget *Control;
        QRect Rect;
    };
    const Place places[] = {
        {panel.ForwardButton(), {140, 5, 90, 23}},  {panel.BackwardButton(), {235, 5, 90, 23}},
        {panel.CloseButton(), {5, 7, 14, 14}},      {panel.HighLightButton(), {330, 5, 90, 23}},
    };
    for (const Place &p : places)
        EXPECT_EQ(p.Control->geometry(), p.Rect);
    EXPECT_EQ(panel.EditControl()->geometry().topLeft(), QPoint(25, 6));
    EXPECT_EQ(panel.EditControl()->width(), 110);
    EXPECT_EQ(panel.MatchCase()->pos(), QPoint(425, 8));
    EXPECT_EQ(panel.HighLightButton()->Style(), tasCheck);

    panel.HighLightButton()->setVisible(false);
    panel.LayoutControls();
    EXPECT_EQ(panel.MatchCase()->x(), 330);

    panel.setLayoutDirection(Qt::RightToLeft);
    EXPECT_EQ(panel.CloseButton()->x(), 700 - 14 - 5);
    EXPECT_EQ(panel.ForwardButton()->x(), 700 - 90 - 140);
    EXPECT_EQ(panel.MatchCase()->x(), 330);

    // The buttons follow the text.
    for (TDazGridButton *b : {panel.ForwardButton(), panel.BackwardButton(), panel.HighLightButton()})
        EXPECT_FALSE(b->isEnabled());
    QTest::keyClick(panel.EditControl(), 'a');
    for (TDazGridButton *b : {panel.ForwardButton(), panel.BackwardButton(), panel.HighLightButton()})
        EXPECT_TRUE(b->isEnabled());
    QTest::keyClick(panel.EditControl(), Qt::Key_Backspace);
    EXPECT_FALSE(panel.ForwardButton()->isEnabled());
    EXPECT_FALSE(panel.ForwardButton()->Glyph().isNull());
}

TEST(SearchPanel, PaintsFlatOrAGradientUnderALine)
{
    TDazStringGrid grid;
    grid.SetGridLineColor(0x0000FF);   // red
    TSearchPanel panel(&grid);
    panel.resize(700, 32);
    panel.SetColor(0x00FF00);   // green
    panel.SetColorTo(clNone);
    QImage flat = panel.grab().toImage();
    EXPECT_EQ(flat.pixelColor(650, 0), QColor(255, 0, 0));
    EXPECT_EQ(flat.pixelColor(650, 2), QColor(0, 255, 0));
    EXPECT_EQ(flat.pixelColor(650, 30), QColor(0, 255, 0));
    panel.SetColorTo(0xFF0000);   // blue
    QImage gradient = panel.grab().toImage();
    EXPECT_EQ(gradient.pixelColor(650, 0), QColor(255, 0, 0));
    EXPECT_GT(gradient.pixelColor(650, 2).green(), 200);
    EXPECT_GT(gradient.pixelColor(650, 30).blue(), 200);
    EXPECT_LT(gradient.pixelColor(650, 30).green(), 60);
}
