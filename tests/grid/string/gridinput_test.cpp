// The string grid's mouse and keyboard: which events fire in which order, check boxes by
// click and Space, header clicks (sizing borders, auto-size, sorting), links, and the keys'
// navigation, Tab advancing, editing and clipboard.
#include "eventlog.h"
#include "grid/base/textroutines.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/gridinputtools.h"
#include "grid/string/searchpanel.h"
#include "platform/process.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <set>

namespace {

// Counts the data tools' operations that the input starts.
struct TFakeInputTools : IGridInputTools
{
    QStringList Calls;
    void QSort(TDazStringGrid &G) override
    {
        Calls << QStringLiteral("QSort %1 %2").arg(G.SortSettings().Column()).arg(int(G.SortSettings().Direction()));
    }
    void QSortIndexed(TDazStringGrid &) override { Calls << "QSortIndexed"; }
    void QSortGroup(TDazStringGrid &) override { Calls << "QSortGroup"; }
    void QSortGroupIndexed(TDazStringGrid &) override { Calls << "QSortGroupIndexed"; }
    void QUnSort(TDazStringGrid &) override { Calls << "QUnSort"; }
    void CopySelectionToClipboard(TDazStringGrid &) override { Calls << "Copy"; }
    void CutSelectionToClipboard(TDazStringGrid &) override { Calls << "Cut"; }
    void PasteSelectionFromClipboard(TDazStringGrid &) override { Calls << "Paste"; }
};

struct ToolsGuard
{
    TFakeInputTools Fake;
    ToolsGuard() { SetGridInputTools(&Fake); }
    ~ToolsGuard() { SetGridInputTools(nullptr); }
};

// A grid whose cells of FixedColumn report themselves fixed.
class TInputGrid : public TDazStringGrid
{
public:
    int FixedColumn = -1;
    bool IsFixed(int ACol, int ARow) override
    {
        return ACol == FixedColumn || ACol < FixedCols() || ARow < FixedRows();
    }
};

struct InputTest : ::testing::Test
{
    TInputGrid Grid;
    TEventLog Log{Grid};
    InputTest()
    {
        Grid.SetColCount(5);
        Grid.SetRowCount(6);
        Grid.SetDefaultRowHeight(20);
        Grid.SetDefaultColWidth(60);
        Grid.resize(400, 250);
        Grid.show();
        Grid.setFocus();
        QApplication::processEvents();
        for (int c = 0; c < 5; ++c)
            for (int r = 1; r < 6; ++r)
                Grid.SetCells(c, r, QStringLiteral("%1%2").arg(QChar('a' + c)).arg(r));
        Log.Clear();
    }
    void Editing(bool On)
    {
        TGridOptions o = Grid.Options();
        if (On)
            o += goEditing;
        else
            o -= goEditing;
        Grid.SetOptions(o);
    }
    void CheckColumn(int ACol)
    {
        for (int r = 1; r < Grid.RowCount(); ++r) {
            Grid.SetCells(ACol, r, r % 2 ? "Y" : "N");
            Grid.AddCheckBox(ACol, r, false, true);
        }
    }
};

// ---------------------------------------------------------------------------------------
// Mouse

TEST_F(InputTest, PressOnATextCellFiresItsEventsInOrder)
{
    Log.Press(Log.At(2, 3));
    EXPECT_EQ(Log.Lines, (QStringList{"CanClickCell 3,2", "SelectCell 2,3", "MouseDown",
                                      "ClickCell 3,2"}));
    EXPECT_EQ(Grid.Col(), 2);
    EXPECT_EQ(Grid.Row(), 3);
    Log.Clear();
    Log.Release(Log.At(2, 3));
    // The selection drag ends with the grid's click; then the framework's release.
    EXPECT_EQ(Log.Lines, (QStringList{"Click", "SelectionChanged", "MouseUp"}));
}

TEST_F(InputTest, PressInADataCheckBoxOfAnEditableColumnTogglesIt)
{
    Editing(true);
    CheckColumn(1);
    ASSERT_EQ(Grid.Cells(1, 2), "N");
    Log.Press(Log.At(1, 2));
    EXPECT_EQ(Grid.Cells(1, 2), "Y");
    EXPECT_EQ(Grid.Col(), 1);
    EXPECT_EQ(Grid.Row(), 2);
    EXPECT_EQ(Log.Only({"CanClickCell", "CheckBoxChange", "CheckBoxClick", "MouseDown", "Click",
                        "ClickCell"}),
              (QStringList{"CanClickCell 2,1", "CheckBoxChange 1,2 on", "CheckBoxClick 1,2 on",
                           "MouseDown", "Click"}));
    Log.Release(Log.At(1, 2));
    EXPECT_TRUE(Log.Lines.contains("CheckBoxMouseUp 1,2"));
    Log.Press(Log.At(1, 2));
    EXPECT_EQ(Grid.Cells(1, 2), "N");   // exact texts, back and forth
    // A lower-case y is no check-true text: a press makes it "Y".
    Grid.SetCells(1, 4, "y");
    Log.Press(Log.At(1, 4));
    EXPECT_EQ(Grid.Cells(1, 4), "Y");
}

TEST_F(InputTest, CheckBoxOfAReadOnlyGridIsAPlainCellClick)
{
    CheckColumn(1);
    Log.Press(Log.At(1, 2));
    EXPECT_EQ(Grid.Cells(1, 2), "N");
    EXPECT_TRUE(Log.Lines.contains("ClickCell 2,1"));
    EXPECT_TRUE(Log.Only({"CheckBoxClick"}).isEmpty());
    // Unless check boxes are always active.
    Grid.ControlLook().SetCheckAlwaysActive(true);
    Log.Clear();
    Log.Press(Log.At(1, 2));
    EXPECT_EQ(Grid.Cells(1, 2), "Y");
    EXPECT_EQ(Log.Only({"CheckBoxClick", "ClickCell"}), QStringList{"CheckBoxClick 1,2 on"});
}

TEST_F(InputTest, SpaceActsOnTheCurrentCheckBoxAsAPressDoes)
{
    Editing(true);
    CheckColumn(1);
    Grid.FocusCell(1, 2);
    Log.Clear();
    Log.Key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(Grid.Cells(1, 2), "Y");
    EXPECT_EQ(Log.Only({"CheckBoxClick"}), QStringList{"CheckBoxClick 1,2 on"});
    EXPECT_FALSE(Grid.EditorMode());   // Space on a check box opens no editor
    // Read-only grid: only with CheckAlwaysActive.
    Editing(false);
    Log.Key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(Grid.Cells(1, 2), "Y");
    Grid.ControlLook().SetCheckAlwaysActive(true);
    Log.Key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(Grid.Cells(1, 2), "N");
}

TEST_F(InputTest, RadioButtonPressAndSpace)
{
    Editing(true);
    Grid.AddRadioButtonColumn(3);
    Log.Press(Log.At(3, 4));
    EXPECT_EQ(Grid.GetRadioButtonColumnIndex(3), 4);
    EXPECT_TRUE(Log.Lines.contains("RadioButtonClick 3,4"));
    Grid.FocusCell(3, 2);
    Log.Key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(Grid.GetRadioButtonColumnIndex(3), 2);
}

TEST_F(InputTest, HeaderPressesNearABorderAreSizingPresses)
{
    Grid.SetOptions(Grid.Options() + goColSizing);
    const TRect r = Grid.CellRect(2, 0);
    Log.Press(QPoint(r.Left + 2, r.Top + 5));
    Log.Release(QPoint(r.Left + 2, r.Top + 5));
    EXPECT_TRUE(Log.Only({"ClickCell"}).isEmpty());
    Log.Clear();
    Log.Click(QPoint(r.Left + r.Width() / 2, r.Top + 5));
    EXPECT_EQ(Log.Only({"ClickCell"}), QStringList{"ClickCell 0,2"});
}

TEST_F(InputTest, DoubleClickOnAHeaderBorderAutoSizesTheColumnLeftOfIt)
{
    ToolsGuard tools;
    Grid.SetOptions(Grid.Options() + goColSizing);
    Grid.SortSettings().SetShow(true);
    Grid.SetCells(1, 3, "a rather long text for column one");
    const TRect r = Grid.CellRect(2, 0);
    Log.DoubleClick(QPoint(r.Left + 1, r.Top + 5));
    EXPECT_GT(Grid.ColWidths(1), 60);
    EXPECT_EQ(Grid.ColWidths(2), 60);
    EXPECT_TRUE(Log.Lines.contains("ColumnSize 1"));
    EXPECT_TRUE(Log.Lines.contains("EndColumnSize 1"));
    EXPECT_TRUE(Log.Only({"DblClickCell"}).isEmpty());
    EXPECT_TRUE(tools.Fake.Calls.isEmpty());   // the release after it does not sort
}

TEST_F(InputTest, DoubleClickOnACellFiresDblClickCell)
{
    Log.DoubleClick(Log.At(3, 2));
    EXPECT_EQ(Log.Only({"DblClickCell"}), QStringList{"DblClickCell 2,3"});
}

TEST_F(InputTest, RightPressesFireRightClickCellEverywhere)
{
    Log.Click(Log.At(2, 3), Qt::RightButton);
    Log.Click(Log.At(0, 0), Qt::RightButton);
    Log.Click(QPoint(390, 240), Qt::RightButton);   // beyond the cells
    EXPECT_EQ(Log.Only({"RightClickCell"}),
              (QStringList{"RightClickCell 3,2", "RightClickCell 0,0", "RightClickCell -1,-1"}));
}

TEST_F(InputTest, RefusedClickChangesNothing)
{
    Grid.OnCanClickCell = [this](TObject *, int, int, bool &Allow) {
        Log.Lines << "CanClickCell";
        Allow = false;
    };
    Grid.FocusCell(1, 1);
    Log.Clear();
    Log.Press(Log.At(3, 4));
    EXPECT_EQ(Log.Lines, QStringList{"CanClickCell"});
    EXPECT_EQ(Grid.Col(), 1);
    EXPECT_EQ(Grid.Row(), 1);
}

TEST_F(InputTest, HeaderClicksSortThroughTheDataTools)
{
    ToolsGuard tools;
    Grid.SortSettings().SetShow(true);
    Grid.SortSettings().SetUndoSort(true);
    for (int i = 0; i < 3; ++i)
        Log.Click(Log.At(2, 0, 20));
    EXPECT_EQ(tools.Fake.Calls, (QStringList{"QSort 2 0", "QSort 2 1", "QUnSort"}));
    EXPECT_EQ(Log.Only({"ClickSort"}), (QStringList{"ClickSort 2", "ClickSort 2", "ClickSort -1"}));
    // A vetoed sort does nothing.
    Grid.OnCanSort = [](TObject *, int, bool &DoSort) { DoSort = false; };
    Log.Click(Log.At(3, 0, 20));
    EXPECT_EQ(tools.Fake.Calls.size(), 3);
}

TEST_F(InputTest, AHeaderClickSortsAFixedColumnOnlyWhenFixedColumnsSort)
{
    ToolsGuard tools;
    Grid.SortSettings().SetShow(true);
    ASSERT_EQ(Grid.FixedCols(), 1);
    Log.Click(Log.At(0, 0, 20));
    EXPECT_TRUE(tools.Fake.Calls.isEmpty());
    EXPECT_TRUE(Log.Only({"ClickSort"}).isEmpty());
    Grid.SortSettings().SetFixedCols(true);
    Log.Click(Log.At(0, 0, 20));
    EXPECT_EQ(tools.Fake.Calls, QStringList{"QSort 0 0"});
    EXPECT_EQ(Log.Only({"ClickSort"}), QStringList{"ClickSort 0"});
}

TEST_F(InputTest, LinksOpenOnlyWebAndMailAndCellJumpsMove)
{
    TFakeProcessesGuard processes;
    Grid.SetURLShow(true);
    Grid.SetCells(1, 1, "http://example.com/x");
    Grid.SetCells(1, 2, "file:///bin/sh -c ls://x");
    Log.Press(Log.At(1, 1));
    Log.Press(Log.At(1, 2));
    ASSERT_EQ(processes.Fake.Calls.size(), 1u);
    EXPECT_EQ(processes.Fake.Calls[0].program, "http://example.com/x");
    // OnAnchorClick may take the link over.
    Grid.OnAnchorClick = [](TObject *, int, int, const QString &, bool &Auto) { Auto = false; };
    Log.Press(Log.At(1, 1));
    EXPECT_EQ(processes.Fake.Calls.size(), 1u);
    Grid.OnAnchorClick = nullptr;
    Grid.SetCells(2, 1, "CELL://R4C3");
    Log.Press(Log.At(2, 1));
    EXPECT_EQ(Grid.Row(), 4);
    EXPECT_EQ(Grid.Col(), 3);
}

// ---------------------------------------------------------------------------------------
// Keyboard

TEST_F(InputTest, ArrowsStepOverFixedCells)
{
    Grid.FixedColumn = 2;
    Grid.FocusCell(1, 2);
    Log.Clear();
    Log.Key(Qt::Key_Right);
    EXPECT_EQ(Grid.Col(), 3);
    EXPECT_EQ(Log.Only({"KeyDown"}), QStringList{"KeyDown 39"});
    Log.Key(Qt::Key_Left);
    EXPECT_EQ(Grid.Col(), 1);
    Log.Key(Qt::Key_Left);   // column 0 is a fixed column: no cell left of it to go to
    EXPECT_EQ(Grid.Col(), 1);
}

TEST_F(InputTest, HomeAndEndAsTheSettingSays)
{
    Grid.FocusCell(2, 3);
    Log.Key(Qt::Key_End);
    EXPECT_EQ(Grid.Col(), 4);
    Log.Key(Qt::Key_Home);
    EXPECT_EQ(Grid.Col(), 1);
    EXPECT_EQ(Grid.Row(), 3);
    Grid.Navigation().SetHomeEndKey(heFirstLastCell);
    Log.Key(Qt::Key_End);
    EXPECT_EQ(Grid.Col(), 4);
    EXPECT_EQ(Grid.Row(), 5);
    Log.Key(Qt::Key_Home);
    EXPECT_EQ(Grid.Col(), 1);
    EXPECT_EQ(Grid.Row(), 1);
    Grid.Navigation().SetHomeEndKey(heFirstLastRow);
    Log.Key(Qt::Key_End);
    EXPECT_EQ(Grid.Row(), 5);
    EXPECT_EQ(Grid.Col(), 1);
}

TEST_F(InputTest, TabWrapsAppendsAndAlwaysEnds)
{
    Grid.SetOptions(Grid.Options() + goTabs);
    Grid.FocusCell(4, 5);
    Log.Key(Qt::Key_Tab);
    EXPECT_EQ(Grid.Col(), 1);
    EXPECT_EQ(Grid.Row(), 1);
    Log.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Grid.Col(), 4);
    EXPECT_EQ(Grid.Row(), 5);
    // Appending a row after the last tab stop.
    Grid.Navigation().SetAdvanceInsert(true);
    Log.Key(Qt::Key_Tab);
    EXPECT_EQ(Grid.RowCount(), 7);
    EXPECT_EQ(Grid.Row(), 6);
    EXPECT_EQ(Grid.Col(), 1);
    // Read-only cells of an editing grid are stepped over ...
    Grid.Navigation().SetAdvanceInsert(false);
    Grid.Navigation().SetAdvanceAutoEdit(false);
    Editing(true);
    Grid.SetReadOnly(2, 2, true);
    Grid.SetReadOnly(3, 2, true);
    Grid.FocusCell(1, 2);
    Log.Key(Qt::Key_Tab);
    EXPECT_EQ(Grid.Col(), 4);
    // ... and a grid in which nothing is editable ends its walk.
    for (int c = 0; c < Grid.ColCount(); ++c)
        for (int r = 0; r < Grid.RowCount(); ++r)
            Grid.SetReadOnly(c, r, true);
    Grid.FocusCell(2, 3);
    Log.Key(Qt::Key_Tab);
    SUCCEED();
}

