// TDazStringGrid: the looks of fixed cells (gradients of the suite looks, hover and pressed
// headers, the active-cell header, the sorted header, 3-D edges), the modified-row bar,
// always-visible combo and spin buttons, border lines and tree lines.
#include "grid/string/dazstringgrid.h"

#include "grid/base/drawroutines.h"
#include "grid/string/dazstringgrid_paintdata.h"
#include "platform/theme.h"

namespace {

// Parts and states of the themed header class.
constexpr int HP_HEADERITEM = 1, HP_HEADERITEMRIGHT = 3;
constexpr int HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3;

bool SuiteLook(TGridLook l)
{
    return l == glQVR || l == glXP || l == glVista || l == glWin7 || l == glOffice2007;
}

}   // namespace

bool TDazStringGrid::DrawFixedCellLook(TCanvas &Canvas, TCellPaint &P)
{
    if (!SuiteLook(FLook))
        return false;
    const int ACol = P.DCol;
    const int ARow = P.Row;
    TRect &r = P.Rect;
    const TFixedCellLook &q = FQVRFixedLook;
    const bool hovered = IsHoverFixedCell(ACol, ARow) &&
                         ((FHoverFixedCell == TGridCoord{ACol, ARow} && !FColumnMoving) ||
                          (FColumnMoving && FMovingColumn == ACol));
    if (hovered) {
        ++r.Bottom;
        const bool dropDown = FControlLook.FixedDropDownButton() && DoCanShowFixedDropDown(P.RCol);
        auto hover = [&](const TRect &rr) {
            FillMirrorGradientRect(Canvas, rr, q.HoverFrom, q.HoverTo, q.HoverMirrorFrom,
                                   q.HoverMirrorTo, true, q.HoverBorder, false, true);
        };
        auto down = [&](const TRect &rr) {
            FillMirrorGradientRect(Canvas, rr, q.DownFrom, q.DownTo, q.DownMirrorFrom,
                                   q.DownMirrorTo, true, q.DownBorder, false, true);
        };
        if (!FMouseDownMove && !FColumnMoving) {
            hover(r);
        } else if (dropDown) {
            const TRect button(r.Right - 16, r.Top, r.Right, r.Bottom);
            const TRect rest(r.Left, r.Top, r.Right - 16, r.Bottom);
            if (FFixedDropDownOpen) {
                down(button);
                hover(rest);
            } else {
                down(rest);
                hover(button);
            }
        } else {
            down(r);
        }
        if (dropDown) {
            Canvas.Pen.Color = FMouseDownMove ? q.DownBorder : q.HoverBorder;
            Canvas.Pen.Width = 1;
            Canvas.MoveTo(r.Right - 16, r.Top);
            Canvas.LineTo(r.Right - 16, r.Bottom);
            DrawDownTriangle(Canvas, r.Right - 8 - 3, r.Top + 8, clBlack);
            r.Right -= 16;
        }
        return true;
    }
    const bool activeHeader =
        FActiveCellShow && ((ARow == Row() && FixedCols() > 0 && ACol == FixedCols() - 1) ||
                            (ACol == Col() && FixedRows() > 0 && ARow == FixedRows() - 1));
    if (activeHeader) {
        FillGradientRect(Canvas, FActiveCellColor, FActiveCellColorTo, 64, r, false);
        return true;
    }
    if (ARow == FixedRows() - 1 && P.RCol == FSortSettings.Column() &&
        (ACol >= FixedCols() || FSortSettings.FixedCols()) &&
        FSortSettings.HeaderColor() != clNone) {
        FillMirrorGradientRect(Canvas, r, FSortSettings.HeaderColor(),
                               FSortSettings.HeaderColorTo(), FSortSettings.HeaderMirrorColor(),
                               FSortSettings.HeaderMirrorColorTo(), true, clNone, false, true);
        return true;
    }
    if (FFlat)
        return false;
    // In the grid's own paint pass the base painter has just filled this very gradient
    // from the same visual properties; only other canvases (footer, printing) need it.
    const bool filled = &Canvas == TCustomGrid::Canvas();
    FillMirrorGradientRect(Canvas, r, Canvas.Brush.Color, P.ColorTo, P.Mirror, P.MirrorTo, true,
                           FLook == glVista ? clWhite : clNone, true, !filled);
    return true;
}

