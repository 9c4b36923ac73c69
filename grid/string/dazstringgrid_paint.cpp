// TDazStringGrid: how a cell turns into pixels. The base grid's painter fills the background
// and draws the lines with the look GetVisualProperties gives; DrawCellContent then paints
// everything inside the lines: fixed-cell looks, indicators, buttons, the text, borders,
// the cell graphic and the focus rectangle.
#include "grid/string/dazstringgrid.h"

#include "grid/base/drawroutines.h"
#include "grid/base/imagelist.h"
#include "grid/base/markuprender.h"
#include "grid/base/textroutines.h"
#include "grid/string/dazstringgrid_paintdata.h"
#include "grid/string/richcellpaint.h"
#include "grid/string/richtext.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <cmath>

// ---------------------------------------------------------------------------------------
// Colour arithmetic
// ---------------------------------------------------------------------------------------

TColor TDazStringGrid::BlendColors(TColor Color, TColor ColorTo, int Percent)
{
    if (Percent >= 100)
        return Color;
    if (Percent < 1 || Color == clNone)
        return ColorTo;
    if (ColorTo == clNone)
        return Color;
    const TColor c1 = ColorToRGB(Color);
    const TColor c2 = ColorToRGB(ColorTo);
    const double p = Percent / 100.0;
    TColor out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = int((c1 >> shift) & 0xFF);
        const int b = int((c2 >> shift) & 0xFF);
        const int v = std::min(255, int(std::lround(p * a + (1 - p) * b)));
        out |= TColor(v) << shift;
    }
    return out;
}

TColor TDazStringGrid::MixSelectionColor(TColor SelectionColor, TColor CellColor, bool Mixer,
                                         int Factor)
{
    return Mixer ? BlendColors(SelectionColor, CellColor, Factor) : SelectionColor;
}

// ---------------------------------------------------------------------------------------
// Visual properties
// ---------------------------------------------------------------------------------------

void TDazStringGrid::GetFontProperties(int ACol, int RCol, bool Remap, TBrush &ABrush,
                                       TFont &AFont, TGridDrawState &AState, int ARow)
{
    const int rcol = Remap ? RealColIndex(ACol) : RCol;
    const bool fixed = ACol < FixedCols() || ARow < FixedRows() || IsFixed(ACol, ARow);
    AFont = fixed ? FFixedFont.Value() : Font().Value();
    if (const TCellProperties *p = PropsOf(rcol, ARow))
        ApplyCellFont(*p, AFont);
    GetCellColor(rcol, ARow, AState, ABrush, AFont);
}

void TDazStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState &AState,
                                         bool Printing, bool Selecting, bool Remap,
                                         TBrush &ABrush, TColor &ColorTo, TColor &ColorMirror,
                                         TColor &ColorMirrorTo, TFont &AFont,
                                         TAlignment &HAlign, TVAlignment &VAlign,
                                         bool &WordWrap, TCellGradientDirection &GD)
{
    const bool fixedRange = ACol < FixedCols() || ARow < FixedRows();
    const bool displayFont = !Printing || FPrintSettings.UseDisplayFont();
    if (!fixedRange)
        AFont = displayFont ? Font().Value() : FPrintSettings.Font().Value();
    else
        AFont = displayFont ? FFixedFont.Value() : FPrintSettings.FixedFont().Value();

    const int rcol = Remap ? RealColIndex(ACol) : ACol;

    ABrush.Color = clNone;
    ColorTo = clNone;
    ColorMirror = clNone;
    ColorMirrorTo = clNone;

    bool colorSet = false;
    bool ownColor = false;
    if (const TCellProperties *p = PropsOf(rcol, ARow)) {
        if (p->BrushColor() != clNone) {
            ABrush.Color = p->BrushColor();
            colorSet = true;
            const TCellType t = GetCellType(rcol, ARow);
            ownColor = t == ctNone || t == ctRotated || t == ctEmpty;
        }
        ApplyCellFont(*p, AFont);
        WordWrap = p->WordWrap();
        ColorTo = p->BrushColorTo();
        GD = p->GradientDirection();
    }
    if (AState.Contains(gdSelected))
        GD = GradientVertical;

    const int rows = RowCount();
    const int cols = ColCount();
    const bool footerRow = ARow >= rows - FFixedFooters;
    const bool rightCol = ACol >= cols - FFixedRightCols;
    if (!colorSet) {
        ABrush.Color = Color();
        if (FBands.Active() && (!Printing || FBands.Print()) && !fixedRange && !footerRow &&
            !rightCol && FBands.TotalLength() > 0)
            ABrush.Color = (ARow - FixedRows()) % FBands.TotalLength() < FBands.PrimaryLength()
                               ? FBands.PrimaryColor()
                               : FBands.SecondaryColor();
        if (fixedRange || footerRow || rightCol)
            ABrush.Color = FixedColor();
    }

    const bool fixed = fixedRange || IsFixed(ACol, ARow);
    if (fixed && !ownColor && !Printing) {
        ABrush.Color = FixedColor();
        AFont = FFixedFont.Value();
        AState += gdFixed;
    }
    if (FLook > glClassic && fixed && !ownColor) {
        ABrush.Color = FQVRGradientFrom;
        ColorTo = FQVRGradientTo;
        ColorMirror = FQVRGradientMirrorFrom;
        ColorMirrorTo = FQVRGradientMirrorTo;
    }

    if (Printing)
        GetCellPrintColor(rcol, ARow, AState, ABrush, AFont);
    else
        GetCellColor(rcol, ARow, AState, ABrush, AFont);
    if (OnGetCellGradient)
        OnGetCellGradient(this, ARow, rcol, ABrush.Color, ColorTo, ColorMirror, ColorMirrorTo,
                          GD);

    const TColor rememberedBrush = ABrush.Color;
    const TColor rememberedFont = AFont.Color;
    const TColor rememberedTo = ColorTo;

    const bool mayShow = Selecting && !Printing && FShowSelection && !fixed;
    auto select = [&](bool mix) {
        ABrush.Color = !mix || ABrush.Color == Color()
                           ? FSelectionColor
                           : MixSelectionColor(FSelectionColor, ABrush.Color,
                                               FSelectionColorMixer, FSelectionColorMixerFactor);
        ColorTo = FSelectionColorTo;
        ColorMirror = FSelectionMirrorColor;
        ColorMirrorTo = FSelectionMirrorColorTo;
        if (FSelectionTextColor != clNone)
            AFont.Color = FSelectionTextColor;
    };
    const bool rowMode = FMouseActions.DisjunctRowSelect();
    const bool colMode = FMouseActions.DisjunctColSelect();
    const int selRow =
        (rowMode && FMouseActions.RowSelectPersistent()) || FUseEnabledRows ? RealRowIndex(ARow)
                                                                            : ARow;
    if (mayShow && rowMode && selRow < AllRowCount()) {
        const bool inList = RowSelect(selRow);
        const bool shown = !FMouseDown ? inList
                           : inList    ? ARow != Row()
                                       : AState.Contains(gdSelected);
        if (shown) {
            select(false);
            AState = {gdSelected};
        } else {
            AState -= gdSelected;
        }
    }
    if (mayShow && colMode && ARow >= FixedRows() && ACol < ColCount()) {
        const bool inList = ColSelect(ACol);
        if ((inList && !(FMouseDown && ACol == Col())) ||
            (FMouseDown && !inList && AState.Contains(gdSelected))) {
            select(false);
            AState += gdSelected;
        }
    }
    if ((mayShow && !rowMode && !colMode && PointInGridRect(ACol, ARow, Selection())) ||
        (AState.Contains(gdSelected) && FMouseDown && FShowSelection && !fixed && !rowMode &&
         !colMode)) {
        select(true);
        AState += gdSelected;
    }
    if (FMouseActions.DisjunctCellSelect() && FShowSelection && !Printing) {
        if (SelectedCells(ACol, ARow)) {
            select(false);
            AState += gdSelected;
        } else if (ACol == Col() && ARow == Row()) {
            AState -= gdSelected;
            ABrush.Color = rememberedBrush;
            AFont.Color = rememberedFont;
            ColorTo = rememberedTo;
        }
    }

    if (UseDisabledFont() && (!isEnabled() || (FUseEnabledRows && !RowEnabled(selRow))))
        AFont.Color = DisabledFontColor();
    if (AState.Contains(gdSelected) && ARow != Row() && rowMode && FSelectionColorTo == clNone &&
        ABrush.Color != clNone) {
        const TColor c = ColorToRGB(ABrush.Color);
        TColor out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int v = int((c >> shift) & 0xFF);
            out |= TColor((v + 7 * v / 100) & 0xFF) << shift;
        }
        ABrush.Color = out;
    }

    GetCellWordWrap(rcol, ARow, WordWrap);
    GetCellAlignment(rcol, ARow, HAlign, VAlign);
}

// ---------------------------------------------------------------------------------------
// The paint pass
// ---------------------------------------------------------------------------------------

void TDazStringGrid::Paint()
{
    TCanvas *c = Canvas();
    if (!c)
        return;
    c->Pen.Style = psSolid;
    c->Brush.Style = bsSolid;
    TBaseGrid::Paint();
    if (InplaceEditor() && InplaceEditor()->isVisible()) {
        const TRect r = TBaseGrid::CellRect(Col(), Row());
        const TGridOptions o = Options();
        c->Pen.Color = (o.Contains(goVertLine) || o.Contains(goHorzLine)) && GridLineWidth() >= 1
                           ? GridLineColor()
                           : Color();
        c->Pen.Style = psSolid;
        c->Brush.Style = bsClear;
        c->Rectangle(r);
        c->Brush.Style = bsSolid;
    }
    c->Pen.Color = clBlack;
    if (!FBackGround.Bitmap().Empty() || FBackGround.ColorTo() != clNone)
        PaintGridBackground(*c);
    if (OnPainted)
        OnPainted(this);
}

