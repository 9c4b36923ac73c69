// The base grid's cell store, cell records and merged cells.
#include "grid/base/basegrid.h"
#include "grid/base/stringlist.h"
#include "grid/base/textroutines.h"

#include <QApplication>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// A base grid that records its hooks and opens its descendant-only state to the tests.
class TProbeGrid : public TBaseGrid
{
public:
    using TBaseGrid::FHideLastRow;
    using TBaseGrid::FNormalRowCount;
    using TBaseGrid::TBaseGrid;

    struct TCall
    {
        int Col, Row;
        bool operator==(const TCall &) const = default;
    };
    std::vector<TCall> TextChanged;
    int LastRowChanges = 0;
    int DisplTextCalls = 0;

    void CellTextChanged(int ACol, int ARow) override { TextChanged.push_back({ACol, ARow}); }
    void LastRowChanged() override { ++LastRowChanges; }
    void GetDisplText(int ACol, int ARow, QString &Value) override
    {
        ++DisplTextCalls;
        TBaseGrid::GetDisplText(ACol, ARow, Value);
    }
};

// A graphic object the grid owns (by its class name) and one it does not.
class TCellGraphic : public TObject
{
public:
    explicit TCellGraphic(int *Freed) : FFreed(Freed) {}
    ~TCellGraphic() override { ++*FFreed; }

private:
    int *FFreed;
};

class TOtherGraphic : public TObject
{
public:
    explicit TOtherGraphic(int *Freed) : FFreed(Freed) {}
    ~TOtherGraphic() override { ++*FFreed; }

private:
    int *FFreed;
};

class BaseGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid = std::make_unique<TProbeGrid>();
        grid->SetColCount(8);
        grid->SetRowCount(6);
    }
    std::unique_ptr<TProbeGrid> grid;
};

}   // namespace

TEST_F(BaseGridTest, CreationDefaults)
{
    EXPECT_EQ(grid->GridLineWidth(), 1);
    EXPECT_EQ(grid->TCustomGrid::GridLineWidth(), 0);
    EXPECT_FALSE(grid->TCustomGrid::DefaultDrawing());
    EXPECT_FALSE(grid->DefaultDrawing());
    EXPECT_EQ(grid->GridLineColor(), 0xC0C0C0);
    EXPECT_EQ(grid->GridFixedLineColor(), 0x808080);
    EXPECT_EQ(grid->ActiveRowColor(), clInfoBk);
    EXPECT_EQ(grid->ActiveRowColorTo(), clNone);
    EXPECT_EQ(grid->HoverRowColor(), clInfoBk);
    EXPECT_EQ(grid->HoverRowCells(), (THoverRowCells{hcNormal, hcSelected}));
    EXPECT_EQ(grid->SelectionStyle(), ssDefault);
    EXPECT_TRUE(grid->WordWrap());
    EXPECT_EQ(grid->PaintID(), 1);
    EXPECT_EQ(grid->HoverRowIdx(), -1);
    EXPECT_EQ(grid->MergeCount(), 0);
    EXPECT_FALSE(grid->HasCellProps());
    EXPECT_EQ(grid->UndoRedo(), nullptr);
}

TEST_F(BaseGridTest, TextWithoutRecordChangesOnlyTheStore)
{
    grid->SetCellEx(2, 3, "abc");
    EXPECT_EQ(grid->GetCellEx(2, 3), "abc");
    EXPECT_EQ(grid->GetGridCell(2, 3), "abc");
    EXPECT_TRUE(grid->TextChanged.empty());
    EXPECT_FALSE(grid->HasCellProperties(2, 3));
    EXPECT_FALSE(grid->HasCellProps());   // reading and writing text makes no record
}

TEST_F(BaseGridTest, TextWithRecordNotifiesTheBaseCell)
{
    grid->GetCellProperties(1, 1);
    grid->SetCellEx(1, 1, "x");
    grid->SetCellEx(1, 1, "x");   // the same text runs the hook again
    EXPECT_EQ(grid->TextChanged, (std::vector<TProbeGrid::TCall>{{1, 1}, {1, 1}}));
}

