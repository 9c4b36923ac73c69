#include "grid/base/basegrid.h"

#include "grid/base/drawroutines.h"
#include "grid/base/gridundo.h"
#include "grid/base/textroutines.h"
#include "grid/base/keys.h"

#include <algorithm>
#include <typeinfo>

namespace {

// A record's spans say the cell lies in a merge (its own or one it is covered by).
bool HasSpans(const TCellProperties *P)
{
    return P->CellSpanX() != -1 || P->CellSpanY() != -1;
}

}   // namespace

TBaseGrid::TBaseGrid(QWidget *Parent) : TStringGridBase(Parent)
{
    TCustomGrid::SetGridLineWidth(0);
    TCustomGrid::SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid()
{
    FDestroying = true;
    if (FUndoRedo)
        FUndoRedo->SetGrid(nullptr);
    // Every record the store holds, also beyond the current counts (hidden columns, rows
    // cut off by a smaller RowCount): they are the grid's alone.
    if (FHasCellProps) {
        const TGridStore &store = Store();
        for (int r = 0; r < store.RowExtent(); ++r)
            for (int c = store.ObjectExtent(r) - 1; c >= 0; --c)
                FreeProps(c, r, true);
    }
}

// ---------------------------------------------------------------------------------------
// Cell records
// ---------------------------------------------------------------------------------------

TCellProperties *TBaseGrid::PropsAt(int ACol, int ARow) const
{
    TObject *o = Objects(ACol, ARow);
    if (!o)
        return nullptr;
    // Records are almost always of exactly this class: skip the full cast then.
    if (typeid(*o) == typeid(TCellProperties))
        return static_cast<TCellProperties *>(o);
    return dynamic_cast<TCellProperties *>(o);
}

TCellProperties *TBaseGrid::InGridPropsAt(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ARow >= RowCount() || ACol >= TotalColCount())
        return nullptr;
    return PropsAt(ACol, ARow);
}

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const
{
    return InGridPropsAt(ACol, ARow) != nullptr;
}

TPoint TBaseGrid::BaseOf(const TCellProperties *P, int ACol, int ARow) const
{
    const TPoint b = P->GetBaseCell(ACol, ARow);
    // Spans left by overlapping merges or moved rows may point before the first cell.
    if (b.X < 0 || b.Y < 0)
        return TPoint(ACol, ARow);
    return b;
}

const TCellProperties *TBaseGrid::BaseProps(int ACol, int ARow, TPoint &Base) const
{
    const TCellProperties *p = InGridPropsAt(ACol, ARow);
    if (!p || !HasSpans(p)) {
        Base = TPoint(ACol, ARow);
        return nullptr;
    }
    Base = BaseOf(p, ACol, ARow);
    if (Base == TPoint(ACol, ARow))
        return p;
    return InGridPropsAt(Base.X, Base.Y);
}

TCellProperties *TBaseGrid::GetCellProperties(int ACol, int ARow)
{
    if (TCellProperties *p = PropsAt(ACol, ARow))
        return p;
    if (Objects(ACol, ARow))
        throw EGridError("The cell's object slot holds no cell properties");
    auto *p = new TCellProperties(this, ACol, ARow);
    SetObjects(ACol, ARow, p);

    TFont font = TCustomGrid::Font().Value();
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = FWordWrap;
    TCellGradientDirection direction = GradientVertical;
    GetCellDefaults(ACol, ARow, font, brush, colorTo, mirror, mirrorTo, hAlign, vAlign, wordWrap,
                    direction);
    p->SetCalcType(acNONE);
    p->SetAlignment(hAlign);
    p->SetVAlignment(vAlign);
    p->SetWordWrap(wordWrap);
    p->SetFontName(font.Name);
    p->SetFontSize(font.Size);
    p->SetFontStyle(font.Style);
    p->SetFontColor(font.Color);
    p->SetBrushColor(brush.Color);
    p->SetBrushColorTo(colorTo);
    p->SetGradientDirection(direction);
    return p;
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellProperties *Value)
{
    if (Objects(ACol, ARow) == Value)
        return;
    FreeProps(ACol, ARow, false);
    SetObjects(ACol, ARow, Value);
}

