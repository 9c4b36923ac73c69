#include "exchange_fixture.h"

#include "grid/tools/gridcellstream.h"
#include "grid/tools/griddragdrop.h"
#include "grid/tools/gridtoolstate.h"

#include <QApplication>
#include <QBuffer>
#include <QListWidget>

namespace {

struct DragDropTest : ExchangeTest
{
    TGridDropTarget Target{Grid};
    DragDropTest()
    {
        Grid.SetOptions(Grid.Options() + goEditing);
        Grid.resize(400, 300);
        Grid.show();
    }
    // Rows x Cols of blanks under one fixed row.
    void Blank(int Cols, int Rows)
    {
        Grid.Clear();
        Fill(std::vector<QStringList>(size_t(Rows), QStringList(Cols, QString())), 1);
    }
    QPoint At(int ACol, int ARow)
    {
        const TRect r = Grid.CellRect(ACol, ARow);
        return Grid.viewport()->mapToGlobal(QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    TDropFormats Formats(std::initializer_list<TDropFormat> F)
    {
        TDropFormats out;
        for (TDropFormat f : F)
            out.Include(f);
        return out;
    }
};

TEST_F(DragDropTest, TextFillsAndSelectsTheBlock)
{
    Blank(6, 8);
    TGridRect dropped{9, 9, 9, 9};
    TGridToolState::Of(Grid).OnOleDropped = [&](TObject *, TGridRect R) { dropped = R; };
    Target.DropText(At(2, 5), "a\tb\tc\r\nd\te\tf\r\n");
    EXPECT_EQ(Grid.Cells(2, 5), "a");
    EXPECT_EQ(Grid.Cells(4, 6), "f");
    const TGridRect s = Grid.Selection();
    EXPECT_EQ((std::vector<int>{s.Left, s.Top, s.Right, s.Bottom}), (std::vector<int>{2, 5, 4, 6}));
    EXPECT_EQ(dropped.Left, 2);

    Grid.SetCells(2, 5, "old");
    Grid.DragDropSettings().SetOleInsertRows(true);
    Target.DropText(At(2, 5), "x\r\ny\r\n");
    EXPECT_EQ(Grid.RowCount(), 10);
    EXPECT_EQ(Column(2).mid(5, 3), QStringList({"x", "y", "old"}));
}

TEST_F(DragDropTest, RefusedDropStillReportsDropped)
{
    Blank(3, 3);
    bool fired = false;
    TGridToolState::Of(Grid).OnOleDrop = [](TObject *, int, int, const QString &, bool &Allow) { Allow = false; };
    TGridToolState::Of(Grid).OnOleDropped = [&](TObject *, TGridRect R) { fired = R.Left == -1; };
    Target.DropText(At(1, 1), "z");
    EXPECT_TRUE(fired);
    EXPECT_EQ(Grid.Cells(1, 1), "");
}

TEST_F(DragDropTest, EntireRowsAppendBelowTheLastRow)
{
    Blank(3, 3);
    Grid.DragDropSettings().SetOleEntireRows(true);
    Grid.DragDropSettings().SetOleAppendRows(true);
    const TRect last = Grid.CellRect(0, 2);
    const QPoint below = Grid.viewport()->mapToGlobal(QPoint(last.Left + 2, last.Bottom + 20));
    Target.DropText(below, "n1\tn2");
    EXPECT_EQ(Grid.RowCount(), 4);
    EXPECT_EQ(Grid.Cells(0, 3), "n1");
}

TEST_F(DragDropTest, FilesLinksAndRichText)
{
    Blank(3, 3);
    Put("table.csv", "p,q\r\n");
    std::vector<QString> loads;
    TGridToolState::Of(Grid).OnOleDrop = [&](TObject *, int, int, const QString &D, bool &) { loads.push_back(D); };
    Target.DropFiles(At(1, 1), {Path("table.csv"), Path("table.csv")});
    EXPECT_TRUE(loads.empty());
    Target.DropFiles(At(1, 1), {Path("table.csv")});
    EXPECT_EQ(Grid.Cells(1, 0), "q");
    EXPECT_THROW(Target.DropFiles(At(1, 1), {Path("data.XLS")}), EDazGridError);
    TGridToolState::Of(Grid).OnOleDropFile = [](TObject *, int, int, const QString &, bool &Allow) { Allow = false; };
    loads.clear();
    Target.DropFiles(At(1, 1), {Path("table.csv")});
    EXPECT_TRUE(loads.empty());

    Blank(3, 3);
    Target.DropURL(At(2, 2), "http://x");
    EXPECT_EQ(Grid.Cells(2, 2), "http://x");
    Target.DropRTF(At(1, 2), "{\\rtf1 r}");
    EXPECT_EQ(Grid.Cells(1, 2), "{\\rtf1 r}");
    // Nowhere near a cell: nothing changes.
    const QString before = Rows().join(u'/');
    Target.DropURL(Grid.viewport()->mapToGlobal(QPoint(390, 290)), "http://y");
    Target.DropRTF(Grid.viewport()->mapToGlobal(QPoint(390, 290)), "r");
    EXPECT_EQ(Rows().join(u'/'), before);
}

TEST_F(DragDropTest, ColumnsMoveAndReport)
{
    Fill({{"h0", "h1", "h2"}, {"a", "b", "c"}}, 1);
    int dropCol = -9;
    TGridToolState::Of(Grid).OnOleDropCol = [&](TObject *, int, int, int D) { dropCol = D; };
    Grid.DragDropSettings().SetOleColumnReorder(true);
    const TRect last = Grid.CellRect(2, 0);
    Target.DropCol(Grid.viewport()->mapToGlobal(QPoint(last.Right + 30, 5)), 0);
    EXPECT_EQ(dropCol, 3);
    EXPECT_EQ(Grid.Cells(2, 1), "a");
}

TEST_F(DragDropTest, HoverScrollsAndPlacesMarkers)
{
    Blank(3, 40);
    Grid.SetTopRow(10);
    bool allow = false;
    Target.DragMouseMove(At(1, 0), allow, Formats({dfText}));
    EXPECT_EQ(Grid.TopRow(), 9);
    EXPECT_FALSE(allow);   // a fixed row takes no drop
    Target.DragMouseMove(At(1, 12), allow, Formats({dfText}));
    EXPECT_TRUE(allow);
    ASSERT_TRUE(Target.ArwL()->isVisible());
    EXPECT_EQ(Target.ArwL()->pos(), Grid.viewport()->mapToGlobal(QPoint(Grid.CellRect(1, 12).Left - 10, Grid.CellRect(1, 12).Top)));
    Target.DragMouseLeave();
    EXPECT_FALSE(Target.ArwL()->isVisible());

    // Column data: only over a fixed row's normal cell, markers above and below.
    Target.DragMouseMove(At(1, 12), allow, Formats({dfCol}));
    EXPECT_FALSE(allow);
    Target.DragMouseMove(At(1, 0), allow, Formats({dfCol}));
    EXPECT_TRUE(allow);
    EXPECT_TRUE(Target.ArwD()->isVisible());
    EXPECT_EQ(Target.ArwD()->pos(), Grid.viewport()->mapToGlobal(QPoint(Grid.CellRect(1, 0).Left, Grid.CellRect(1, 0).Top - 8)));
}

TEST_F(DragDropTest, SourceKeepsTheLastEffect)
{
    TGridDropSource source(Grid);
    source.CurrentEffect(DROPEFFECT_MOVE);
    source.CurrentEffect(DROPEFFECT_LINK);
    EXPECT_EQ(source.LastEffect(), DROPEFFECT_MOVE);
}

}   // namespace

namespace {

TEST_F(DragDropTest, CellBlockLandsUnderThePoint)
{
    Blank(4, 4);
    TDazStringGrid source;
    source.SetFixedRows(0);
    source.SetFixedCols(0);
    source.SetColCount(3);
    source.SetRowCount(3);
    source.SetCells(0, 0, "s00");
    source.SetCells(1, 1, "s11");
    QByteArray stream;
    QBuffer buf(&stream);
    buf.open(QIODevice::WriteOnly);
    GridCellStream::SaveRectToBinStream(source, TRect(0, 0, 1, 1), buf);
    Target.DropStream(At(2, 2), stream);
    EXPECT_EQ(Grid.Cells(2, 2), "s00");
    EXPECT_EQ(Grid.Cells(3, 3), "s11");
}

TEST_F(DragDropTest, HorizontalScrollOncePerTimerTick)
{
    Grid.Clear();
    Fill(std::vector<QStringList>(5, QStringList(40, QString())), 1);
    const int visible = Grid.VisibleColCount();
    bool allow = false;
    const QPoint next = At(Grid.LeftCol() + visible, 2);
    Target.DragMouseMove(next, allow, Formats({dfText}));
    const int after = Grid.LeftCol();
    Target.DragMouseMove(next, allow, Formats({dfText}));
    EXPECT_EQ(Grid.LeftCol(), after);   // the same tick
    Grid.GridTimerTick();
    Target.DragMouseMove(At(Grid.LeftCol() + Grid.VisibleColCount(), 2), allow, Formats({dfText}));
    EXPECT_EQ(Grid.LeftCol(), after + 1);
}

}   // namespace

namespace {

TEST_F(DragDropTest, ColumnFromAListIsShownAndMoved)
{
    Fill({{"h0", "h1", "h2"}, {"a", "b", "c"}}, 1);
    Grid.HideColumn(1);
    QListWidget list;
    list.addItem(QStringLiteral("h1"));
    Grid.OleColumnDragStart(1, 0, &list);
    int reported = -9;
    TGridToolState::Of(Grid).OnOleDropCol = [&](TObject *, int, int, int D) { reported = D; };
    Target.DropCol(At(0, 0), 1);
    EXPECT_EQ(Grid.ColCount(), 3);
    EXPECT_EQ(Grid.Cells(Grid.RealColIndex(0), 1), "b");
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(Grid.OleDragCol(), -1);
    EXPECT_EQ(reported, 0);
}

}   // namespace