namespace {

// The gradient bands set only colours: each band is a solid one-pixel-pen rectangle.
void SolidBandStyle(TCanvas &Canvas)
{
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    Canvas.Brush.Style = bsSolid;
}

}   // namespace

void TDazStringGrid::PaintGridBackground(TCanvas &Canvas)
{
    const bool gradient = FBackGround.Display() == bdGradientHorz ||
                          FBackGround.Display() == bdGradientVert;
    if (gradient && FBackGround.ColorTo() == clNone)
        return;
    const int lastCol = ColCount() - 1;
    const int lastRow = RowCount() - 1;
    const bool colsBeyond = LeftCol() + VisibleColCount() < ColCount();
    const bool rowsBeyond = TopRow() + VisibleRowCount() < RowCount();
    if (colsBeyond && rowsBeyond)
        return;
    int clientBottom = ClientHeight();
    if (FSearchFooter.Visible())
        clientBottom -= 32;
    const int lw = GridLineWidth();
    std::vector<TRect> regions;
    const TRect lastC = CustomGridCellRect(lastCol, TopRow());
    if (!IsRectEmpty(lastC) && lastC.Right + lw < ClientWidth())
        regions.push_back(TRect(lastC.Right + lw, 0, ClientWidth(), clientBottom));
    const TRect lastR = CustomGridCellRect(LeftCol(), lastRow);
    if (!IsRectEmpty(lastR) && lastR.Bottom + lw < clientBottom)
        regions.push_back(TRect(0, lastR.Bottom + lw, ClientWidth(), clientBottom));
    if (regions.empty())
        return;
    const TRect client(0, 0, ClientWidth(), clientBottom);
    for (const TRect &region : regions) {
        Canvas.Save();
        Canvas.IntersectClipRect(region);
        if (FBackGround.Bitmap().Empty()) {
            if (gradient) {
                SolidBandStyle(Canvas);
                DrawDropDownGradient(Canvas, FBackGround.Color(), FBackGround.ColorTo(), 128,
                                     client, FBackGround.Display() == bdGradientHorz);
            }
        } else if (FBackGround.Display() != bdTile) {
            Canvas.Draw(FBackGround.Left(), FBackGround.Top(), FBackGround.Bitmap().Image());
        } else if (FBackGround.Cells() != bcFixed) {
            const QImage &img = FBackGround.Bitmap().Image();
            int x0 = XYOffset().X, y0 = XYOffset().Y;
            if (FBackGround.Cells() == bcNormal) {
                x0 += FixedColsWidth();
                y0 += FixedRowsHeight();
            }
            for (int y = y0 - ((y0 - region.Top) / img.height() + 1) * img.height();
                 y < region.Bottom; y += img.height())
                for (int x = x0 - ((x0 - region.Left) / img.width() + 1) * img.width();
                     x < region.Right; x += img.width())
                    Canvas.Draw(x, y, img);
        }
        Canvas.Restore();
    }
}

TRect TDazStringGrid::CustomGridCellRect(int ACol, int ARow) const
{
    return TCustomGrid::CellRect(ACol, ARow);
}

// ---------------------------------------------------------------------------------------
// Cell content
// ---------------------------------------------------------------------------------------