void TBaseGrid::FreeProps(int ACol, int ARow, bool FreeGraphic)
{
    TCellProperties *p = PropsAt(ACol, ARow);
    if (!p)
        return;
    if (FreeGraphic) {
        TObject *g = p->GraphicObject();
        if (g && g->ClassName() == QLatin1String("TCellGraphic"))
            delete g;
    }
    SetObjects(ACol, ARow, nullptr);
    delete p;
}

uintptr_t TBaseGrid::GetObjectEx(int ACol, int ARow) const
{
    const TCellProperties *p = PropsAt(ACol, ARow);
    return p ? p->CellObject() : 0;
}

void TBaseGrid::SetObjectEx(int ACol, int ARow, uintptr_t Value)
{
    const bool empty = GetCellEx(ACol, ARow).isEmpty();
    if (empty)
        SetCellEx(ACol, ARow, QStringLiteral(" "));
    GetCellProperties(ACol, ARow)->SetCellObject(Value);
    if (empty)
        SetCellEx(ACol, ARow, QString());
}

TObject *TBaseGrid::GetGraphicObjectEx(int ACol, int ARow) const
{
    const TCellProperties *p = PropsAt(ACol, ARow);
    return p ? p->GraphicObject() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int ACol, int ARow, TObject *Value)
{
    if (FDestroying)
        return;
    const bool empty = GetCellEx(ACol, ARow).isEmpty();
    if (empty)
        SetCellEx(ACol, ARow, QStringLiteral(" "));
    GetCellProperties(ACol, ARow)->SetGraphicObject(Value);
    if (empty)
        SetCellEx(ACol, ARow, QString());
}

TObject *TBaseGrid::CellPropGraphic(const TCellProperties *Props)
{
    return Props ? Props->GraphicObject() : nullptr;
}

void TBaseGrid::FreeCellPropertiesRange(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!FHasCellProps)
        return;
    const TGridStore &store = Store();
    // Only rows and columns that can hold an object are visited.
    const int lastRow = std::min(ToRow, store.RowExtent() - 1);
    for (int r = std::max(0, FromRow); r <= lastRow; ++r) {
        const int lastCol = std::min(ToCol, store.ObjectExtent(r) - 1);
        for (int c = std::max(0, FromCol); c <= lastCol; ++c)
            FreeProps(c, r, true);
    }
}

void TBaseGrid::FreeAllCellProperties()
{
    FreeCellPropertiesRange(0, 0, ColCount() - 1, RowCount() - 1);
}

void TBaseGrid::FreeCellProperties(int ACol, int ARow)
{
    FreeProps(ACol, ARow, false);
}

void TBaseGrid::ResetColumn(int ACol)
{
    for (int r = 0; r < RowCount(); ++r) {
        SetObjects(ACol, r, nullptr);
        SetCellEx(ACol, r, QString());
    }
}

void TBaseGrid::ResetRow(int ARow)
{
    for (int c = 0; c < ColCount(); ++c) {
        SetObjects(c, ARow, nullptr);
        SetCellEx(c, ARow, QString());
    }
}

void TBaseGrid::ResetCell(int ACol, int ARow)
{
    SetCellEx(ACol, ARow, QString());
    SetObjects(ACol, ARow, nullptr);
}

// ---------------------------------------------------------------------------------------
// Cell text
// ---------------------------------------------------------------------------------------

QString TBaseGrid::GetCellEx(int ACol, int ARow)
{
    int c = ACol, r = ARow;
    if (const TCellProperties *p = InGridPropsAt(ACol, ARow)) {
        const TPoint b = BaseOf(p, ACol, ARow);
        c = b.X;
        r = b.Y;
    }
    QString text = Cells(c, r);
    if (r < FNormalRowCount) {
        GetDisplText(c, r, text);
        if (OnGetDisplWideText) {
            QString wide = DecodeWideCellText(text);
            GetDisplWideText(c, r, wide);
            text = EncodeWideCellText(wide);
        }
    }
    return text;
}

void TBaseGrid::SetCellEx(int ACol, int ARow, const QString &Value)
{
    if (const TCellProperties *p = InGridPropsAt(ACol, ARow)) {
        const TPoint b = BaseOf(p, ACol, ARow);
        SetCells(b.X, b.Y, Value);
        CellTextChanged(b.X, b.Y);
        RepaintCell(ACol, ARow);
    } else {
        SetCells(ACol, ARow, Value);
    }
    if (FHideLastRow && ARow == RowCount() - 1)
        LastRowChanged();
}

