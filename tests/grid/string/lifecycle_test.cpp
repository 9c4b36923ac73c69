// The string grid's end of loading, window creation and resizing: what each must finish
// that the property setters leave undone while the grid is loading.
#include "grid/base/griddragdrop.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/footerpanel.h"
#include "platform/theme.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(StringGridLifecycle, SuiteLookSetWhileLoadingIsAppliedWhenLoadingEnds)
{
    TDazStringGrid g;
    g.BeginLoading();
    g.ControlLook().SetFixedGradientTo(clRed);
    g.SetLook(glQVR);
    g.Loaded();
    EXPECT_EQ(g.Look(), glQVR);
    EXPECT_EQ(g.ControlLook().FixedGradientTo(), clSilver);
    EXPECT_EQ(g.ControlLook().FixedGradientHoverFrom(), TColor(0xCFD0D1));
    EXPECT_EQ(g.SearchFooter().Color(), g.QVRGradientFrom());
}

TEST(StringGridLifecycle, BalloonSwitchedOnWhileLoadingStartsWithTheGrid)
{
    {
        TDazStringGrid g;
        g.BeginLoading();
        g.Balloon().SetEnable(true);
        EXPECT_FALSE(g.BalloonActive());
        g.Loaded();
        EXPECT_TRUE(g.BalloonActive());
    }
    {
        // Switched on while loading and never loaded: the window's creation starts it.
        TDazStringGrid g;
        g.BeginLoading();
        g.Balloon().SetEnable(true);
        g.show();
        EXPECT_TRUE(g.BalloonActive());
    }
}

TEST(StringGridLifecycle, DropTargetMadeWhileLoadingTakesTheFinalAcceptSwitches)
{
    TDazStringGrid g;
    g.BeginLoading();
    g.DragDropSettings().SetOleDropTarget(true);
    g.DragDropSettings().SetOleAcceptText(false);
    g.DragDropSettings().SetOleAcceptFiles(false);
    g.DragDropSettings().SetOleAcceptURLs(false);
    g.Loaded();
    const TASGDropTarget *target = g.DropTarget();
    ASSERT_NE(target, nullptr);
    EXPECT_FALSE(target->AcceptText);
    EXPECT_FALSE(target->AcceptFiles);
    EXPECT_FALSE(target->AcceptURLs);
}

TEST(StringGridLifecycle, CopyingAGridTakesItsScrollTypeWithTheScrollBarsOfIt)
{
    TDazStringGrid metro;
    metro.SetScrollType(ssMetro);
    TDazStringGrid g;
    g.Assign(&metro);
    EXPECT_EQ(g.ScrollType(), ssMetro);
    EXPECT_NE(g.VertScrollControl(), nullptr);
    EXPECT_NE(g.HorzScrollControl(), nullptr);
    EXPECT_EQ(g.ScrollBars(), ssNone);

    TDazStringGrid normal;
    g.Assign(&normal);
    EXPECT_EQ(g.ScrollType(), ssNormal);
    EXPECT_EQ(g.VertScrollControl(), nullptr);
    EXPECT_EQ(g.HorzScrollControl(), nullptr);
}