TEST_F(BaseGridTest, ReservedLastRowRunsItsHookWithOrWithoutRecord)
{
    grid->FHideLastRow = true;
    grid->SetCellEx(0, 5, "a");
    grid->GetCellProperties(1, 5);
    grid->SetCellEx(1, 5, "b");
    grid->SetCellEx(1, 4, "c");
    EXPECT_EQ(grid->LastRowChanges, 2);
}

TEST_F(BaseGridTest, DisplayHooksRunOnlyBelowNormalRowCount)
{
    grid->SetCellEx(0, 1, "v");
    QString seen;
    grid->OnGetDisplText = [&](TObject *, int, int, QString &Value) { Value = "[" + Value + "]"; };
    EXPECT_EQ(grid->GetCellEx(0, 1), "v");   // a bare grid has NormalRowCount 0
    EXPECT_EQ(grid->DisplTextCalls, 0);
    grid->FNormalRowCount = 3;
    EXPECT_EQ(grid->GetCellEx(0, 1), "[v]");
    grid->SetCellEx(0, 3, "w");
    EXPECT_EQ(grid->GetCellEx(0, 3), "w");   // a working row: no hooks
}

TEST_F(BaseGridTest, WideTextHookAlwaysGivesTheWideEncoding)
{
    grid->FNormalRowCount = 6;
    grid->SetCellEx(0, 0, "abc");
    QString hookSaw;
    grid->OnGetDisplWideText = [&](TObject *, int, int, QString &Value) { hookSaw = Value; };
    EXPECT_EQ(grid->GetCellEx(0, 0), EncodeWideCellText("abc"));
    EXPECT_EQ(hookSaw, "abc");
    grid->SetCellEx(0, 0, EncodeWideCellText(QString::fromUtf8("é€")));
    grid->OnGetDisplWideText = [&](TObject *, int, int, QString &Value) { Value += "!"; };
    EXPECT_EQ(DecodeWideCellText(grid->GetCellEx(0, 0)), QString::fromUtf8("é€!"));
}

TEST_F(BaseGridTest, NegativeCoordinatesNeverReachOutsideTheStore)
{
    EXPECT_THROW(grid->GetCellEx(-1, 0), EGridError);
    EXPECT_THROW(grid->SetCellEx(0, -1, "x"), EGridError);
    EXPECT_THROW(grid->GetCellProperties(-2, 0), EGridError);
    for (auto [c, r] : {std::pair{-1, 0}, {0, -1}, {8, 0}, {0, 6}, {100000, 3}}) {
        EXPECT_FALSE(grid->HasCellProperties(c, r));
        EXPECT_FALSE(grid->IsMergedCell(c, r));
        EXPECT_TRUE(grid->IsBaseCell(c, r));
        EXPECT_EQ(grid->CellSpan(c, r), TPoint(0, 0));
    }
    EXPECT_THROW(grid->MergeCells(6, 4, 3, 1), EGridError);   // reaches column 8
    EXPECT_THROW(grid->MergeCells(-1, 0, 2, 2), EGridError);
    EXPECT_EQ(grid->MergeCount(), 0);
    EXPECT_FALSE(grid->HasCellProperties(6, 4));
}