void TDazStringGrid::DrawListViewAndModified(TCanvas &Canvas, TCellPaint &P)
{
    if (FLook == glListView && P.PaintFixed && !FFlat) {
        const TThemeHandle theme =
            IsThemeActive() ? OpenThemeData(this, QStringLiteral("header")) : 0;
        if (theme) {
            TRect r = P.Rect;
            ++r.Bottom;
            if (FHotFixedCell == TGridCoord{P.DCol, P.Row})
                DrawThemeBackground(theme, Canvas, HP_HEADERITEM,
                                    FMouseDownMove ? HIS_PRESSED : HIS_HOT, r);
            else
                DrawThemeBackground(theme, Canvas, HP_HEADERITEMRIGHT, HIS_NORMAL, r);
            CloseThemeData(theme);
            Canvas.Pen.Color = clWhite;
            Canvas.Pen.Width = 1;
            Canvas.MoveTo(r.Left, r.Top);
            Canvas.LineTo(r.Right, r.Top);
        } else {
            // The classic header item: a raised face without the theme.
            Canvas.Brush.Color = clBtnFace;
            Canvas.Brush.Style = bsSolid;
            Canvas.Pen.Color = clWhite;
            Canvas.Pen.Width = 1;
            Canvas.Rectangle(P.Rect);
        }
    }
    if (P.DCol == 0 && FShowModified.Enabled() && RowModified(RealRowIndex(P.Row))) {
        Canvas.Brush.Color = FShowModified.Color();
        Canvas.Pen.Color = FShowModified.Color();
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(TRect(P.Rect.Right - 4, P.Rect.Top, P.Rect.Right, P.Rect.Bottom));
    }
}

void TDazStringGrid::DrawAlwaysVisibleButtons(TCanvas &Canvas, TCellPaint &P)
{
    if (!FControlLook.DropDownAlwaysVisible() && !FControlLook.SpinButtonsAlwaysVisible())
        return;
    // The same face as the cell buttons: colour tones, flat, themed or classic.
    const int look = ButtonGlyphLook();
    const int state = ReadOnly(P.RCol, P.Row) ? glyphDisabled : glyphNormal;
    const TColorTones &tones = FTones;
    if (HasComboBox(P.RCol, P.Row)) {
        const TRect r(P.Rect.Left - 2, P.Rect.Top - 1, P.Rect.Right + 1, P.Rect.Bottom);
        DrawComboButton(Canvas, this, r, look, state, tones);
        P.Rect.Right -= 16;
    }
    if (HasSpinEdit(P.RCol, P.Row)) {
        DrawSpinButtons(Canvas, this, P.Rect, look, state, tones);
        P.Rect.Right -= 16;
    }
}

void TDazStringGrid::DrawCellBorders(TCanvas &Canvas, int ACol, int ARow, TRect R)
{
    const TPen saved = Canvas.Pen;
    TCellBorders borders;
    GetCellBorder(ACol, ARow, Canvas.Pen, borders);
    if (borders.Empty() && !OnGetCellBorderProp) {
        Canvas.Pen = saved;
        return;
    }
    TPen left = Canvas.Pen, top = Canvas.Pen, right = Canvas.Pen, bottom = Canvas.Pen;
    if (OnGetCellBorderProp)
        OnGetCellBorderProp(this, ARow, ACol, left, top, right, bottom);
    const int w = (Canvas.Pen.Width + 1) / 2;
    const int h = Options().Contains(goVertLine) ? w : 0;
    const int v = Options().Contains(goHorzLine) ? w : 0;
    const int lw = GridLineWidth();
    if (borders.Contains(cbLeft)) {
        Canvas.Pen = left;
        const int x = std::max(0, R.Left + h);
        Canvas.MoveTo(x, R.Top);
        Canvas.LineTo(x, R.Bottom - v);
    }
    if (borders.Contains(cbRight)) {
        Canvas.Pen = right;
        Canvas.MoveTo(R.Right - h - 1, R.Top);
        Canvas.LineTo(R.Right - h - 1, R.Bottom - v);
    }
    if (borders.Contains(cbTop)) {
        Canvas.Pen = top;
        const int y = lw == 0 ? R.Top + v + 1 : std::max(0, R.Top + v - lw);
        Canvas.MoveTo(R.Left + h, y);
        Canvas.LineTo(R.Right - h, y);
    }
    if (borders.Contains(cbBottom)) {
        Canvas.Pen = bottom;
        Canvas.MoveTo(R.Left + h - lw - 1, R.Bottom - v - 1);
        Canvas.LineTo(R.Right - h, R.Bottom - v - 1);
    }
    Canvas.Pen = saved;
}