// ---------------------------------------------------------------------------------------
// Merged cells
// ---------------------------------------------------------------------------------------

void TBaseGrid::MergeCells(int ACol, int ARow, int ColSpan, int RowSpan)
{
    if (ColSpan > 0 && RowSpan > 0 &&
        (ACol < 0 || ARow < 0 || int64_t(ACol) + ColSpan > TotalColCount() ||
         int64_t(ARow) + RowSpan > RowCount()))
        throw EGridError("Merged cells outside the grid");
    ++FMergeCount;
    if (ColSpan <= 0 || RowSpan <= 0)
        return;   // an empty rectangle: counted, nothing merged
    for (int c = ACol; c < ACol + ColSpan; ++c) {
        for (int r = ARow; r < ARow + RowSpan; ++r) {
            TCellProperties *p = GetCellProperties(c, r);
            if (c == ACol && r == ARow) {
                p->SetIsBaseCell(true);
                p->SetCellSpanX(ColSpan - 1);
                p->SetCellSpanY(RowSpan - 1);
            } else {
                p->SetIsBaseCell(false);
                p->SetCellSpanX(c - ACol);
                p->SetCellSpanY(r - ARow);
            }
        }
    }
    RepaintCell(ACol, ARow);   // the merge's rectangle covers every cell of it
}

