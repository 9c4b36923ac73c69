// Undo and redo of cell texts through a linked base grid.
#include "grid/base/basegrid.h"
#include "grid/base/gridundo.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class UndoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid = std::make_unique<TBaseGrid>();
        grid->SetColCount(5);
        grid->SetRowCount(5);
        undo = std::make_unique<TDazGridUndoRedo>();
        grid->SetUndoRedo(undo.get());
    }
    // A change as an editor makes it: write, then register.
    void Change(int c, int r, const QString &to)
    {
        const QString from = grid->GetCellEx(c, r);
        grid->SetCellEx(c, r, to);
        undo->RegisterChange(c, r, from, to);
    }
    std::unique_ptr<TBaseGrid> grid;
    std::unique_ptr<TDazGridUndoRedo> undo;
};

}   // namespace

TEST_F(UndoTest, OneChangeBackAndForth)
{
    EXPECT_EQ(undo->Grid(), grid.get());
    grid->SetCellEx(1, 2, "A");
    Change(1, 2, "B");
    EXPECT_EQ(undo->Level(), 1);
    EXPECT_TRUE(undo->CanUndo());
    EXPECT_FALSE(undo->CanRedo());
    grid->SetCol(3);
    grid->SetRow(3);
    undo->Undo();
    EXPECT_EQ(grid->GetCellEx(1, 2), "A");
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(undo->Level(), 0);
    EXPECT_TRUE(undo->CanRedo());
    undo->Undo();   // nothing left
    EXPECT_EQ(undo->Level(), 0);
    undo->Redo();
    EXPECT_EQ(grid->GetCellEx(1, 2), "B");
    EXPECT_EQ(undo->Level(), 1);
}

TEST_F(UndoTest, EventsSeeThePresentTextAndTheOneToWrite)
{
    grid->SetCellEx(1, 1, "old");
    Change(1, 1, "new");
    QString seenOrig, seenNew;
    TBaseGrid *seenGrid = nullptr;
    undo->OnUndo = [&](TObject *Sender, TBaseGrid *Grid, int Col, int Row, const QString &OrigValue,
                       const QString &NewValue) {
        EXPECT_EQ(Sender, undo.get());
        EXPECT_EQ(Col, 1);
        EXPECT_EQ(Row, 1);
        seenGrid = Grid;
        seenOrig = OrigValue;
        seenNew = NewValue;
    };
    undo->Undo();
    EXPECT_EQ(seenGrid, grid.get());
    EXPECT_EQ(seenOrig, "new");
    EXPECT_EQ(seenNew, "old");
    undo->OnRedo = undo->OnUndo;
    undo->Redo();
    EXPECT_EQ(seenOrig, "old");
    EXPECT_EQ(seenNew, "new");
}

TEST_F(UndoTest, MaxLevelDropsTheOldest)
{
    undo->SetMaxLevel(3);
    for (int i = 0; i < 4; ++i)
        Change(i, 0, QString::number(i));
    EXPECT_EQ(undo->Items().Count(), 3);
    EXPECT_EQ(undo->Level(), 3);
    EXPECT_EQ(undo->Items().Items(0)->Col(), 1);
}

TEST_F(UndoTest, ASequenceIsOneStep)
{
    Change(0, 0, "first");
    undo->StartSequence();
    Change(1, 1, "a");
    Change(2, 2, "b");
    undo->StopSequence();
    std::vector<int> order;
    undo->OnUndo = [&](TObject *, TBaseGrid *, int Col, int, const QString &, const QString &) {
        order.push_back(Col);
    };
    undo->Undo();
    EXPECT_EQ(order, (std::vector<int>{2, 1}));   // newest first
    EXPECT_EQ(grid->GetCellEx(1, 1), "");
    EXPECT_EQ(grid->GetCellEx(2, 2), "");
    EXPECT_EQ(undo->Level(), 1);   // where it was before StartSequence
    EXPECT_EQ(grid->GetCellEx(0, 0), "first");
    order.clear();
    undo->OnRedo = undo->OnUndo;
    undo->Redo();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));   // oldest first
    EXPECT_EQ(grid->GetCellEx(2, 2), "b");
    EXPECT_EQ(undo->Level(), 5);
}

TEST_F(UndoTest, ChangesAfterUndoGoBehindTheUndoneOnes)
{
    Change(0, 0, "a");
    Change(0, 1, "b");
    Change(0, 2, "c");
    undo->Undo();
    undo->Undo();
    Change(0, 3, "d");
    EXPECT_EQ(undo->Items().Count(), 4);
    EXPECT_EQ(undo->Level(), 4);
    EXPECT_FALSE(undo->CanRedo());
}

TEST_F(UndoTest, RedoOfAnOpenSequenceAppliesAllOfIt)
{
    undo->StartSequence();
    Change(1, 0, "x");
    Change(2, 0, "y");
    // No stop marker yet: step back to before the sequence by hand, then redo it.
    grid->SetCellEx(1, 0, "");
    grid->SetCellEx(2, 0, "");
    undo->SetLevel(0);
    undo->Redo();
    EXPECT_EQ(grid->GetCellEx(1, 0), "x");
    EXPECT_EQ(grid->GetCellEx(2, 0), "y");
    EXPECT_EQ(undo->Level(), 3);
}

TEST_F(UndoTest, DroppedStartMarkerNeverTakesTheLevelBelowZero)
{
    undo->SetMaxLevel(2);
    undo->StartSequence();
    Change(1, 1, "a");
    Change(2, 1, "b");   // drops the start marker
    undo->StopSequence();
    ASSERT_FALSE(undo->Items().Items(0)->SequenceStart());
    undo->Undo();
    EXPECT_EQ(undo->Level(), 0);
    EXPECT_EQ(grid->GetCellEx(1, 1), "");
    EXPECT_EQ(grid->GetCellEx(2, 1), "");
    undo->Redo();   // a marker stepped over alone names no cell
    EXPECT_GE(undo->Level(), 0);
}

TEST_F(UndoTest, RemovedCellsAreWrittenButNotMadeCurrent)
{
    Change(4, 4, "z");
    grid->SetRowCount(3);
    grid->SetColCount(3);
    undo->Undo();
    EXPECT_EQ(grid->GetGridCell(4, 4), "");
    EXPECT_LT(grid->Row(), 3);
}

TEST_F(UndoTest, LinksAreForgottenOnEitherSide)
{
    grid.reset();
    EXPECT_EQ(undo->Grid(), nullptr);
    undo->Undo();   // no grid: nothing
    grid = std::make_unique<TBaseGrid>();
    grid->SetUndoRedo(undo.get());
    undo.reset();
    EXPECT_EQ(grid->UndoRedo(), nullptr);
}

TEST_F(UndoTest, ResetDropsEverything)
{
    Change(0, 0, "a");
    undo->Reset();
    EXPECT_EQ(undo->Items().Count(), 0);
    EXPECT_EQ(undo->Level(), 0);
    EXPECT_FALSE(undo->CanUndo());
}