TEST_F(BaseGridTest, CellOperationsOutsideTheStoreThrowGridError)
{
    grid->SetCellEx(1, 1, "kept");
    grid->MergeCells(2, 2, 2, 2);
    const struct
    {
        const char *name;
        std::function<void()> call;
    } cases[] = {
        {"text past the store's columns", [&] { (void)grid->GetCellEx(70000, 0); }},
        {"write a far row", [&] { grid->SetCellEx(0, INT_MAX, "x"); }},
        {"raw text", [&] { grid->SetGridCell(-1, 0, "x"); }},
        {"user object", [&] { (void)grid->GetObjectEx(-1, 0); }},
        {"set user object", [&] { grid->SetObjectEx(0, -1, 5); }},
        {"graphic", [&] { (void)grid->GetGraphicObjectEx(-1, -1); }},
        {"set graphic", [&] { grid->SetGraphicObjectEx(-1, 0, nullptr); }},
        {"replace a record", [&] { grid->SetCellProperties(-1, 0, nullptr); }},
        {"free a record", [&] { grid->FreeCellProperties(0, -1); }},
        {"reset a cell", [&] { grid->ResetCell(-1, 0); }},
        {"reset a row", [&] { grid->ResetRow(-1); }},
        {"reset a column", [&] { grid->ResetColumn(-1); }},
        {"split", [&] { grid->SplitCells(-1, 2); }},
        {"merge over the last row", [&] { grid->MergeCells(0, 5, 1, 2); }},
        {"merge with a huge span", [&] { grid->MergeCells(0, 0, INT_MAX, 1); }},
    };
    for (const auto &c : cases) {
        EXPECT_THROW(c.call(), EGridError) << c.name;
        EXPECT_EQ(grid->GetCellEx(1, 1), "kept") << c.name;
        EXPECT_EQ(grid->FullCell(3, 3), (TGridRect{2, 2, 3, 3})) << c.name;
        EXPECT_EQ(grid->MergeCount(), 1) << c.name;
    }
    // A rectangle that reaches outside frees what lies inside and nothing else.
    EXPECT_NO_THROW(grid->FreeCellPropertiesRange(-5, -5, 1000, 1000));
    EXPECT_FALSE(grid->HasCellProperties(2, 2));
}

TEST_F(BaseGridTest, AForeignObjectInTheSlotIsNeverTakenForARecord)
{
    int freed = 0;
    TOtherGraphic foreign(&freed);
    grid->SetGridObject(1, 1, &foreign);
    grid->SetCellEx(1, 1, "text");
    EXPECT_FALSE(grid->HasCellProperties(1, 1));
    EXPECT_FALSE(grid->IsMergedCell(1, 1));
    EXPECT_EQ(grid->GetCellEx(1, 1), "text");
    EXPECT_THROW(grid->GetCellProperties(1, 1), EGridError);
    grid->GetCellProperties(0, 0);   // some record exists: the free walks the slots
    grid->FreeAllCellProperties();
    grid.reset();   // neither frees what it does not own
    EXPECT_EQ(freed, 0);
}

TEST_F(BaseGridTest, WildSpansStayWithinTheStore)
{
    // Spans set by hand far beyond the grid: queries, geometry, keys and splitting neither
    // overflow nor walk past what the store holds.
    TCellProperties *p = grid->GetCellProperties(2, 1);
    p->SetCellSpanX(INT_MAX);
    p->SetCellSpanY(INT_MAX);
    EXPECT_EQ(p->CellSpanX(), TGridStore::MaxColumns - 1);
    EXPECT_EQ(p->CellSpanY(), TGridStore::MaxRows - 1);
    TCellProperties *q = grid->GetCellProperties(3, 1);
    q->SetIsBaseCell(false);
    q->SetCellSpanX(1);
    q->SetCellSpanY(0);
    EXPECT_EQ(grid->BaseCell(3, 1), TPoint(2, 1));
    EXPECT_EQ(grid->CellExt(3, 1), TPoint(TGridStore::MaxColumns - 2, TGridStore::MaxRows - 1));
    EXPECT_NO_THROW((void)grid->CellRect(3, 1));
    EXPECT_NO_THROW((void)grid->CellSize(3, 1));
    EXPECT_NO_THROW((void)grid->FullCell(3, 1));
    grid->SplitCells(3, 1);
    EXPECT_FALSE(grid->IsMergedCell(2, 1));
    EXPECT_FALSE(grid->IsMergedCell(3, 1));
    EXPECT_EQ(grid->Store().RowExtent(), 6);   // no record was made below the grid
}

