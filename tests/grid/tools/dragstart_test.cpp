// Drags started from a grid: a press on the selection arms the drag, a move of more than
// 3 pixels runs it through a fake performer that drops the offered data on a grid's drop
// target, and the source then clears, removes or keeps what it moved.
#include "toolgrid.h"

#include "grid/base/griddragdrop.h"
#include "grid/string/headerdrag.h"
#include "grid/tools/griddragdrop.h"
#include "grid/tools/gridtoolstate.h"

#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QMouseEvent>

namespace {

// Plays the user's side of a drag: the offered data goes over Target's drop target at the
// screen point At and is dropped there. Without a target (or with a refusal) the drag
// ends with no effect.
struct TFakeDragPerformer
{
    TDazStringGrid *Target = nullptr;
    QPoint At;
    Qt::KeyboardModifiers Keys;
    int Runs = 0;
    QStringList Offered;
    std::function<void()> During;   // runs while the drag is under way

    TFakeDragPerformer()
    {
        SetDragExecHook([this](QDrag &Drag, int OkEffects) { return Perform(Drag, OkEffects); });
    }
    ~TFakeDragPerformer() { SetDragExecHook(nullptr); }

    int Perform(QDrag &Drag, int OkEffects)
    {
        ++Runs;
        Offered = Drag.mimeData()->formats();
        if (During)
            During();
        TASGDropTarget *target = Target ? Target->DropTarget() : nullptr;
        if (!target)
            return DROPEFFECT_NONE;
        int effect = OkEffects;
        target->DragEnter(Drag.mimeData(), Keys, At, effect);
        effect = OkEffects;
        target->DragOver(Keys, At, effect);
        if (effect == DROPEFFECT_NONE) {
            target->DragLeave();
            return DROPEFFECT_NONE;
        }
        emit Drag.actionChanged(Qt::DropAction(effect));
        effect = OkEffects;
        target->Drop(Drag.mimeData(), Keys, At, effect);
        return effect;
    }
};

void Send(TDazStringGrid &G, QEvent::Type Type, QPoint P, Qt::MouseButtons Held)
{
    QMouseEvent e(Type, QPointF(P), QPointF(G.viewport()->mapToGlobal(P)),
                  Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Held, Qt::NoModifier);
    QApplication::sendEvent(G.viewport(), &e);
}

QPoint Mid(TDazStringGrid &G, int ACol, int ARow)
{
    const TRect r = G.CellRect(ACol, ARow);
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

struct DragStartTest : ToolGridTest
{
    TDazStringGrid Other;
    TFakeDragPerformer Performer;
    QStringList Events;

    DragStartTest()
    {
        Fill({{"h0", "h1", "h2", "h3"},
              {"a0", "a1", "a2", "a3"},
              {"b0", "b1", "b2", "b3"},
              {"c0", "c1", "c2", "c3"}},
             1);
        Grid.resize(400, 200);
        Grid.show();
        Grid.DragDropSettings().SetOleDropSource(true);
        Grid.DragDropSettings().SetOleDropTarget(true);
        Grid.OnOleDrag = [this](TObject *, int R, int C, const QString &D, bool &) {
            Events << QStringLiteral("Drag %1,%2 %3").arg(R).arg(C).arg(D);
        };
        Grid.OnOleDragStart = [this](TObject *, int R, int C) {
            Events << QStringLiteral("Start %1,%2").arg(R).arg(C);
        };
        Grid.OnOleDragStop = [this](TObject *, int E) { Events << QStringLiteral("Stop %1").arg(E); };
        Grid.OnStartBlockFocus = [this](TObject *) { Events << QStringLiteral("Block"); };

        Other.SetFixedCols(0);
        Other.SetColCount(4);
        Other.SetRowCount(5);
        Other.SetOptions(Other.Options() + goEditing);
        Other.resize(400, 200);
        Other.show();
        Other.DragDropSettings().SetOleDropTarget(true);
    }
    // Press in a cell, then move with the button held by DX pixels.
    void PressAndMove(int ACol, int ARow, int DX)
    {
        const QPoint p = Mid(Grid, ACol, ARow);
        Send(Grid, QEvent::MouseButtonPress, p, Qt::LeftButton);
        Send(Grid, QEvent::MouseMove, p + QPoint(DX, 0), Qt::LeftButton);
    }
    void DropOn(TDazStringGrid &G, QPoint Client)
    {
        Performer.Target = &G;
        Performer.At = G.viewport()->mapToGlobal(Client);
    }
    std::vector<int> Sel() const
    {
        const TGridRect s = Grid.Selection();
        return {s.Left, s.Top, s.Right, s.Bottom};
    }
};

TEST_F(DragStartTest, CellTextGoesIntoAnotherGridWithTheEvents)
{
    Grid.SetSelection({1, 1, 2, 2});
    DropOn(Other, Mid(Other, 1, 3));
    Performer.Keys = Qt::ControlModifier;   // copy
    PressAndMove(2, 2, 10);
    EXPECT_EQ(Performer.Runs, 1);
    EXPECT_TRUE(Performer.Offered.contains(QStringLiteral("text/plain")));
    EXPECT_FALSE(Performer.Offered.contains(MimeGridCells));   // no cell format unless allowed
    EXPECT_EQ(Other.Cells(1, 3), "a1");
    EXPECT_EQ(Other.Cells(2, 4), "b2");
    EXPECT_EQ(Events, QStringList({"Drag 2,2 b2", "Start 2,2", "Block", "Stop 1"}));
    EXPECT_EQ(Grid.Cells(1, 1), "a1");   // a copy leaves the source alone
    EXPECT_FALSE(Grid.SelectionClick());
    EXPECT_FALSE(Grid.OleDragging());
}

TEST_F(DragStartTest, CellFormatTravelsWhenAllowed)
{
    Grid.Navigation().SetAllowFmtClipboard(true);
    Grid.SetSelection({1, 1, 2, 1});
    DropOn(Other, Mid(Other, 0, 1));
    Performer.Keys = Qt::ControlModifier;
    PressAndMove(1, 1, -8);
    EXPECT_TRUE(Performer.Offered.contains(MimeGridCells));
    EXPECT_EQ(Other.Cells(0, 1), "a1");
    EXPECT_EQ(Other.Cells(1, 1), "a2");
}

TEST_F(DragStartTest, AMoveClearsOrRemovesWhatItTookUnlessCopyAlways)
{
    struct Case
    {
        bool CopyAlways, RemoveRows;
        Qt::KeyboardModifiers Keys;
        int RowCount;
        QString Left;   // cell (1, 1) of the source afterwards
    };
    const Case cases[] = {
        {false, false, Qt::NoModifier, 4, ""},          // move: the cells are cleared
        {true, false, Qt::NoModifier, 4, "a1"},         // copy always: kept
        {false, false, Qt::ControlModifier, 4, "a1"},   // copy
        {false, true, Qt::NoModifier, 3, "b1"},         // row select: the rows go
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Left.toStdString() + std::to_string(c.RowCount));
        Fill({{"h0", "h1", "h2"}, {"a0", "a1", "a2"}, {"b0", "b1", "b2"}, {"c0", "c1", "c2"}}, 1);
        Grid.DragDropSettings().SetOleCopyAlways(c.CopyAlways);
        Grid.DragDropSettings().SetOleRemoveRows(c.RemoveRows);
        Grid.SetOptions(c.RemoveRows ? Grid.Options() + goRowSelect : Grid.Options() - goRowSelect);
        Grid.SetSelection(c.RemoveRows ? TGridRect{0, 1, 2, 1} : TGridRect{1, 1, 1, 1});
        DropOn(Other, Mid(Other, 0, 4));
        Performer.Keys = c.Keys;
        PressAndMove(1, 1, 6);
        EXPECT_EQ(Grid.RowCount(), c.RowCount);
        EXPECT_EQ(Grid.Cells(1, 1), c.Left);
        EXPECT_EQ(Other.Cells(0, 4), c.RemoveRows ? "a0" : "a1");
    }
}

TEST_F(DragStartTest, RowsMovedUpInsideTheGridLeaveFromWhereTheyWere)
{
    Grid.Navigation().SetAllowClipboardAlways(true);   // no editing: the drop may still fill
    Grid.SetOptions(Grid.Options() + goRowSelect);
    Grid.DragDropSettings().SetOleRemoveRows(true);
    Grid.DragDropSettings().SetOleInsertRows(true);
    Grid.SetSelection({0, 3, 3, 3});
    DropOn(Grid, Mid(Grid, 1, 1));
    PressAndMove(1, 3, 8);
    EXPECT_EQ(Column(0), QStringList({"h0", "c0", "a0", "b0"}));
    EXPECT_EQ(Column(3), QStringList({"h3", "c3", "a3", "b3"}));
}

TEST_F(DragStartTest, ColumnDraggedOutAndBackInMovesIt)
{
    Grid.SetEnhRowColMove(false);   // a header press then arms the drag
    Grid.DragDropSettings().SetOleColumnDragDrop(true);
    Grid.DragDropSettings().SetOleColumnReorder(true);
    Grid.DragDropSettings().SetShowCells(false);
    Grid.DragDropSettings().SetOleDropTarget(false);   // take the column setting on
    Grid.DragDropSettings().SetOleDropTarget(true);
    int dropped = -9;
    TGridToolState::Of(Grid).OnOleDropCol = [&](TObject *, int, int, int D) { dropped = D; };
    bool buttonShown = false;
    Performer.During = [&] {
        buttonShown = Grid.HeaderDragButton() && Grid.HeaderDragButton()->isVisible() &&
                      Grid.HeaderDragButton()->Caption() == "h0";
    };
    const TRect last = Grid.CellRect(3, 0);
    DropOn(Grid, QPoint(last.Right + 20, (last.Top + last.Bottom) / 2));   // beyond the last
    PressAndMove(0, 0, 6);
    EXPECT_TRUE(Performer.Offered.contains(MimeGridColumn));
    EXPECT_TRUE(buttonShown);
    EXPECT_FALSE(Grid.HeaderDragButton()->isVisible());
    EXPECT_EQ(dropped, 4);
    EXPECT_EQ(Column(3), QStringList({"h0", "a0", "b0", "c0"}));
    EXPECT_EQ(Column(0), QStringList({"h1", "a1", "b1", "c1"}));
    EXPECT_EQ(Events, QStringList({"Drag 0,0 h0", "Start 0,0", "Block", "Stop 2"}));
}

TEST_F(DragStartTest, DragPictureFollowsTheSelectionAndGoesAfterwards)
{
    Grid.SetSelection({1, 1, 2, 2});
    bool shown = false;
    QPoint followed;
    Performer.During = [&] {
        shown = Grid.DragImageForm() && Grid.DragImageForm()->isVisible();
        // The drop source moves the picture with the pointer.
        TGridDropSource source(Grid);
        QCursor::setPos(120, 90);
        source.QueryDrag();
        if (shown)
            followed = Grid.DragImageForm()->pos();
    };
    PressAndMove(1, 1, 5);   // no target: the drag ends with no effect
    EXPECT_TRUE(shown);
    EXPECT_EQ(followed, QCursor::pos() + QPoint(4, 4));
    EXPECT_EQ(Grid.DragImageForm(), nullptr);
    // A cancelled drag reports no stop and leaves the cells.
    EXPECT_EQ(Events, QStringList({"Drag 1,1 a1", "Start 1,1", "Block"}));
    EXPECT_EQ(Grid.Cells(1, 1), "a1");
}

TEST_F(DragStartTest, NoDragWithoutTheGatesAndThePressSelectsOnRelease)
{
    Grid.SetSelection({1, 1, 2, 2});
    // Within 3 pixels nothing starts; the release selects the pressed cell.
    PressAndMove(2, 2, 3);
    EXPECT_TRUE(Grid.SelectionClick());
    EXPECT_EQ(Sel(), (std::vector<int>{1, 1, 2, 2}));   // the press kept the selection
    Send(Grid, QEvent::MouseButtonRelease, Mid(Grid, 2, 2) + QPoint(3, 0), Qt::NoButton);
    EXPECT_EQ(Performer.Runs, 0);
    EXPECT_EQ(Sel(), (std::vector<int>{2, 2, 2, 2}));
    EXPECT_FALSE(Grid.SelectionClick());

    // OnOleDrag refuses: no drag, the move selects instead.
    Grid.SetSelection({1, 1, 2, 2});
    Grid.OnOleDrag = [](TObject *, int, int, const QString &, bool &Allow) { Allow = false; };
    PressAndMove(1, 1, 10);
    EXPECT_EQ(Performer.Runs, 0);
    EXPECT_EQ(Grid.GridState(), gsSelecting);
    Send(Grid, QEvent::MouseButtonRelease, Mid(Grid, 1, 1), Qt::NoButton);

    // Columns only: a normal row refuses; a press outside the selection selects at once;
    // editing grids and grids that are no drop source never arm.
    Grid.OnOleDrag = nullptr;
    Grid.DragDropSettings().SetOleColumnsOnly(true);
    Grid.SetSelection({1, 1, 2, 2});
    PressAndMove(1, 1, 10);
    Send(Grid, QEvent::MouseButtonRelease, Mid(Grid, 1, 1), Qt::NoButton);
    EXPECT_EQ(Performer.Runs, 0);
    Grid.DragDropSettings().SetOleColumnsOnly(false);
    for (int variant = 0; variant < 3; ++variant) {
        Grid.SetSelection({1, 1, 2, 2});
        Grid.SetOptions(variant == 1 ? Grid.Options() + goEditing : Grid.Options() - goEditing);
        Grid.DragDropSettings().SetOleDropSource(variant != 2);
        const QPoint p = variant == 0 ? Mid(Grid, 3, 3) : Mid(Grid, 1, 1);
        Send(Grid, QEvent::MouseButtonPress, p, Qt::LeftButton);
        EXPECT_FALSE(Grid.SelectionClick()) << variant;
        Send(Grid, QEvent::MouseButtonRelease, p, Qt::NoButton);
    }
    EXPECT_EQ(Performer.Runs, 0);
}

}   // namespace