void TDazStringGrid::DrawCellContent(TCanvas &Canvas, int ACol, int ARow, const TRect &ARect,
                                     TGridDrawState AState)
{
    TCellPaint P;
    P.DCol = ACol;
    P.RCol = RealColIndex(ACol);
    P.Row = ARow;
    P.State = AState;
    P.Rect = ARect;
    P.FilterButton = FilterDropDownAuto() && ARow == FilterDropDownRow() && ACol >= FixedCols();

    // A cell's own scroll bar takes the right edge.
    if (GetCellType(P.RCol, ARow) == ctScrollbar) {
        const TScrollProp prop = GetScrollProp(P.RCol, ARow);
        P.ScrollPos = std::max(0, GetScrollPosition(P.RCol, ARow));
        if (prop.PageSize >= 0 && prop.PageSize < prop.Range) {
            const int w = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
            const TRect bar(P.Rect.Right - w, P.Rect.Top, P.Rect.Right, P.Rect.Bottom);
            Canvas.Brush.Color = clBtnFace;
            Canvas.FillRect(bar);
            const int track = bar.Height();
            const int thumb = std::max(8, track * prop.PageSize / std::max(1, prop.Range));
            const int maxPos = std::max(1, prop.Range - prop.PageSize);
            const int top = bar.Top + (track - thumb) * std::min(P.ScrollPos, maxPos) / maxPos;
            Canvas.Brush.Color = clGray;
            Canvas.FillRect(TRect(bar.Left + 2, top, bar.Right - 2, top + thumb));
            P.Rect.Right -= w;
        }
    }

    P.WordWrap = WordWrap();
    GetVisualProperties(ACol, ARow, P.State, false, false, true, Canvas.Brush, P.ColorTo,
                        P.Mirror, P.MirrorTo, Canvas.Font, P.HAlign, P.VAlign, P.WordWrap,
                        P.Gradient);
    // The background pass decided about the selection; keep its state.
    if (AState.Contains(gdSelected))
        P.State += gdSelected;
    else
        P.State -= gdSelected;
    P.Graphic = GetCellGraphicLayout(P.RCol, ARow, P.GVAlign, P.GHAlign, P.ShowText,
                                     P.GHeight, P.GWidth);
    if (P.Graphic && P.Graphic->CellType == ctNode && ACol == 0)
        P.GWidth = GetRowIndent(ARow) + 4;

    if (P.State.Contains(gdSelected) && !P.State.Contains(gdFocused) &&
        FSelectionColor == clNone)
        Canvas.Brush.Color = clHighlight;
    if (ZoomFactor() != 0)
        Canvas.Font.Size = FontPointSize(Canvas.Font) + ZoomFactor();
    P.SavedBrush = Canvas.Brush.Color;
    P.SavedFont = Canvas.Font.Color;

    P.PaintFixed = P.State.Contains(gdFixed) || ACol < FixedCols() || ARow < FixedRows();
    if (P.PaintFixed && ARow == HoverRowIdx() && HoverRow() && HoverRowCells().Contains(hcFixed))
        P.PaintFixed = false;

    if (P.PaintFixed)
        DrawFixedCellLook(Canvas, P);

    // Row indicator in the fixed column of the current row.
    if (ACol == 0 && ARow == Row() && FixedCols() > 0 && !FRowIndicator.Empty() &&
        !(FFixedRowAlways && RowCount() == FixedRows())) {
        const QImage &img = FRowIndicator.Image();
        int y = P.Rect.Top;
        if (FVAlignment == vtaCenter)
            y = P.Rect.Top + (P.Rect.Height() - img.height()) / 2;
        else if (FVAlignment == vtaBottom)
            y = P.Rect.Bottom - img.height();
        Canvas.DrawTransparent(P.Rect.Left + 2, y, img, FromQColor(img.pixelColor(0, 0)));
        P.IndicatorOffset = img.width() + 2;
        P.Rect.Left += P.IndicatorOffset;
    }

    DrawListViewAndModified(Canvas, P);

    if (OnCustomCellBkgDraw)
        OnCustomCellBkgDraw(this, Canvas, P.RCol, ARow, P.State, P.Rect, false);

    P.RightEdge = P.Rect.Right;
    if (!P.PaintFixed)
        DrawAlwaysVisibleButtons(Canvas, P);

    IGridCellObject *cellObject = nullptr;
    if (P.Graphic && P.Graphic->CellType == ctInterface) {
        cellObject = dynamic_cast<IGridCellObject *>(P.Graphic->CellBitmap);
        if (cellObject && cellObject->IsBackground()) {
            cellObject->Draw(Canvas, P.Rect, P.RCol, ARow, P.State.Contains(gdSelected), this);
            cellObject = nullptr;
        }
    }

    const bool customDraw = (OnDrawCell || OnCustomCellDraw) && NoDefaultDraw();
    if (!customDraw && !(P.Graphic && NoImageAndText()))
        DrawCellText(Canvas, P);

    P.Rect.Right = P.RightEdge;
    Canvas.Brush.Color = P.SavedBrush;
    Canvas.Font.Color = P.SavedFont;
    TRect borders = P.Rect;
    InflateRect(borders, 1, 1);
    DrawCellBorders(Canvas, P.RCol, ARow, borders);

    P.Rect.Left -= P.IndicatorOffset;
    DrawFixedCellLines(Canvas, P);
    DrawTreeLines(Canvas, P);

    if (P.Graphic && (P.Graphic->CellType != ctInterface || cellObject)) {
        TRect gr = P.Rect;
        if (P.PaintFixed)
            ++gr.Top;
        DrawCellGraphic(Canvas, P.RCol, ARow, gr, P.State, P.Graphic, P.TextWidth);
    }

    if (OnDrawCell) {
        const TRect r(P.Rect.Left + 1, P.Rect.Top + 1, P.Rect.Right - GridLineWidth(),
                      P.Rect.Bottom - GridLineWidth());
        OnDrawCell(this, P.RCol, ARow, r, P.State);
    }
    if (OnCustomCellDraw)
        OnCustomCellDraw(this, Canvas, P.RCol, ARow, P.State, P.Rect, false);

    // Focus rectangle of the current cell (the base cell of a merge).
    if (!HideFocusRect() && !P.PaintFixed && !Options().Contains(goRowSelect) &&
        IsActiveControl()) {
        int bc = P.RCol, br = ARow;
        if (HasCellProps())
            ResolveBaseCell(P.RCol, ARow, bc, br);
        if (bc == RealColIndex(Col()) && br == Row()) {
            TRect fr = ARect;
            InflateRect(fr, GridLineWidth() - 1, GridLineWidth() - 1);
            --fr.Right;
            --fr.Bottom;
            DrawFocusRect(Canvas, fr);
        }
    }
}