TEST_F(BaseGridTest, NewRecordTakesTheGridsDefaults)
{
    grid->Font().SetName("DejaVu Sans");
    grid->Font().SetSize(11);
    grid->Font().SetColor(clMaroon);
    grid->SetColor(clYellow);
    grid->SetWordWrap(false);
    TCellProperties *p = grid->GetCellProperties(3, 2);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(grid->GetCellProperties(3, 2), p);   // made once
    EXPECT_TRUE(grid->HasCellProps());
    EXPECT_EQ(p->OwnerGrid(), grid.get());
    EXPECT_EQ(p->OwnerCol(), 3);
    EXPECT_EQ(p->OwnerRow(), 2);
    EXPECT_EQ(p->FontName(), "DejaVu Sans");
    EXPECT_EQ(p->FontSize(), 11);
    EXPECT_EQ(p->FontColor(), clMaroon);
    EXPECT_EQ(p->BrushColor(), clYellow);
    EXPECT_EQ(p->BrushColorTo(), clNone);
    EXPECT_FALSE(p->WordWrap());
    EXPECT_EQ(p->Alignment(), taLeftJustify);
    EXPECT_EQ(p->VAlignment(), vtaTop);
    EXPECT_EQ(p->CalcType(), acNONE);
    EXPECT_EQ(p->Editor(), edNormal);
    EXPECT_TRUE(p->IsBaseCell());
    EXPECT_EQ(p->CellSpanX(), -1);
    EXPECT_EQ(p->CellSpanY(), -1);
    EXPECT_EQ(p->PaintID(), 0);
}

TEST_F(BaseGridTest, BareRecordHasNoColours)
{
    TCellProperties p(nullptr, 1, 2);
    EXPECT_EQ(p.BrushColor(), clNone);
    EXPECT_EQ(p.FontColor(), clNone);
    EXPECT_EQ(p.BorderColor(), 0);
    EXPECT_EQ(p.BrushStyle(), bsSolid);
    EXPECT_EQ(p.GradientDirection(), GradientVertical);
    EXPECT_TRUE(p.WordWrap());
    p.SetBrushColor(clRed);   // no owner to repaint
    EXPECT_EQ(p.BrushColor(), clRed);
}

TEST_F(BaseGridTest, AssignCopiesTheListedFieldsOnly)
{
    TCellProperties src(grid.get(), 4, 5), dst(grid.get(), 0, 0);
    src.SetIsBaseCell(false);
    src.SetCellSpanX(2);
    src.SetCellSpanY(3);
    src.SetCellObject(77);
    src.SetAlignment(taCenter);
    src.SetBorderColor(clBlue);
    src.SetBorderWidth(2);
    src.SetBrushColor(clLime);
    src.SetBrushStyle(bsCross);
    src.SetFontColor(clRed);
    src.SetFontStyle(fsBold);
    src.SetFontName("X");
    src.SetFontSize(14);
    src.SetReadOnly(true);
    src.SetEditor(edComboList);
    src.SetVAlignment(vtaBottom);
    src.SetWordWrap(false);
    src.SetNodeLevel(3);
    src.SetBrushColorTo(clAqua);
    src.SetGradientDirection(GradientHorizontal);
    src.SetCalcType(acSUM);
    src.SetPaintID(9);
    dst.Assign(&src);
    EXPECT_FALSE(dst.IsBaseCell());
    EXPECT_EQ(dst.CellSpanX(), 2);
    EXPECT_EQ(dst.CellSpanY(), 3);
    EXPECT_EQ(dst.OwnerCol(), 4);
    EXPECT_EQ(dst.OwnerRow(), 5);
    EXPECT_EQ(dst.CellObject(), 77u);
    EXPECT_EQ(dst.Alignment(), taCenter);
    EXPECT_EQ(dst.BorderColor(), clBlue);
    EXPECT_EQ(dst.BorderWidth(), 2);
    EXPECT_EQ(dst.BrushColor(), clLime);
    EXPECT_EQ(dst.BrushStyle(), bsCross);
    EXPECT_EQ(dst.FontColor(), clRed);
    EXPECT_EQ(dst.FontStyle(), fsBold);
    EXPECT_EQ(dst.FontName(), "X");
    EXPECT_EQ(dst.FontSize(), 14);
    EXPECT_TRUE(dst.ReadOnly());
    EXPECT_EQ(dst.Editor(), edComboList);
    EXPECT_EQ(dst.VAlignment(), vtaBottom);
    EXPECT_FALSE(dst.WordWrap());
    EXPECT_EQ(dst.NodeLevel(), 3);
    // Not copied.
    EXPECT_EQ(dst.BrushColorTo(), clNone);
    EXPECT_EQ(dst.GradientDirection(), GradientVertical);
    EXPECT_EQ(dst.CalcType(), acNONE);
    EXPECT_EQ(dst.PaintID(), 0);
    TStringList notARecord;
    dst.Assign(&notARecord);   // ignored
    EXPECT_EQ(dst.CellSpanX(), 2);
}