TEST_F(InputTest, TabAtTheEndHandsTheTabToTheParent)
{
    QWidget parent;
    Grid.setParent(&parent);
    Grid.SetOptions(Grid.Options() + goTabs);
    Grid.Navigation().SetTabToNextAtEnd(true);
    Grid.FocusCell(4, 5);
    EXPECT_FALSE(Grid.TabToNextCell(false));
    EXPECT_EQ(Grid.Row(), 1);
    EXPECT_EQ(Grid.Col(), 1);
    Grid.setParent(nullptr);
}

TEST_F(InputTest, ATypedCharacterOpensTheEditorOfAnEditableCell)
{
    Editing(true);
    Grid.FocusCell(2, 2);
    Log.Key(Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_TRUE(Grid.EditorMode());
    ASSERT_NE(Grid.InplaceEditor(), nullptr);
    EXPECT_EQ(Grid.InplaceEditor()->text(), "x");
    EXPECT_EQ(Grid.StartEditChar(), QChar('x'));
    EXPECT_TRUE(Log.Lines.contains("KeyPress 120"));
}

TEST_F(InputTest, TheKeypadDecimalKeyTypesTheUsersSeparator)
{
    SetGridFormatOverride({u'/', u':', u'.', u',', "dd/MM/yyyy"});
    Editing(true);
    Grid.SetExcelStyleDecimalSeparator(true);
    Grid.FocusCell(2, 2);
    Log.Key(Qt::Key_Period, Qt::KeypadModifier, ".");
    EXPECT_EQ(Grid.InplaceEditor()->text(), ",");
    Grid.HideEditor();
    Grid.FocusCell(2, 3);
    Log.Key(Qt::Key_Period, Qt::NoModifier, ".");   // the main keyboard's full stop stays
    EXPECT_EQ(Grid.InplaceEditor()->text(), ".");
    SetGridFormatOverride({});
}

TEST_F(InputTest, SpaceOnAReadOnlyCheckBoxOfAnEditingGrid)
{
    Editing(true);
    CheckColumn(1);
    Grid.SetReadOnly(1, 2, true);
    Grid.FocusCell(1, 2);
    Log.Clear();
    Log.Key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(Grid.Cells(1, 2), "N");
    EXPECT_TRUE(Log.Only({"CheckBoxClick"}).isEmpty());
}

TEST_F(InputTest, EnterOnAReadOnlyGridReachesKeyDownOnceAndKeyPress)
{
    Grid.FocusCell(2, 2);
    Log.Clear();
    Log.Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(Log.Only({"KeyDown", "KeyPress"}), (QStringList{"KeyDown 13", "KeyPress 13"}));
}

TEST_F(InputTest, CtrlCCopiesOnceAndItsCharacterIsSwallowed)
{
    ToolsGuard tools;
    Grid.Navigation().SetAllowClipboardShortCuts(true);
    Log.Key(Qt::Key_C, Qt::ControlModifier, QString(QChar(3)));
    EXPECT_EQ(tools.Fake.Calls, QStringList{"Copy"});
    EXPECT_EQ(Log.Only({"ClipboardCopy"}).size(), 1);
    EXPECT_TRUE(Log.Only({"KeyPress"}).isEmpty());
    Log.Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(tools.Fake.Calls, (QStringList{"Copy", "Paste"}));
}

TEST_F(InputTest, MoveScrollOnlyScrollsWithoutMovingTheCell)
{
    Grid.Navigation().SetMoveScrollOnly(true);
    Grid.SetRowCount(40);
    Grid.FocusCell(1, 1);
    Log.Key(Qt::Key_Down);
    EXPECT_EQ(Grid.Row(), 1);
    EXPECT_EQ(Grid.TopRow(), 2);
    for (int i = 0; i < 60; ++i)
        Log.Key(Qt::Key_Down);
    EXPECT_EQ(Grid.TopRow() + Grid.VisibleRowCount(), Grid.RowCount());
}

TEST_F(InputTest, DeleteAndInsertRows)
{
    Grid.Navigation().SetAllowDeleteRow(true);
    Grid.Navigation().SetAllowInsertRow(true);
    Grid.FocusCell(1, 2);
    Log.Key(Qt::Key_Delete);
    EXPECT_EQ(Grid.RowCount(), 5);
    EXPECT_EQ(Grid.Cells(1, 2), "b3");
    Grid.Navigation().SetInsertPosition(pInsertAfter);
    Grid.FocusCell(1, 4);
    Log.Key(Qt::Key_Insert);
    EXPECT_EQ(Grid.RowCount(), 6);
    EXPECT_EQ(Grid.Cells(1, 5), "");
    // The only normal row is cleared instead of removed.
    Grid.SetRowCount(2);
    Grid.SetCells(1, 1, "last");
    Grid.FocusCell(1, 1);
    Log.Key(Qt::Key_Delete);
    EXPECT_EQ(Grid.RowCount(), 2);
    EXPECT_EQ(Grid.Cells(1, 1), "");
}

TEST_F(InputTest, CtrlArrowsMoveRowsAndTheCursorWraps)
{
    Grid.Navigation().SetCursorMoveRows(true);
    Grid.FocusCell(1, 2);
    Log.Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Grid.Cells(1, 3), "b2");
    EXPECT_EQ(Grid.Row(), 3);
    Grid.FocusCell(1, 1);
    Log.Key(Qt::Key_Up, Qt::ControlModifier);   // the first normal row stays
    EXPECT_EQ(Grid.Cells(1, 1), "b1");

    Grid.Navigation().SetCursorAdvance(caLoop);
    Grid.FocusCell(4, 2);
    Log.Key(Qt::Key_Right);
    EXPECT_EQ(Grid.Col(), 1);
    EXPECT_EQ(Grid.Row(), 2);
    Grid.Navigation().SetCursorAdvance(caSnake);
    Grid.FocusCell(4, 2);
    Log.Key(Qt::Key_Right);
    EXPECT_EQ(Grid.Col(), 1);
    EXPECT_EQ(Grid.Row(), 3);
}