int TDazStringGrid::FontPointSize(const TFont &Font)
{
    TFontObject f;
    f.SetValue(Font);
    return f.Size();
}

void TDazStringGrid::DrawFocusRect(TCanvas &Canvas, const TRect &R)
{
    const TPen pen = Canvas.Pen;
    const TBrushStyle bs = Canvas.Brush.Style;
    Canvas.Pen = TPen{clWindowText, 1, psDot, pmCopy};
    Canvas.Brush.Style = bsClear;
    Canvas.Rectangle(R);
    Canvas.Pen = pen;
    Canvas.Brush.Style = bs;
}

// ---------------------------------------------------------------------------------------
// Text painter
// ---------------------------------------------------------------------------------------

namespace {

constexpr unsigned DT_EDITCONTROL = 0x2000;

bool IsCheckKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox ||
           t == ctRowCheckBox || t == ctTriStateCheckBox || t == ctRadioButton;
}

}   // namespace

void TDazStringGrid::DrawCellText(TCanvas &Canvas, TCellPaint &P)
{
    const int ACol = P.DCol;
    const int ARow = P.Row;
    TColor urlColor = URLColor();

    // 1. Selection colours.
    const bool rowSelected = Options().Contains(goRowSelect) && ACol >= FixedCols() &&
                             ACol < ColCount() - FFixedRightCols &&
                             PointInGridRect(FixedCols(), ARow, Selection());
    if ((P.State.Contains(gdSelected) || rowSelected) && !P.PaintFixed) {
        if (FShowSelection) {
            if (FSelectionColor != clNone)
                Canvas.Brush.Color = FSelectionColor;
            if (isEnabled() && FSelectionTextColor != clNone) {
                Canvas.Font.Color = FSelectionTextColor;
                urlColor = FSelectionTextColor;
            }
        } else if (!hasFocus() || (P.Graphic && IsCheckKind(P.Graphic->CellType))) {
            Canvas.Brush.Color = P.SavedBrush;
            Canvas.Font.Color = P.SavedFont;
        }
    }

    // 2. The text and its kind.
    QString text = GetFormattedCell(P.RCol, ARow);
    int kind = ClassifyCellText(text, EnableHTML());
    if (kind == ctFormula) {
        text = GetCellRawText(P.RCol, ARow);
        kind = ClassifyCellText(text, EnableHTML());
    }
    if (kind == ctWideText) {
        text = DecodeWideCellText(text);
        kind = ctPlain;
    }
    bool password = false;
    IsPasswordCell(P.RCol, ARow, password);
    if (password)
        FillWithChar(text, PasswordChar());

    // 3. The text rectangle.
    TRect tr = P.Rect;
    if (P.State.Contains(gdFixed)) {
        tr.Left += GridLineWidth();
        tr.Top += GridLineWidth();
    }
    const bool clipped = P.ScrollPos > 0;
    if (clipped) {
        Canvas.Save();
        Canvas.IntersectClipRect(P.Rect);
        OffsetRect(tr, 0, -P.ScrollPos);
    }

    // 4. Filter button.
    if (P.FilterButton) {
        const TBitmap &glyph = FFilter.HasFilter(P.RCol) ? FFilterDropDown.GlyphActive()
                                                         : FFilterDropDown.Glyph();
        const int left = P.Rect.Right - 16;
        if (!glyph.Empty()) {
            Canvas.DrawTransparent(left, P.Rect.Top, glyph.Image(),
                                   FromQColor(glyph.Image().pixelColor(0, 0)));
        } else {
            static const QImage funnel(QStringLiteral(":/ASGFILT"));
            Canvas.DrawTransparent(left, P.Rect.Top, funnel, FixedColor());
        }
    }

    // 5. Outside the disjunct row or column selection the cell shows its own colours, even
    // where the base grid's selection marked it.
    if (!P.PaintFixed && !FMouseDown) {
        const bool rowMode = FMouseActions.DisjunctRowSelect();
        const int selRow =
            rowMode && FMouseActions.RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
        if ((rowMode && selRow < AllRowCount() && !RowSelect(selRow)) ||
            (FMouseActions.DisjunctColSelect() && !ColSelect(ACol))) {
            Canvas.Brush.Color = Color();
            Canvas.Font.Color = Font().Value().Color;
            urlColor = URLColor();
            const int size = FontPointSize(Canvas.Font);
            GetCellColor(P.RCol, ARow, P.State, Canvas.Brush, Canvas.Font);
            if (ZoomFactor() != 0 && FontPointSize(Canvas.Font) != size)
                Canvas.Font.Size = FontPointSize(Canvas.Font) + ZoomFactor();
        }
    }

    // 6, 7. Background picture and gradient behind the text.
    {
        const TColor brush = Canvas.Brush.Color;
        DrawCellBackGround(Canvas, P);
        Canvas.Brush.Color = brush;
    }

    // 8. Selection rectangle.
    if (FSelectionRectangle && !P.PaintFixed && PointInGridRect(ACol, ARow, Selection()))
        DrawSelectionRectangle(Canvas, P);

    if (!P.ShowText) {
        if (clipped)
            Canvas.Restore();
        return;
    }

    // 9. Placement.
    if (!FXYOffsetTopLeftOnly)
        tr.Right -= FXYOffset.X;
    tr.Left += FXYOffset.X;
    tr.Top += FXYOffset.Y;
    if (P.Graphic) {
        if (P.GHAlign == haBeforeText)
            tr.Left += P.GWidth;
        else if (P.GHAlign == haAfterText)
            tr.Right -= P.GWidth;
        if (P.GVAlign == vaAboveText)
            tr.Top += P.GHeight;
        else if (P.GVAlign == vaUnderText)
            tr.Bottom -= P.GHeight;
    }
    if (ACol == 0 && HasNodes() && GetCellType(0, ARow) != ctNode)
        tr.Left += GetRowIndent(ARow);

    // A column further down the sort index list shows its glyph only with IndexShow.
    const int sortIndex = FSortIndexes.FindIndex(P.RCol);
    const bool sortHeader = FSortSettings.Show() && ARow == FSortSettings.Row() &&
                            (P.RCol == FSortSettings.Column() || sortIndex >= 0) &&
                            (sortIndex < 1 || FSortSettings.IndexShow()) && FixedRows() > 0 &&
                            (ACol >= FixedCols() || FSortSettings.FixedCols());
    Canvas.Brush.Style = bsClear;
    if (kind == ctMarkup) {
        // 10. Mark-up.
        TRect hr = tr;
        if (P.FilterButton)
            hr.Right -= 18;
        --hr.Left;
        if (sortHeader)
            hr.Right -= 10;
        THtmlRenderParams params;
        params.Images = GetCellImageList(P.RCol, ARow);
        params.AnchorColor = urlColor;
        params.ShadowColor = 0x808080;
        params.HoveredAnchor = FHoverCell == TGridCoord{ACol, ARow} ? FHoverAnchor : -1;
        params.HoverOnlyStyle = URLUnderlineOnHover();
        params.Selected = P.State.Contains(gdSelected) && FSelectionTextColor != clNone;
        params.WordWrap = P.WordWrap;
        params.BlinkOn = !FEnableBlink || FGridBlink;
        params.PictureCache = &FImageCache;
        params.Container = PictureContainer();
        params.ThemeWindow = this;
        // A pressed BUTTON element is drawn down under the press.
        if (FCtrlDown && FCtrlXY.X == P.RCol && FCtrlXY.Y == ARow) {
            params.MouseDown = true;
            params.HitX = FClickPos.X;
            params.HitY = FClickPos.Y;
        }
        THtmlRenderResult result;
        RenderHtmlText(Canvas, text, hr, params, result);
        P.TextHeight = result.ExtentY + 2;
        if (sortHeader) {
            const int y = P.VAlign == vtaTop      ? P.Rect.Top + 8
                          : P.VAlign == vtaCenter ? P.Rect.Top + P.Rect.Height() / 2
                                                  : P.Rect.Bottom - 8;
            DrawSortGlyph(Canvas, P, hr.Right + 2, y);
        }
    } else if (kind == ctRichText && !password && IsRtfText(text)) {
        // 11. Rich text; a text that only looks like RTF falls through to plain text.
        const bool selected = (P.State.Contains(gdSelected) || rowSelected) && !P.PaintFixed &&
                              FShowSelection && isEnabled() && !SelectionRTFKeep();
        // The rich text lies on the cell's own brush, not on a background picture or gradient.
        if (!(P.State.Contains(gdSelected) && !P.State.Contains(gdFocused) &&
              FSelectionColor == clNone)) {
            Canvas.Brush.Style = bsSolid;
            Canvas.Pen.Color = Canvas.Brush.Color;
            Canvas.Pen.Style = psSolid;
            Canvas.Pen.Width = 1;
            Canvas.Rectangle(P.Rect);
            Canvas.Brush.Style = bsClear;
        }
        DrawRichCellText(Canvas, text, tr, P.HAlign, P.VAlign, P.WordWrap,
                         selected ? FSelectionTextColor : clNone);
        P.TextHeight = RichCellTextSize(text, Canvas.Font, P.WordWrap ? tr.Width() : -1).height();
        Canvas.Font.Color = clBlack;
    } else {
        // 12. Plain text.
        if (sortHeader && P.HAlign == taCenter)
            tr.Left += 10;
        const bool url = URLShow() && kind == ctPlain && IsUrlText(text);
        if (url) {
            if (!URLFull())
                StripUrlScheme(text);
            Canvas.Font.Color = urlColor;
            Canvas.Font.Style = Canvas.Font.Style | fsUnderline;
        }
        unsigned flags = DT_EDITCONTROL;
        const bool oneLine = CountCellLines(text, Multilinecells()) == 1;
        if (oneLine && !P.WordWrap) {
            const int cr = text.indexOf(u'\r');
            if (cr >= 0)
                text.truncate(cr);
            flags = DT_SINGLELINE;
            if (EnhTextSize())
                flags |= DT_END_ELLIPSIS;
        }
        if (P.WordWrap && !Multilinecells() && EnhTextSize())
            flags |= DT_END_ELLIPSIS;
        flags |= DT_EXPANDTABS | DT_NOPREFIX;
        flags |= P.HAlign == taRightJustify ? DT_RIGHT : P.HAlign == taCenter ? DT_CENTER : DT_LEFT;
        flags |= P.VAlign == vtaCenter ? DT_VCENTER : P.VAlign == vtaBottom ? DT_BOTTOM : DT_TOP;
        if (P.WordWrap || Multilinecells())
            flags |= DT_WORDBREAK | DT_EDITCONTROL;
        else
            flags |= DT_SINGLELINE;
        if (P.FilterButton)
            tr.Right -= 16;
        if (layoutDirection() == Qt::RightToLeft) {
            const int w = ClientWidth();
            tr = TRect(w - tr.Right, tr.Top, w - tr.Left, tr.Bottom);
        }
        // A top-aligned line that fits is drawn as one line, instead of a word-by-word
        // measuring at every paint. The canvas mostly knows that it fits without shaping
        // it, so the text is shaped once, to draw it.
        if ((flags & DT_WORDBREAK) && P.VAlign == vtaTop && !text.contains(u'\r') &&
            !text.contains(u'\n') && !text.contains(u'\t') && Canvas.TextFits(text, tr.Width()))
            flags = (flags & ~(DT_WORDBREAK | DT_EDITCONTROL)) | DT_SINGLELINE;
        if (P.Graphic) {
            TRect calc = tr;
            Canvas.DrawText(text, calc, flags | DT_CALCRECT);
            P.TextWidth = calc.Width() + 2;
        }
        Canvas.DrawText(text, tr, flags);
        if (P.Graphic && (P.Graphic->CellType == ctEmpty || P.Graphic->CellType == ctValue) &&
            P.Graphic->CellErrLen > 0)
            DrawErrorZigzag(this, Canvas, text, tr, 0, P.Graphic->CellErrFrom,
                            P.Graphic->CellErrLen);
        P.TextHeight = Canvas.TextHeight(QStringLiteral("hg"));
        if (sortHeader) {
            const int w = std::clamp(P.TextWidth > 0 ? P.TextWidth
                                                     : Canvas.TextWidth(text),
                                     0, std::max(0, P.Rect.Width() - 16));
            int x;
            if (P.HAlign == taRightJustify)
                x = P.Rect.Right - w - 10;
            else if (P.HAlign == taCenter)
                x = P.Rect.Left + 8;
            else
                x = P.Rect.Left + w +
                    (P.Graphic && (P.GHAlign == haBeforeText || P.GHAlign == haLeft) ? P.GWidth
                                                                                      : 0) +
                    10;
            const int y = P.VAlign == vtaTop      ? P.Rect.Top + 8
                          : P.VAlign == vtaCenter ? P.Rect.Top + P.Rect.Height() / 2
                                                  : P.Rect.Bottom - 8;
            DrawSortGlyph(Canvas, P, x, y);
        }
        if (url)
            Canvas.Font.Style = Canvas.Font.Style & ~fsUnderline;
    }
    Canvas.Brush.Style = bsSolid;
    if (clipped)
        Canvas.Restore();
}