TEST_F(BaseGridTest, ObjectsAndGraphicsLiveInTheRecord)
{
    EXPECT_EQ(grid->GetObjectEx(2, 2), 0u);
    EXPECT_EQ(grid->GetGraphicObjectEx(2, 2), nullptr);
    EXPECT_FALSE(grid->HasCellProperties(2, 2));   // reading makes nothing

    grid->SetObjectEx(2, 2, uintptr_t(-1));
    EXPECT_EQ(grid->GetObjectEx(2, 2), uintptr_t(-1));
    EXPECT_EQ(grid->GetGridCell(2, 2), "");   // an empty cell stays empty...
    // ...though the temporary blank passed through SetCellEx and back (the second write
    // found the new record and ran its hook).
    EXPECT_EQ(grid->TextChanged, (std::vector<TProbeGrid::TCall>{{2, 2}}));

    grid->SetCellEx(3, 3, "kept");
    int freed = 0;
    TOtherGraphic g(&freed);
    grid->SetGraphicObjectEx(3, 3, &g);
    EXPECT_EQ(grid->GetGraphicObjectEx(3, 3), &g);
    EXPECT_EQ(TBaseGrid::CellPropGraphic(grid->GetCellProperties(3, 3)), &g);
    EXPECT_EQ(grid->GetGridCell(3, 3), "kept");
    EXPECT_EQ(grid->GetGridObject(3, 3), grid->GetCellProperties(3, 3));
    grid->SetGraphicObjectEx(3, 3, nullptr);
}

TEST_F(BaseGridTest, FreeingOwnsOnlyCellGraphics)
{
    int cellFreed = 0, otherFreed = 0;
    auto *own = new TCellGraphic(&cellFreed);
    TOtherGraphic other(&otherFreed);
    grid->SetGraphicObjectEx(1, 1, own);
    grid->SetGraphicObjectEx(2, 1, &other);
    grid->FreeCellPropertiesRange(0, 0, 3, 3);
    EXPECT_EQ(cellFreed, 1);
    EXPECT_EQ(otherFreed, 0);
    EXPECT_FALSE(grid->HasCellProperties(1, 1));
    EXPECT_FALSE(grid->HasCellProperties(2, 1));

    int kept = 0;
    TCellGraphic notFreed(&kept);
    grid->SetGraphicObjectEx(4, 4, &notFreed);
    grid->FreeCellProperties(4, 4);   // one record: its graphic stays
    EXPECT_EQ(kept, 0);
    EXPECT_EQ(grid->GetGridObject(4, 4), nullptr);
    grid->FreeCellPropertiesRange(0, 0, 1000, 1000000);   // far beyond the store: no cost
}

TEST_F(BaseGridTest, DestroyFreesRecordsAlsoBeyondTheCounts)
{
    int freed = 0;
    grid->SetGraphicObjectEx(7, 5, new TCellGraphic(&freed));
    grid->SetGraphicObjectEx(1, 1, new TCellGraphic(&freed));
    grid->SetRowCount(3);   // row 5 is now beyond the grid, its record still in the store
    grid->SetColCount(2);
    grid.reset();
    EXPECT_EQ(freed, 2);
}

TEST_F(BaseGridTest, SetCellPropertiesReplacesAndFrees)
{
    TCellProperties *first = grid->GetCellProperties(0, 0);
    auto *second = new TCellProperties(grid.get(), 0, 0);
    grid->SetCellProperties(0, 0, second);
    EXPECT_EQ(grid->GetCellProperties(0, 0), second);
    grid->SetCellProperties(0, 0, second);   // the same record again: kept, not freed
    EXPECT_EQ(grid->GetCellProperties(0, 0)->OwnerGrid(), grid.get());
    grid->SetCellProperties(0, 0, nullptr);
    EXPECT_FALSE(grid->HasCellProperties(0, 0));
    (void)first;
}