void TBaseGrid::SplitCells(int ACol, int ARow)
{
    TCellProperties *p = GetCellProperties(ACol, ARow);
    const TPoint b = BaseOf(p, ACol, ARow);
    TCellProperties *base = PropsAt(b.X, b.Y);
    const int sx = base ? base->CellSpanX() : -1;
    const int sy = base ? base->CellSpanY() : -1;
    // The merge's rectangle before its records change.
    const TRect area = sx >= 0 && sy >= 0 ? CellRect(b.X, b.Y) : TRect();
    // Cells of the grid get a plain record; beyond the grid (a merge cut off by a smaller
    // grid, or spans set by hand) only existing records are reset, so the walk stays
    // within what the store holds.
    const TGridStore &store = Store();
    const int lastRow = std::min(b.Y + sy, std::max(RowCount(), store.RowExtent()) - 1);
    for (int r = b.Y; r <= lastRow; ++r) {
        const int lastCol = std::min(b.X + sx, std::max(TotalColCount(), store.ObjectExtent(r)) - 1);
        for (int c = b.X; c <= lastCol; ++c) {
            TCellProperties *q = r < RowCount() && c < TotalColCount() ? GetCellProperties(c, r)
                                                                     : PropsAt(c, r);
            if (!q)
                continue;
            q->SetIsBaseCell(true);
            q->SetCellSpanX(-1);
            q->SetCellSpanY(-1);
        }
    }
    if (!IsRectEmpty(area) && isVisible())
        viewport()->update(area.ToQRect());
    --FMergeCount;
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const
{
    const TCellProperties *p = InGridPropsAt(ACol, ARow);
    return !p || p->IsBaseCell();
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
    const TCellProperties *p = InGridPropsAt(ACol, ARow);
    return p ? BaseOf(p, ACol, ARow) : TPoint(ACol, ARow);
}

bool TBaseGrid::ResolveBaseCell(int ACol, int ARow, int &BaseCol, int &BaseRow) const
{
    const TPoint b = BaseCell(ACol, ARow);
    BaseCol = b.X;
    BaseRow = b.Y;
    return b == TPoint(ACol, ARow);
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    const TCellProperties *p = InGridPropsAt(ACol, ARow);
    return p && (p->CellSpanX() > 0 || p->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const
{
    return IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const
{
    TPoint b;
    const TCellProperties *base = BaseProps(ACol, ARow, b);
    return base && base->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const
{
    TPoint b;
    const TCellProperties *base = BaseProps(ACol, ARow, b);
    return base && base->CellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
    const TCellProperties *p = InGridPropsAt(ACol, ARow);
    if (!p || p->CellSpanX() == -1 || p->CellSpanY() == -1)
        return TPoint(0, 0);
    TPoint b;
    const TCellProperties *base = BaseProps(ACol, ARow, b);
    return base ? TPoint(base->CellSpanX(), base->CellSpanY()) : TPoint(0, 0);
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const
{
    TPoint b;
    const TCellProperties *base = BaseProps(ACol, ARow, b);
    if (!base)
        return TPoint(0, 0);
    return TPoint(b.X + base->CellSpanX() - ACol, b.Y + base->CellSpanY() - ARow);
}

TGridRect TBaseGrid::FullCell(int ACol, int ARow) const
{
    const TPoint b = BaseCell(ACol, ARow);
    const TPoint s = CellSpan(ACol, ARow);
    return TGridRect{b.X, b.Y, b.X + s.X, b.Y + s.Y};
}

int TBaseGrid::MinRowSpan(int ARow) const
{
    int result = RowCount();
    for (int c = 0; c < ColCount(); ++c) {
        const int y = CellSpan(c, ARow).Y;
        if (y > 0 && y < result)
            result = y;
    }
    return result;
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
    int result = 0;
    for (int c = 0; c < ColCount(); ++c)
        result = std::max(result, CellSpan(c, ARow).Y);
    return result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const
{
    bool found = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
            found = true;
            if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y)
                return false;
        }
    }
    return found;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const
{
    bool found = false;
    for (int r = 0; r < RowCount(); ++r) {
        const int x1 = CellSpan(ACol1, r).X;
        const int x2 = CellSpan(ACol2, r).X;
        if (x1 > 0 && x2 > 0) {
            found = true;
            if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X)
                return false;
        } else if (x1 != x2) {
            return false;
        }
    }
    return found;
}

// ---------------------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------------------

TRect TBaseGrid::UnclippedCellRect(int ACol, int ARow) const
{
    const int x = int(ColOffset(ACol));
    const int y = int(RowOffset(ARow));
    TRect r(x, y, x + ColWidths(ACol), y + RowHeights(ARow));
    const int dx = ACol >= FixedCols() ? int(ColOffset(LeftCol())) : 0;
    const int dy = ARow >= FixedRows() ? int(RowOffset(TopRow())) : 0;
    OffsetRect(r, -dx, -dy);
    // Scrollable cells start after the fixed ones: the top-left of the first scrolled cell.
    const int ox = ACol < FixedCols() ? 0 : FixedColsWidth();
    const int oy = ARow < FixedRows() ? 0 : FixedRowsHeight();
    OffsetRect(r, ox, oy);
    return r;
}

TRect TBaseGrid::CellRect(int ACol, int ARow) const
{
    if (const TCellProperties *p = InGridPropsAt(ACol, ARow)) {
        if (HasSpans(p)) {
            TPoint b;
            const TCellProperties *base = BaseProps(ACol, ARow, b);
            const int sx = base ? std::max(0, base->CellSpanX()) : 0;
            const int sy = base ? std::max(0, base->CellSpanY()) : 0;
            TRect r1 = UnclippedCellRect(b.X, b.Y);
            if (r1.Width() == 0)
                ++r1.Right;
            TRect r2 = UnclippedCellRect(b.X + sx, b.Y + sy);
            if (r2.Width() == 0)
                --r2.Left;
            return TRect(std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top),
                         std::max(r1.Right, r2.Right), std::max(r1.Bottom, r2.Bottom));
        }
        if (p->Control())
            return UnclippedCellRect(ACol, ARow);
    }
    const TRect f = TCustomGrid::CellRect(ACol, ARow);
    return TRect(f.Left, f.Top, f.Left + ColWidths(ACol), f.Top + RowHeights(ARow));
}

TPoint TBaseGrid::CellSize(int ACol, int ARow) const
{
    const TCellProperties *p = InGridPropsAt(ACol, ARow);
    if (p && HasSpans(p)) {
        TPoint b;
        const TCellProperties *base = BaseProps(ACol, ARow, b);
        const int sx = base ? std::max(0, base->CellSpanX()) : 0;
        const int sy = base ? std::max(0, base->CellSpanY()) : 0;
        const TRect r1 = UnclippedCellRect(b.X, b.Y);
        const TRect r2 = UnclippedCellRect(b.X + sx, b.Y + sy);
        return TPoint(std::max(r1.Right, r2.Right) - std::min(r1.Left, r2.Left),
                      std::max(r1.Bottom, r2.Bottom) - std::min(r1.Top, r2.Top));
    }
    const TRect r = UnclippedCellRect(ACol, ARow);
    return TPoint(r.Width(), r.Height());
}

int TBaseGrid::FixedColsWidth() const
{
    return int(ColOffset(FixedCols()));
}

int TBaseGrid::FixedRowsHeight() const
{
    return int(RowOffset(FixedRows()));
}

// ---------------------------------------------------------------------------------------
// Extension points
// ---------------------------------------------------------------------------------------

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::GetRowIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::LastRowChanged() {}
void TBaseGrid::CellTextChanged(int, int) {}
bool TBaseGrid::HasCustomBorders() { return false; }
bool TBaseGrid::StyledDrawing() { return false; }
int TBaseGrid::DisplColIndex(int ACol) { return ACol; }
int TBaseGrid::TotalColCount() const { return ColCount(); }

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState &, bool, bool, bool, TBrush &,
                                    TColor &, TColor &, TColor &, TFont &, TAlignment &,
                                    TVAlignment &, bool &, TCellGradientDirection &)
{
}

void TBaseGrid::DrawCellContent(TCanvas &Canvas, int ACol, int ARow, const TRect &ARect,
                                TGridDrawState)
{
    TRect r = ARect;
    Canvas.Brush.Style = bsClear;
    Canvas.DrawText(GetCellEx(ACol, ARow), r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    Canvas.Brush.Style = bsSolid;
}

void TBaseGrid::GetDisplText(int ACol, int ARow, QString &Value)
{
    if (OnGetDisplText)
        OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(int ACol, int ARow, QString &Value)
{
    if (OnGetDisplWideText)
        OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetCellDefaults(int, int, TFont &Font, TBrush &Brush, TColor &ColorTo,
                                TColor &MirrorColor, TColor &MirrorColorTo, TAlignment &HAlign,
                                TVAlignment &VAlign, bool &WordWrap,
                                TCellGradientDirection &GradientDirection)
{
    Font = TCustomGrid::Font().Value();
    Brush.Color = Color();
    ColorTo = clNone;
    MirrorColor = clNone;
    MirrorColorTo = clNone;
    HAlign = taLeftJustify;
    VAlign = vtaTop;
    WordWrap = FWordWrap;
    GradientDirection = GradientVertical;
}

// ---------------------------------------------------------------------------------------
// Properties
// ---------------------------------------------------------------------------------------

namespace {

// Stores a changed value; true when it changed (the caller repaints).
template <class T>
bool StoreChanged(T &Field, const T &Value)
{
    if (Field == Value)
        return false;
    Field = Value;
    return true;
}

}   // namespace

void TBaseGrid::SetActiveRowShow(bool Value)
{
    if (StoreChanged(FActiveRowShow, Value))
        InvalidateGrid();
}

void TBaseGrid::SetActiveRowColor(TColor Value)
{
    if (StoreChanged(FActiveRowColor, Value))
        InvalidateGrid();
}

void TBaseGrid::SetActiveRowColorTo(TColor Value)
{
    if (StoreChanged(FActiveRowColorTo, Value))
        InvalidateGrid();
}

void TBaseGrid::SetActiveRowMirrorColor(TColor Value)
{
    if (StoreChanged(FActiveRowMirrorColor, Value))
        InvalidateGrid();
}

void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value)
{
    if (StoreChanged(FActiveRowMirrorColorTo, Value))
        InvalidateGrid();
}

void TBaseGrid::SetDefaultDrawing(bool Value)
{
    FDefaultDrawing = Value;
    TCustomGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int Value)
{
    FGridLineWidth = Value;
    TCustomGrid::SetGridLineWidth(0);
    InvalidateGrid();
}

void TBaseGrid::SetGridLineColor(TColor Value)
{
    FGridLineColor = Value;
    InvalidateGrid();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value)
{
    FGridFixedLineColor = Value;
    InvalidateGrid();
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value)
{
    if (StoreChanged(FSelectionStyle, Value))
        InvalidateGrid();
}

void TBaseGrid::SetUndoRedo(TDazGridUndoRedo *Value)
{
    if (FUndoRedo == Value)
        return;
    FUndoRedo = Value;
    if (Value)
        Value->SetGrid(this);
}

// ---------------------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------------------

bool TBaseGrid::RightToLeft() const
{
    return layoutDirection() == Qt::RightToLeft;
}

void TBaseGrid::RepaintCell(int ACol, int ARow)
{
    if (!isVisible())
        return;   // a hidden grid is painted whole when it shows
    const TRect r = CellRect(ACol, ARow);
    if (!IsRectEmpty(r))
        viewport()->update(r.ToQRect());
}

void TBaseGrid::Paint()
{
    TStringGridBase::Paint();
    ++FPaintID;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    if (TCanvas *c = Canvas())
        DoPaintCell(*c, ACol, ARow, ARect, AState, true, true);
}

void TBaseGrid::PaintCell(TCanvas &Canvas, int ACol, int ARow, const TRect &Rect,
                          TGridDrawState State)
{
    DoPaintCell(Canvas, ACol, ARow, Rect, State, true);
}

void TBaseGrid::PaintCellExt(TCanvas &Canvas, int ACol, int ARow, const TRect &Rect,
                             TGridDrawState State)
{
    DoPaintCell(Canvas, ACol, ARow, Rect, State, false);
}

namespace {

// A selection face's colours: from, to, mirror from, mirror to, upper and lower inner
// lines, border, corner pixels.
struct TSelectionFace
{
    TColor From, To, MirrorFrom, MirrorTo, UpperLine, LowerLine, Border, Corner;
};

constexpr TSelectionFace VistaFace{0xFDF8F1, 0xFCEFD5, clNone,   clNone,
                                   0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB};
constexpr TSelectionFace Win7Face{0xFCEBDC, 0xFCDBC1, clNone,   clNone,
                                  0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE};
constexpr TSelectionFace Office2007Face{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC,
                                        0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF};
constexpr TSelectionFace UnfocusedFace{0xF8F8F8, 0xE5E5E5, clNone,   clNone,
                                       0xFBFAFA, 0xF0F0F0, 0xD9D9D9, 0xEFEFEF};

}   // namespace

void TBaseGrid::DoPaintCell(TCanvas &Canvas, int ACol, int ARow, TRect Rect,
                            TGridDrawState State, bool Whole, bool RectIsCell)
{
    // The reserved last row shows only the grid's colour.
    if (ARow == RowCount() - 1 && FHideLastRow) {
        Canvas.Brush.Color = Color();
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = Color();
        Canvas.Rectangle(Rect);
        return;
    }

    // In the grid's own paint pass a merge is painted once: by its base cell, or by the
    // first covered cell the framework draws when the base cell lies out of view; the others
    // draw nothing. On any other canvas a covered cell paints its merge.
    TCellProperties *const p = InGridPropsAt(ACol, ARow);
    if (p && HasSpans(p)) {
        const bool ownPass = &Canvas == TCustomGrid::Canvas();
        const TPoint b = BaseOf(p, ACol, ARow);
        if (b == TPoint(ACol, ARow)) {
            if (Whole && ownPass)
                p->SetPaintID(FPaintID);
        } else if (TCellProperties *base = InGridPropsAt(b.X, b.Y)) {
            if (!ownPass) {
                PaintCell(Canvas, b.X, b.Y, Rect, State);
            } else if (base->PaintID() != FPaintID) {
                base->SetPaintID(FPaintID);
                PaintCell(Canvas, b.X, b.Y, Rect, State);
            }
            return;
        }
    }

    if (Whole && IsFixed(ACol, ARow)) {
        State += gdFixed;
        State -= gdSelected;
    }
    // The paint loop's rectangle is the cell's own unless a merge or a control widens it.
    if (Whole && !(RectIsCell && !(p && (HasSpans(p) || p->Control()))))
        Rect = CellRect(ACol, ARow);

    // A scrolled merge never paints over the fixed cells.
    const int fw = ACol >= FixedCols() ? FixedColsWidth() : 0;
    const int fh = ARow >= FixedRows() ? FixedRowsHeight() : 0;
    const bool clip = (FixedCols() > 0 && ACol >= FixedCols() && Rect.Left < fw) ||
                      (FixedRows() > 0 && ARow >= FixedRows() && Rect.Top < fh);
    if (clip) {
        Canvas.Save();
        Canvas.IntersectClipRect(TRect(fw, fh, std::max(fw, width()), std::max(fh, height())));
    }

    Canvas.Pen.Width = 1;
    Canvas.Pen.Style = psSolid;
    Canvas.Font = TCustomGrid::Font().Value();
    // Starting look for a grid whose descendant does not fill it in: the framework's.
    Canvas.Brush.Style = bsSolid;
    if (State.Contains(gdFixed)) {
        Canvas.Brush.Color = FixedColor();
    } else if (State.Contains(gdSelected)) {
        Canvas.Brush.Color = clHighlight;
        Canvas.Font.Color = clHighlightText;
    } else {
        Canvas.Brush.Color = Color();
    }
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = FWordWrap;
    TCellGradientDirection direction = GradientVertical;
    GetVisualProperties(ACol, ARow, State, false, true, true, Canvas.Brush, colorTo, mirror,
                        mirrorTo, Canvas.Font, hAlign, vAlign, wordWrap, direction);
    Canvas.Pen.Color = Canvas.Brush.Color;

    if (ARow == FHoverRowIdx && FHoverRow &&
        !(State.Contains(gdSelected) && !FHoverRowCells.Contains(hcSelected)) &&
        !(State.Contains(gdFixed) && !FHoverRowCells.Contains(hcFixed))) {
        Canvas.Brush.Color = FHoverRowColor;
        colorTo = FHoverRowColorTo;
        mirror = clNone;
        mirrorTo = clNone;
        direction = GradientVertical;
    }

    if ((FActiveRowShow && ARow == Row() && ACol >= FixedCols() && (ACol != Col() || !FShowSel)) ||
        (!Whole && State.Contains(gdSelected))) {
        Canvas.Brush.Color = FActiveRowColor;
        colorTo = FActiveRowColorTo;
        mirror = FActiveRowMirrorColor;
        mirrorTo = FActiveRowMirrorColorTo;
        Canvas.Pen.Color = Canvas.Brush.Color;
    }

    // Background.
    if (State.Contains(gdSelected) && FSelectionStyle != ssDefault && FShowSel) {
        const TGridRect sel = Selection();
        const int l = std::min(sel.Left, sel.Right);
        const int r = std::max(sel.Left, sel.Right);
        int position = 0;
        if (l == ACol && ACol < r)
            position = 1;
        else if (r == ACol && ACol > l)
            position = 2;
        else if (l < ACol && ACol < r)
            position = 3;
        TRect face = Rect;
        if (!Options().Contains(goHorzLine))
            ++face.Bottom;
        if (!Options().Contains(goVertLine))
            ++face.Right;
        if (RightToLeft()) {
            ++face.Right;
            ++face.Bottom;
        }
        const bool focused = hasFocus() || Options().Contains(goDrawFocusSelected);
        const TSelectionFace &f = !focused                         ? UnfocusedFace
                                  : FSelectionStyle == ssVista      ? VistaFace
                                  : FSelectionStyle == ssWin7       ? Win7Face
                                                                    : Office2007Face;
        DrawRoundedButtonFace(Canvas, f.From, f.To, f.MirrorFrom, f.MirrorTo, f.UpperLine,
                              f.LowerLine, f.Border, f.Corner, Color(), face, position);
    } else if (!(StyledDrawing() && (State.Contains(gdFixed) || State.Contains(gdSelected)))) {
        if (mirrorTo == clNone)
            FillGradientRect(Canvas, Canvas.Brush.Color, colorTo, 64, Rect,
                             direction == GradientHorizontal);
        else
            FillMirrorGradientRect(Canvas, Rect, Canvas.Brush.Color, colorTo, mirror, mirrorTo,
                                   true, clNone, false, true);
    }

    // Grid lines, drawn inside the cell.
    const bool fixed = State.Contains(gdFixed);
    int h;
    if (fixed) {
        Canvas.Pen.Color = FGridFixedLineColor;
        Canvas.Pen.Width = 1;
        h = 1;
    } else {
        if (FGridLineWidth > 0)
            Canvas.Pen.Color = FGridLineColor;
        Canvas.Pen.Width = FGridLineWidth;
        h = (FGridLineWidth + 1) / 2;
    }
    const TGridOptions opts = Options();
    if (((opts.Contains(goHorzLine) && !fixed) || (opts.Contains(goFixedHorzLine) && fixed)) &&
        !(ACol == 0 && HasNodes())) {
        Canvas.MoveTo(Rect.Left - h + 1, Rect.Bottom - h);
        Canvas.LineTo(Rect.Right - h + 1, Rect.Bottom - h);
    }
    if ((opts.Contains(goVertLine) && !fixed) || (opts.Contains(goFixedVertLine) && fixed)) {
        const int x = RightToLeft() ? Rect.Right - h + 1 : Rect.Right - h;
        Canvas.MoveTo(x, Rect.Bottom - h);
        Canvas.LineTo(x, Rect.Top - h);
    }

    if (Whole) {
        TRect inner = Rect;
        if (fixed) {
            inner.Right -= 1;
            inner.Bottom -= 2;
        } else {
            InflateRect(inner, -FGridLineWidth, -FGridLineWidth);
        }
        DrawCellContent(Canvas, ACol, ARow, inner, State);
    }

    if (clip) {
        const TPen pen = Canvas.Pen;
        const TBrush brush = Canvas.Brush;
        const TFont font = Canvas.Font;
        Canvas.Restore();
        Canvas.Pen = pen;
        Canvas.Brush = brush;
        Canvas.Font = font;
    }
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen.Style = psSolid;
}

void TBaseGrid::RepaintMergedFixedRows()
{
    if (FixedRows() <= 0)
        return;
    const int last = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
    for (int c = LeftCol(); c <= last; ++c)
        for (int r = 0; r < FixedRows(); ++r)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}

void TBaseGrid::RepaintMergedFixedCols()
{
    if (FixedCols() <= 0)
        return;
    const int last = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
    for (int r = TopRow(); r <= last; ++r)
        for (int c = 0; c < FixedCols(); ++c)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}

// ---------------------------------------------------------------------------------------
// Navigation
// ---------------------------------------------------------------------------------------

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
    if (RightToLeft()) {
        const bool result = TStringGridBase::SelectCell(ACol, ARow);
        InvalidateGrid();
        return result;
    }
    RepaintCell(Col(), Row());
    const bool result = TStringGridBase::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return result;
}

void TBaseGrid::TopLeftChanged()
{
    TStringGridBase::TopLeftChanged();
    RepaintMergedFixedCols();
    RepaintMergedFixedRows();
}

void TBaseGrid::SnapToBaseCell()
{
    if (!HasCellProperties(Col(), Row()))
        return;
    const TPoint b = BaseCell(Col(), Row());
    SetCol(b.X);
    SetRow(b.Y);
}

void TBaseGrid::KeyDown(uint16_t &Key, TShiftState Shift)
{
    const bool hasRecord = HasCellProperties(Col(), Row());
    TPoint b(Col(), Row());
    TPoint s(0, 0);
    if (hasRecord) {
        b = BaseCell(Col(), Row());
        if (const TCellProperties *base = InGridPropsAt(b.X, b.Y))
            s = TPoint(base->CellSpanX(), base->CellSpanY());
    }
    switch (Key) {
    case VK_NEXT:
        if (VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1 && FHideLastRow &&
            RowCount() > 1)
            SetRow(RowCount() - 2);
        break;
    case VK_LEFT:
        // From a covered cell: onto the merge's first column, so the framework's step
        // leaves the merge.
        if (hasRecord && b.X < Col() && Col() > FixedCols() && b.X > 0)
            SetCol(b.X);
        break;
    case VK_UP:
        if (hasRecord && b.Y < Row() && Row() > FixedRows() && b.Y > 0)
            SetRow(b.Y);
        break;
    case VK_RIGHT:
        if (hasRecord) {
            const int e = b.X + s.X;
            if (e >= Col() && Col() < ColCount() - 1 && b.X < ColCount() - 1 && e < ColCount())
                SetCol(e);
        }
        break;
    case VK_DOWN:
        if (hasRecord) {
            const int e = b.Y + s.Y;
            if (e >= Row() && Row() < RowCount() - 1 && b.Y < RowCount() - 1)
                SetRow(std::min(e, RowCount() - 1));
        }
        break;
    default:
        break;
    }
    TStringGridBase::KeyDown(Key, Shift);
    SnapToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, QPoint MousePos)
{
    const bool result = TStringGridBase::DoMouseWheelDown(Shift, MousePos);
    if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow)
        SetTopRow(TopRow() + 1);
    SnapToBaseCell();
    return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, QPoint MousePos)
{
    const bool result = TStringGridBase::DoMouseWheelUp(Shift, MousePos);
    SnapToBaseCell();
    return result;
}