void TDazStringGrid::DrawFixedCellLines(TCanvas &Canvas, const TCellPaint &P)
{
    TRect r = P.Rect;
    const TGridOptions o = Options();
    const TColor dark = DarkenColorByHalf(ColorToRGB(FixedColor()));
    auto line = [&](TColor c, std::initializer_list<TPoint> pts) {
        Canvas.Pen.Color = c;
        Canvas.Pen.Width = 1;
        Canvas.Pen.Style = psSolid;
        auto it = pts.begin();
        Canvas.MoveTo(it->X, it->Y);
        for (++it; it != pts.end(); ++it)
            Canvas.LineTo(it->X, it->Y);
    };
    if (P.PaintFixed && !FFlat) {
        switch (FLook) {
        case glClassic:
            ++r.Top;
            ++r.Bottom;
            ++r.Left;
            // Raised edges: light at the top and left, shadow at the right and bottom.
            line(clBtnHighlight, {TPoint(r.Left, r.Bottom - 2), TPoint(r.Left, r.Top),
                                  TPoint(r.Right - 1, r.Top)});
            line(clBtnShadow, {TPoint(r.Right - 2, r.Top), TPoint(r.Right - 2, r.Bottom - 2),
                               TPoint(r.Left - 1, r.Bottom - 2)});
            line(clBlack, {TPoint(r.Right - 1, r.Top), TPoint(r.Right - 1, r.Bottom - 1),
                           TPoint(r.Left - 1, r.Bottom - 1)});
            break;
        case glQVR:
        case glXP:
            ++r.Bottom;
            if (o.Contains(goFixedHorzLine)) {
                line(dark, {TPoint(r.Left, r.Bottom - 1), TPoint(r.Right - 1, r.Bottom - 1)});
                line(clWhite, {TPoint(r.Right - 2, r.Top + 1), TPoint(r.Left + 1, r.Top + 1),
                               TPoint(r.Left + 1, r.Bottom - 1)});
            }
            break;
        case glSoft:
            ++r.Right;
            ++r.Bottom;
            if (o.Contains(goFixedHorzLine)) {
                line(dark, {TPoint(r.Left, r.Bottom - 1), TPoint(r.Right, r.Bottom - 1)});
                line(clWhite, {TPoint(r.Right, r.Top + 1), TPoint(r.Left + 1, r.Top + 1),
                               TPoint(r.Left + 1, r.Bottom - 1)});
            }
            if (o.Contains(goFixedVertLine)) {
                line(dark, {TPoint(r.Right - 2, r.Top), TPoint(r.Right - 2, r.Bottom - 1)});
                line(clWhite, {TPoint(r.Right - 1, r.Top), TPoint(r.Right - 1, r.Bottom - 1)});
            }
            break;
        default:
            break;
        }
    }
    if (FFixedRightCols > 0 && P.RCol >= AllColCount() - FFixedRightCols && FLook != glClassic &&
        FFlat) {
        r = P.Rect;
        if (o.Contains(goFixedHorzLine)) {
            line(0x808080, {TPoint(r.Left - 1, r.Top), TPoint(r.Right + 1, r.Top)});
            line(0x808080, {TPoint(r.Left - 1, r.Bottom), TPoint(r.Right + 1, r.Bottom)});
        }
        if (o.Contains(goFixedVertLine)) {
            line(0x808080, {TPoint(r.Left, r.Top - 1), TPoint(r.Left, r.Bottom + 1)});
            line(0x808080, {TPoint(r.Right, r.Top - 1), TPoint(r.Right, r.Bottom + 1)});
        }
    }
}

void TDazStringGrid::DrawTreeLines(TCanvas &Canvas, const TCellPaint &P)
{
    if (P.DCol != 0 || !HasNodes() || !FCellNode.ShowTree() || P.Row < FixedRows())
        return;
    const TCellProperties *p = PropsOf(0, P.Row);
    const int level = p ? p->NodeLevel() : 0;
    const int indent = FCellNode.NodeIndent();
    const TRect r = P.Rect;
    const int x = GetRowIndent(P.Row) + indent / 2 - indent + 2;
    const int mid = r.Top + r.Height() / 2;
    Canvas.Pen.Color = FCellNode.TreeColor();
    Canvas.Pen.Width = 1;
    if (level > 0) {
        Canvas.MoveTo(x, mid);
        Canvas.LineTo(FCellNode.ShowTreeFull() ? r.Right : GetRowIndent(P.Row) + 4, mid);
    }
    // The row's own branch: a last child ends at the middle, others run on down.
    const int span = GetNodeSpanType(P.Row);
    if (span == 1 || span == 2) {
        Canvas.MoveTo(x, r.Top);
        Canvas.LineTo(x, span == 1 ? mid : r.Bottom + 4);
    }
    const TCellProperties *next = P.Row + 1 < RowCount() ? PropsOf(0, P.Row + 1) : nullptr;
    const bool nextChild = next && next->NodeLevel() > 0;
    for (int i = 1; i <= level; ++i) {
        const int xi = x - indent * i;
        Canvas.MoveTo(xi, r.Top);
        Canvas.LineTo(xi, mid);
        if (nextChild) {
            Canvas.LineTo(xi, r.Bottom + 4);
        } else if (i < level) {
            Canvas.MoveTo(xi, mid);
            Canvas.LineTo(xi + indent, mid);
        }
    }
    Canvas.Pen.Style = psSolid;
}