TEST_F(BaseGridTest, ResetDetachesWithoutFreeing)
{
    grid->MergeCells(1, 1, 2, 1);
    grid->SetCellEx(1, 1, "base");
    std::unique_ptr<TCellProperties> covered(grid->GetCellProperties(2, 1));
    grid->ResetCell(2, 1);   // empties the base cell's text first, then detaches
    EXPECT_EQ(grid->GetGridCell(1, 1), "");
    EXPECT_FALSE(grid->HasCellProperties(2, 1));

    grid->SetCellEx(0, 4, "a");
    grid->SetCellEx(5, 4, "b");
    std::unique_ptr<TCellProperties> rec(grid->GetCellProperties(5, 4));
    grid->ResetRow(4);
    EXPECT_EQ(grid->GetGridCell(0, 4), "");
    EXPECT_EQ(grid->GetGridCell(5, 4), "");
    EXPECT_EQ(grid->GetGridObject(5, 4), nullptr);

    grid->SetCellEx(6, 2, "c");
    std::unique_ptr<TCellProperties> rec2(grid->GetCellProperties(6, 0));
    grid->ResetColumn(6);
    EXPECT_EQ(grid->GetGridCell(6, 2), "");
    EXPECT_EQ(grid->GetGridObject(6, 0), nullptr);
}

// --- Merges ----------------------------------------------------------------------------

TEST_F(BaseGridTest, MergeWorkedExample)
{
    grid->MergeCells(2, 1, 3, 2);
    EXPECT_EQ(grid->MergeCount(), 1);
    const TCellProperties *base = grid->GetCellProperties(2, 1);
    EXPECT_TRUE(base->IsBaseCell());
    EXPECT_EQ(TPoint(base->CellSpanX(), base->CellSpanY()), TPoint(2, 1));
    const TCellProperties *last = grid->GetCellProperties(4, 2);
    EXPECT_FALSE(last->IsBaseCell());
    EXPECT_EQ(TPoint(last->CellSpanX(), last->CellSpanY()), TPoint(2, 1));
    EXPECT_EQ(grid->CellExt(3, 1), TPoint(1, 1));
    EXPECT_EQ(grid->FullCell(4, 2), (TGridRect{2, 1, 4, 2}));
    EXPECT_EQ(grid->BaseCell(4, 2), TPoint(2, 1));
    EXPECT_EQ(grid->CellSpan(3, 2), TPoint(2, 1));
    int bc = 0, br = 0;
    EXPECT_FALSE(grid->ResolveBaseCell(3, 2, bc, br));
    EXPECT_EQ(TPoint(bc, br), TPoint(2, 1));
    EXPECT_TRUE(grid->ResolveBaseCell(2, 1, bc, br));
    EXPECT_TRUE(grid->ResolveBaseCell(0, 0, bc, br));
    EXPECT_EQ(TPoint(bc, br), TPoint(0, 0));
    for (auto [c, r] : {std::pair{2, 1}, {3, 1}, {4, 2}}) {
        EXPECT_TRUE(grid->IsMergedCell(c, r));
        EXPECT_TRUE(grid->IsXMergedCell(c, r));
        EXPECT_TRUE(grid->IsYMergedCell(c, r));
    }
    EXPECT_FALSE(grid->IsMergedNonBaseCell(2, 1));
    EXPECT_TRUE(grid->IsMergedNonBaseCell(4, 2));
    EXPECT_FALSE(grid->IsMergedCell(5, 1));
    EXPECT_EQ(grid->CellExt(5, 1), TPoint(0, 0));
    EXPECT_EQ(grid->FullCell(5, 1), (TGridRect{5, 1, 5, 1}));
}