void TDazStringGrid::DrawSortGlyph(TCanvas &Canvas, const TCellPaint &P, int X, int Y)
{
    DrawSortGlyph(Canvas, P.RCol, Y, X);
    Canvas.Brush.Style = bsClear;
}

void TDazStringGrid::DrawCellBackGround(TCanvas &Canvas, TCellPaint &P)
{
    const bool fixedCell = P.PaintFixed;
    const TBackGroundCells cells = FBackGround.Cells();
    const bool kindMatches =
        fixedCell ? cells == bcFixed || cells == bcAll : cells == bcNormal || cells == bcAll;
    if (!kindMatches)
        return;
    const TCellProperties *p = PropsOf(P.RCol, P.Row);
    const bool ownColor = p && p->BrushColor() != clNone;
    const bool selected = P.State.Contains(gdSelected);
    const TBackGroundDisplay display = FBackGround.Display();
    const int lw = GridLineWidth();
    if (!FBackGround.Bitmap().Empty() && !ownColor && !(selected && FShowSelection)) {
        TRect r = P.Rect;
        r.Left -= lw - 1;
        r.Top -= lw - 1;
        Canvas.Save();
        Canvas.IntersectClipRect(r);
        const QImage &img = FBackGround.Bitmap().Image();
        if (display != bdTile) {
            Canvas.Draw(FBackGround.Left(), FBackGround.Top(), img);
        } else {
            const int firstCol = cells == bcAll ? 0 : FixedCols();
            const int firstRow = cells == bcAll ? 0 : FixedRows();
            const int64_t ox = P.DCol >= firstCol ? ColOffset(P.DCol) - ColOffset(firstCol) : 0;
            const int64_t oy = P.Row >= firstRow ? RowOffset(P.Row) - RowOffset(firstRow) : 0;
            const int sx = r.Left - int(ox % img.width());
            const int sy = r.Top - int(oy % img.height());
            for (int y = sy; y < r.Bottom; y += img.height())
                for (int x = sx; x < r.Right; x += img.width())
                    Canvas.Draw(x, y, img);
        }
        Canvas.Restore();
    }
    if ((display == bdGradientHorz || display == bdGradientVert) &&
        FBackGround.ColorTo() != clNone) {
        const TCellType t = P.Graphic ? P.Graphic->CellType : ctEmpty;
        const bool colorKinds = t == ctCheckBox || t == ctDataCheckBox || t == ctRadio ||
                                t == ctButton || t == ctRadioButton;
        const bool skipSel =
            FShowSelection && ((selected && !P.State.Contains(gdFocused)) ||
                               (P.State.Contains(gdFocused) &&
                                Options().Contains(goDrawFocusSelected)));
        if ((!ownColor || colorKinds) && !skipSel) {
            const bool horz = display == bdGradientHorz;
            const TRect cr = TCustomGrid::CellRect(P.DCol, P.Row);
            const int span = std::max(1, horz ? width() : height());
            const int from = horz ? cr.Left : cr.Top;
            const int to = horz ? cr.Right : cr.Bottom;
            const TColor c1 = InterpolateColor(ColorToRGB(FBackGround.Color()),
                                               ColorToRGB(FBackGround.ColorTo()), 0, span,
                                               std::clamp(from, 0, span));
            const TColor c2 = InterpolateColor(ColorToRGB(FBackGround.Color()),
                                               ColorToRGB(FBackGround.ColorTo()), 0, span,
                                               std::clamp(to, 0, span));
            SolidBandStyle(Canvas);
            DrawDropDownGradient(Canvas, c1, c2, 128, P.Rect, horz);
        }
    }
}