TEST_F(InputTest, TheSearchBarTakesCtrlFAndItsButtonsAccelerators)
{
    QStringList clicks;
    Grid.SearchFooter().SetFindNextCaption("Find &next");   // as the windows set them
    Grid.SearchFooter().SetFindPrevCaption("Find &previous");
    Grid.SearchFooter().SetHighLightCaption("Highlight");
    TSearchPanel *panel = Grid.SearchPanel();
    panel->OnForwardClick = [&](QObject *) { clicks << "next"; };
    panel->OnBackwardClick = [&](QObject *) { clicks << "previous"; };
    panel->OnHighLightClick = [&](QObject *) { clicks << "highlight"; };
    Log.Key(Qt::Key_N, Qt::AltModifier);   // the bar is hidden: nothing
    Log.Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(clicks.isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), &Grid);
    Grid.SearchFooter().SetVisible(true);
    QApplication::processEvents();
    ASSERT_TRUE(panel->isVisible());
    Log.Key(Qt::Key_N, Qt::AltModifier);   // nothing to find yet: the buttons are disabled
    EXPECT_TRUE(clicks.isEmpty());
    panel->EditControl()->setText(QStringLiteral("a"));
    for (int key : {Qt::Key_N, Qt::Key_P, Qt::Key_H, Qt::Key_X})
        Log.Key(key, Qt::AltModifier);
    EXPECT_EQ(clicks, (QStringList{"next", "previous"}));   // "Highlight" has no accelerator
    panel->ForwardButton()->setEnabled(false);
    Log.Key(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(clicks.size(), 2);
    Log.Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), panel->EditControl());
}

TEST_F(InputTest, AHeaderCheckBoxChecksTheWholeColumn)
{
    Editing(true);
    Grid.MouseActions().SetCheckAllCheck(true);
    Grid.AddCheckBoxColumn(2, false, false);
    ASSERT_TRUE(Grid.HasCheckBox(2, 0));   // the header row gets one too
    Log.Clear();
    Log.Press(Log.At(2, 0));
    for (int r = 1; r < Grid.RowCount(); ++r)
        EXPECT_TRUE(Grid.IsChecked(2, r)) << r;
    EXPECT_EQ(Log.Only({"CheckBoxClick", "ClickCell"}), QStringList{"CheckBoxClick 2,0 on"});
    EXPECT_EQ(Grid.Row(), 1);   // a header box moves no current cell
    Log.Release(Log.At(2, 0));
    Log.Press(Log.At(2, 0));
    for (int r = 1; r < Grid.RowCount(); ++r)
        EXPECT_FALSE(Grid.IsChecked(2, r)) << r;
}

}   // namespace
