// TDazStringGrid: the update lock, the paint gate, the grid timer and the fixed-cell hover
// state.
#include "grid/string/dazstringgrid.h"

#include "grid/base/textroutines.h"

#include <QApplication>
#include <QEvent>
#include <QPaintEvent>
#include <optional>

// ---------------------------------------------------------------------------------------
// Update lock
// ---------------------------------------------------------------------------------------

// The depth counts whether or not the grid is visible: a block begun while shown and ended
// while hidden must not leave the grid locked.
void TDazStringGrid::BeginUpdate()
{
    FUpdateLock.Begin();
}

void TDazStringGrid::EndUpdate()
{
    if (FUpdateLock.End()) {
        FSelChanged = false;
        viewport()->update();
        update();   // the frame (border colour) too
    }
}

void TDazStringGrid::SetLockUpdate(bool Value)
{
    if (Value)
        BeginUpdate();
    else
        EndUpdate();
}

void TDazStringGrid::paintEvent(QPaintEvent *e)
{
    // Nothing is painted inside an update block; its end repaints the whole grid.
    if (FUpdateLock.Locked())
        return;
    TBaseGrid::paintEvent(e);
}

void TDazStringGrid::changeEvent(QEvent *e)
{
    TBaseGrid::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        InvalidateGrid();
    else if (e->type() == QEvent::StyleChange)
        ApplyStyleColors();
}

// ---------------------------------------------------------------------------------------
// Application-wide style
// ---------------------------------------------------------------------------------------

namespace {

std::optional<TGridStyleColors> &ActiveStyle()
{
    static std::optional<TGridStyleColors> style;
    return style;
}

}   // namespace

void SetActiveGridStyle(const TGridStyleColors *Style)
{
    if (Style)
        ActiveStyle() = *Style;
    else
        ActiveStyle().reset();
    for (QWidget *w : QApplication::allWidgets())
        if (auto *grid = qobject_cast<TDazStringGrid *>(w))
            grid->ApplyStyleColors();
}

const TGridStyleColors *ActiveGridStyle()
{
    return ActiveStyle() ? &*ActiveStyle() : nullptr;
}

void TDazStringGrid::ApplyStyleColors()
{
    FUseStyleColors = false;
    const TGridStyleColors *style = ActiveGridStyle();
    if (!style || style->Name == QLatin1String("Windows"))
        return;
    FUseStyleColors = true;
    auto take = [](TColor Value, auto Set) {
        if (Value != clNone)
            Set(Value);
    };
    take(style->CellColor, [this](TColor c) { SetColor(c); });
    take(style->CellBorder, [this](TColor c) { SetGridLineColor(c); });
    take(style->FixedBorder, [this](TColor c) { SetGridFixedLineColor(c); });
    SetOptions(Options() - goFixedVertLine - goFixedHorzLine);
    take(style->CellText, [this](TColor c) { Font().SetColor(c); });
    take(style->SelectedText, [this](TColor c) { SetSelectionTextColor(c); });
    take(style->FixedText, [this](TColor c) { FFixedFont.SetColor(c); });
}

// ---------------------------------------------------------------------------------------
// Grid timer
// ---------------------------------------------------------------------------------------

void TDazStringGrid::StartGridTimer()
{
    if (FGridTimer.isActive())
        return;
    FGridTimer.setInterval(500);
    QObject::connect(&FGridTimer, &QTimer::timeout, this, &TDazStringGrid::GridTimerTick,
                     Qt::UniqueConnection);
    FGridTimer.start();
}

void TDazStringGrid::GridTimerTick()
{
    ++FTimerTicks;
    if (FNavigation.AutoGotoIncremental() && ++FSearchTics >= 4) {
        FSearchInc.clear();
        FSearchTics = 0;
    }
    if (FHovering) {
        const QPoint global = QCursor::pos();
        if (QApplication::widgetAt(global) == viewport()) {
            const QPoint p = viewport()->mapFromGlobal(global);
            int c = -1;
            int r = -1;
            MouseToCell(p.x(), p.y(), c, r);
            if (c >= FixedCols() && c < ColCount() && r >= FixedRows() && r < RowCount()) {
                setFocus();
                SetRow(r);
                SetCol(c);
            }
        }
    }
    if (FEnableBlink) {
        FGridBlink = !FGridBlink;
        RepaintBlinkingCells();
    }
}

// Repaints the visible cells whose text holds the blink tag.
void TDazStringGrid::RepaintBlinkingCells()
{
    auto check = [this](int realCol, int row) {
        if (PosInUpperCase(QStringLiteral("<BLI"), GetGridCell(realCol, row)) > 0)
            RepaintCell(DisplColIndex(realCol), row);
    };
    const int lastRow = std::min(RowCount(), TopRow() + VisibleRowCount());
    const int lastCol = std::min(ColCount(), LeftCol() + VisibleColCount());
    for (int r = TopRow(); r < lastRow; ++r)
        for (int c = LeftCol(); c < lastCol; ++c)
            check(RealColIndex(c), r);
    for (int r = 0; r < FixedRows(); ++r)
        for (int c = LeftCol(); c < lastCol; ++c)
            check(RealColIndex(c), r);
    for (int c = 0; c < FixedCols(); ++c)
        for (int r = TopRow(); r < lastRow; ++r)
            check(RealColIndex(c), r);
}

// ---------------------------------------------------------------------------------------
// Fixed-cell hover
// ---------------------------------------------------------------------------------------

void TDazStringGrid::ResetFixedCellHighlight()
{
    FSizeFixed = false;
    FSizeFixedR = false;
    FNoMouseLeave = false;
    if (HoverFixedCells() != hfNone && (FHoverFixedCell.X != -1 || FHoverFixedCell.Y != -1)) {
        const TGridCoord old = FHoverFixedCell;
        FHoverFixedCell = {-1, -1};
        RepaintCell(old.X, old.Y);
    }
}

bool TDazStringGrid::IsHoverFixedCell(int ACol, int ARow) const
{
    const THoverFixedCells h = HoverFixedCells();
    if (h == hfNone)
        return false;
    return (ACol < FixedCols() && (h == hfAll || h == hfFixedColumns)) ||
           (ARow < FixedRows() && (h == hfAll || h == hfFixedRows));
}