void TDazStringGrid::DrawSelectionRectangle(TCanvas &Canvas, const TCellPaint &P)
{
    const TGridRect sel = Selection();
    const TRect r = P.Rect;
    const TPen pen = Canvas.Pen;
    Canvas.Pen.Color = SelectionRectangleColor();
    Canvas.Pen.Width = 2;
    Canvas.Pen.Style = psSolid;
    const TPoint span = CellSpan(P.RCol, P.Row);
    const int right = P.DCol + std::max(0, span.X);
    const int bottom = P.Row + std::max(0, span.Y);
    if (P.DCol == sel.Left) {
        Canvas.MoveTo(r.Left, r.Top);
        Canvas.LineTo(r.Left, r.Bottom);
    }
    if (right == sel.Right) {
        Canvas.MoveTo(r.Right - 1, r.Top);
        Canvas.LineTo(r.Right - 1, r.Bottom);
    }
    if (P.Row == sel.Top) {
        Canvas.MoveTo(r.Left, r.Top);
        Canvas.LineTo(r.Right, r.Top);
    }
    if (bottom == sel.Bottom) {
        Canvas.MoveTo(r.Left, r.Bottom - 1);
        Canvas.LineTo(r.Right, r.Bottom - 1);
    }
    if (FSelectionResizer && right == sel.Right && bottom == sel.Bottom) {
        Canvas.Brush.Color = SelectionRectangleColor();
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(TRect(r.Right - 4, r.Bottom - 4, r.Right, r.Bottom));
        Canvas.Brush.Style = bsClear;
    }
    Canvas.Pen = pen;
    Canvas.Pen.Width = 1;
}