// A shown grid of four columns and 20-pixel rows with a label held in cell (1, ControlRow).
struct TControlGrid
{
    TControlGrid(int Rows, int Height, int ControlRow)
    {
        Grid.SetColCount(4);
        Grid.SetRowCount(Rows);
        Grid.SetDefaultRowHeight(20);
        Grid.resize(300, Height);
        Grid.show();
        Grid.SetCellControls(1, ControlRow, Label);
        Grid.CellControlsUpdate(true);
    }
    // The label shows over display row ADisplRow.
    bool Placed(int ADisplRow)
    {
        const TRect r = Grid.CellRect(1, ADisplRow);
        return Label->isVisible() &&
               Label->geometry() == QRect(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
    }
    TDazStringGrid Grid;
    QLabel *Label = new QLabel("a");
};

TEST(StringGridLifecycle, ResizingShowsTheControlsOfCellsThatComeIntoView)
{
    TControlGrid t(40, 120, 12);
    ASSERT_FALSE(t.Label->isVisible());   // below the view
    t.Grid.resize(300, 400);
    ASSERT_GE(t.Grid.TopRow() + t.Grid.VisibleRowCount(), 12);
    EXPECT_TRUE(t.Placed(12));
    t.Grid.resize(300, 120);
    EXPECT_FALSE(t.Label->isVisible());
}

TEST(StringGridLifecycle, ControlsFollowTheRowsThatAreHiddenAndShown)
{
    TControlGrid t(20, 400, 6);
    TDazStringGrid &g = t.Grid;
    ASSERT_TRUE(t.Placed(6));

    g.HideRows(2, 3);   // two rows above it close up
    EXPECT_TRUE(t.Placed(4));
    g.HideRow(6);       // its own row
    EXPECT_FALSE(t.Label->isVisible());
    g.UnHideRow(6);
    EXPECT_TRUE(t.Placed(4));
    g.UnHideRowsAll();
    EXPECT_TRUE(t.Placed(6));

    std::vector<int> rows{1, 3};   // the filter's list form
    g.HideRowList(rows);
    EXPECT_TRUE(t.Placed(4));
    g.UnHideRowList();
    EXPECT_TRUE(t.Placed(6));
}

// Counts the paint events a widget receives.
class TPaintCounter : public QObject
{
public:
    int Count = 0;

protected:
    bool eventFilter(QObject *, QEvent *Event) override
    {
        if (Event->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

TEST(StringGridLifecycle, RepaintingTheGridRepaintsItsFooterPanel)
{
    TDazStringGrid g;
    g.resize(300, 200);
    g.show();
    g.FloatingFooter().SetVisible(true);
    ASSERT_TRUE(g.FooterPanel()->isVisible());
    QApplication::processEvents();
    TPaintCounter paints;
    g.FooterPanel()->installEventFilter(&paints);
    g.Invalidate();
    QApplication::processEvents();
    EXPECT_GT(paints.Count, 0);

    // Right after an editor change the one request is swallowed, the footer's too.
    paints.Count = 0;
    g.SetEditChange();
    g.Invalidate();
    QApplication::processEvents();
    EXPECT_EQ(paints.Count, 0);
}

TEST(StringGridLifecycle, AGridThatAdaptsToTheThemeFollowsOfficeSchemeChanges)
{
    TFakeThemePlatformGuard platform;
    platform.Fake.CanWatch = true;
    platform.Fake.Keys = {OfficeKey2007, OfficeKey2007 + "\\General"};
    platform.Fake.Values[{OfficeKey2007, "Theme"}] = 1;   // blue
    QWidget form;
    auto *loaded = new TDazStringGrid(&form);
    loaded->BeginLoading();
    loaded->SetAutoThemeAdapt(true);
    loaded->Loaded();
    EXPECT_EQ(loaded->ComponentStyle(), tsOffice2007Luna);
    auto *later = new TDazStringGrid(&form);
    later->SetAutoThemeAdapt(true);
    auto *plain = new TDazStringGrid(&form);
    const TThemeNotifier *notifier = GetThemeNotifier(loaded);
    ASSERT_NE(notifier, nullptr);
    EXPECT_TRUE(notifier->WindowList().HasValue(loaded));
    EXPECT_TRUE(notifier->WindowList().HasValue(later));
    EXPECT_FALSE(notifier->WindowList().HasValue(plain));

    platform.Fake.Values[{OfficeKey2007, "Theme"}] = 3;   // black
    platform.Fake.ChangeKey(OfficeKey2007);
    EXPECT_EQ(loaded->ComponentStyle(), tsOffice2007Obsidian);
    EXPECT_EQ(later->ComponentStyle(), tsOffice2007Obsidian);
    EXPECT_NE(plain->ComponentStyle(), tsOffice2007Obsidian);

    later->SetAutoThemeAdapt(false);
    EXPECT_FALSE(notifier->WindowList().HasValue(later));
}

}   // namespace