TEST_F(BaseGridTest, TextOfAMergeLivesInItsBaseCell)
{
    grid->SetCellEx(3, 2, "hidden");
    grid->MergeCells(2, 1, 3, 2);
    grid->TextChanged.clear();
    grid->SetCellEx(4, 2, "whole");
    EXPECT_EQ(grid->GetGridCell(2, 1), "whole");
    EXPECT_EQ(grid->GetGridCell(4, 2), "");
    EXPECT_EQ(grid->GetCellEx(3, 1), "whole");
    EXPECT_EQ(grid->TextChanged, (std::vector<TProbeGrid::TCall>{{2, 1}}));
    grid->SplitCells(3, 2);
    EXPECT_EQ(grid->GetCellEx(3, 2), "hidden");   // covered texts show again
    EXPECT_EQ(grid->MergeCount(), 0);
    for (int c = 2; c <= 4; ++c)
        for (int r = 1; r <= 2; ++r) {
            EXPECT_TRUE(grid->HasCellProperties(c, r));
            EXPECT_FALSE(grid->IsMergedCell(c, r));
            EXPECT_EQ(grid->GetCellProperties(c, r)->CellSpanX(), -1);
        }
}

TEST_F(BaseGridTest, MergeEdgeCases)
{
    grid->MergeCells(1, 1, 1, 1);   // a single-cell merge: base with spans (0, 0)
    EXPECT_FALSE(grid->IsMergedCell(1, 1));
    EXPECT_EQ(grid->CellSpan(1, 1), TPoint(0, 0));
    grid->MergeCells(3, 3, 0, 2);   // nothing merged, still counted
    grid->MergeCells(2, 0, INT_MAX, -1);
    EXPECT_FALSE(grid->HasCellProperties(3, 3));
    EXPECT_FALSE(grid->HasCellProperties(2, 0));
    EXPECT_EQ(grid->MergeCount(), 3);
    grid->SplitCells(5, 5);         // unmerged: gets a record, the count drops anyway
    grid->SplitCells(5, 4);
    grid->SplitCells(5, 3);
    grid->SplitCells(5, 2);
    EXPECT_TRUE(grid->HasCellProperties(5, 5));
    EXPECT_EQ(grid->MergeCount(), -1);
}

TEST_F(BaseGridTest, SpanIdentity)
{
    EXPECT_FALSE(grid->RowSpanIdentical(1, 2));   // no merge touches them
    EXPECT_FALSE(grid->ColSpanIdentical(1, 2));
    grid->MergeCells(1, 1, 1, 3);   // column 1, rows 1..3
    EXPECT_TRUE(grid->RowSpanIdentical(1, 2));
    EXPECT_FALSE(grid->RowSpanIdentical(1, 4));
    grid->MergeCells(3, 3, 1, 2);   // column 3, rows 3..4
    EXPECT_TRUE(grid->RowSpanIdentical(3, 4));    // column 1 is not merged in row 4: skipped
    grid->MergeCells(2, 2, 1, 2);   // column 2, rows 2..3 and 4..5: different merges
    grid->MergeCells(2, 4, 1, 2);
    EXPECT_FALSE(grid->RowSpanIdentical(3, 4));
    grid->MergeCells(4, 0, 2, 1);   // columns 4..5 of row 0
    EXPECT_TRUE(grid->ColSpanIdentical(4, 5));
    grid->MergeCells(5, 2, 1, 1);
    grid->MergeCells(4, 5, 2, 1);
    EXPECT_TRUE(grid->ColSpanIdentical(4, 5));
    grid->MergeCells(6, 0, 2, 1);
    EXPECT_FALSE(grid->ColSpanIdentical(5, 6));   // different merges in row 0
    EXPECT_FALSE(grid->ColSpanIdentical(3, 4));   // only column 4 merged across in row 0
    EXPECT_EQ(grid->MaxRowSpan(2), 2);
    EXPECT_EQ(grid->MinRowSpan(3), 1);
    EXPECT_EQ(grid->MinRowSpan(0), grid->RowCount());
}

TEST_F(BaseGridTest, InconsistentSpansStayInsideTheStore)
{
    // A record whose spans point before the first cell (left by moved rows).
    TCellProperties *p = grid->GetCellProperties(1, 0);
    p->SetIsBaseCell(false);
    p->SetCellSpanX(3);
    p->SetCellSpanY(2);
    grid->SetCellEx(1, 0, "own");
    EXPECT_EQ(grid->GetCellEx(1, 0), "own");
    EXPECT_EQ(grid->BaseCell(1, 0), TPoint(1, 0));
}

// --- Geometry --------------------------------------------------------------------------

class BaseGridGeometryTest : public BaseGridTest
{
protected:
    void SetUp() override
    {
        BaseGridTest::SetUp();
        grid->setFrameShape(QFrame::NoFrame);
        grid->SetScrollBars(ssNone);
        grid->SetDefaultColWidth(50);
        grid->SetDefaultRowHeight(20);
        grid->resize(260, 110);
        grid->show();
        QApplication::processEvents();
    }
};

TEST_F(BaseGridGeometryTest, PlainCellsAbutWithoutLines)
{
    EXPECT_EQ(grid->CellRect(1, 1), TRect(50, 20, 100, 40));
    EXPECT_EQ(grid->CellRect(2, 3), TRect(100, 60, 150, 80));
    EXPECT_EQ(grid->UnclippedCellRect(2, 3), TRect(100, 60, 150, 80));
    // A cell out of view: its size at the origin.
    EXPECT_EQ(grid->CellRect(7, 1), TRect(0, 0, 50, 20));
    EXPECT_EQ(grid->FixedColsWidth(), 50);
    EXPECT_EQ(grid->FixedRowsHeight(), 20);
}

TEST_F(BaseGridGeometryTest, ScrolledCellsAreMeasuredFromTheFixedOnes)
{
    grid->SetLeftCol(3);
    grid->SetTopRow(2);
    EXPECT_EQ(grid->UnclippedCellRect(3, 2), TRect(50, 20, 100, 40));
    EXPECT_EQ(grid->UnclippedCellRect(1, 1), TRect(-50, 0, 0, 20));   // scrolled out
    EXPECT_EQ(grid->UnclippedCellRect(0, 4), TRect(0, 60, 50, 80));    // fixed column
    EXPECT_EQ(grid->UnclippedCellRect(5, 0), TRect(150, 0, 200, 20));  // fixed row
}

TEST_F(BaseGridGeometryTest, MergeRectIsTheUnion)
{
    grid->SetColWidths(3, 30);
    grid->MergeCells(2, 1, 3, 2);
    const TRect whole(100, 20, 230, 60);
    EXPECT_EQ(grid->CellRect(2, 1), whole);
    EXPECT_EQ(grid->CellRect(4, 2), whole);
    EXPECT_EQ(grid->CellSize(3, 2), TPoint(130, 40));
    grid->MergeCells(1, 4, 1, 1);   // spans (0, 0): the merged path, the cell's rectangle
    EXPECT_EQ(grid->CellRect(1, 4), TRect(50, 80, 100, 100));
    // A zero-width column at either end does not drop out of the union.
    grid->SetColWidths(6, 0);
    grid->MergeCells(6, 2, 1, 2);
    EXPECT_EQ(grid->CellRect(6, 3), TRect(279, 40, 281, 80));
}

TEST_F(BaseGridGeometryTest, CellWithControlIsNotClipped)
{
    QWidget control;
    grid->GetCellProperties(7, 1)->SetControl(&control);
    EXPECT_EQ(grid->CellRect(7, 1), TRect(350, 20, 400, 40));
}

// --- The store beneath -----------------------------------------------------------------

TEST(GridStoreObjectExtent, CountsTheSlotsARowHolds)
{
    TGridStore store;
    TObject a;
    EXPECT_EQ(store.ObjectExtent(3), 0);
    EXPECT_EQ(store.ObjectExtent(-1), 0);
    store.SetText(5, 3, "t");
    EXPECT_EQ(store.ObjectExtent(3), 0);
    store.SetObject(4, 3, &a);
    EXPECT_EQ(store.ObjectExtent(3), 5);
    store.SetObject(4, 3, nullptr);
    EXPECT_LE(store.ObjectExtent(3), 5);
    EXPECT_EQ(store.Object(4, 3), nullptr);
}
