// TDazStringGrid: the cell graphics beyond check boxes, pictures and buttons: radio groups
// over a whole cell, progress bars, pies and range bars, ratings, rotated text, node glyphs
// with their tree lines, and the sort glyph of header cells.
#include "grid/string/dazstringgrid.h"

#include "grid/base/drawroutines.h"
#include "grid/base/progress.h"
#include "grid/base/styledetect.h"
#include "grid/base/textroutines.h"
#include "platform/rtl.h"

#include <QPainter>
#include <QTransform>
#include <cmath>

namespace {

// Theme parts of the progress class.
constexpr int PP_BAR = 1, PP_CHUNK = 3;

// The colour pair kept in a graphic's variant (progress and range bars).
TColor VarColor(const QVariant &V, int Index, TColor Default)
{
    const QList<uint> list = V.value<QList<uint>>();
    return Index < list.size() ? TColor(list[Index]) : Default;
}

// A five-pointed star in a 16 x 16 square at (X, Y).
std::vector<TPoint> StarShape(int X, int Y)
{
    std::vector<TPoint> points;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 7.5 : 3.0;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        points.emplace_back(X + int(std::lround(7.5 + radius * std::cos(angle))),
                            Y + int(std::lround(8.0 + radius * std::sin(angle))));
    }
    return points;
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Dispatcher
// ---------------------------------------------------------------------------------------

void TDazStringGrid::DrawOtherCellGraphic(TCanvas &Canvas, int RCol, int ARow, const TRect &R,
                                          const TRect &Place, TGridDrawState AState,
                                          TCellGraphic *Graphic)
{
    const TCellGraphic &g = *Graphic;
    // The cell's number; a text that is none counts as 0.
    auto cellValue = [&] {
        return StrToFloatDef(NormalizeNumberText(StrippedCells(RCol, ARow)), 0);
    };
    const int mx = FControlLook.ProgressMarginX();
    const int my = FControlLook.ProgressMarginY();
    switch (g.CellType) {
    case ctNode:
        DrawNodeGlyph(Canvas, ARow, R, AState, g);
        break;
    case ctRotated:
        DrawRotatedCell(Canvas, RCol, ARow, R, g);
        break;
    case ctRadio: {
        QStringList items;
        if (const TStringList *list = GetRadioStrings(RCol, ARow))
            for (int i = 0; i < list->Count(); ++i)
                items << list->Strings(i);
        const bool enabled =
            isEnabled() && (!ReadOnly(RCol, ARow) || FControlLook.NoDisabledCheckRadioLook());
        DrawRadioGroup(Canvas, R, false, 1.0, FControlLook.ControlStyle(), ARow, RCol,
                       AState.Contains(gdSelected), items, !enabled, g.CellBoolean,
                       g.CellIndex, int(items.size()));
        break;
    }
    case ctProgress: {
        const double value = cellValue();
        const TControlStyle style = FControlLook.ControlStyle();
        TThemeHandle theme = 0;
        if ((style == csWinXP || style == csTheme) && FControlLook.ProgressXP() &&
            IsThemeActive())
            theme = OpenThemeData(this, QStringLiteral("Progress"));
        if (theme) {
            TRect bar = R;
            InflateRect(bar, -mx, -my);
            DrawThemeBackground(theme, Canvas, PP_BAR, 0, bar);
            TRect chunk = bar;
            InflateRect(chunk, -2, -2);
            chunk.Right = chunk.Left + int(std::lround(chunk.Width() * ClampPercent(value) / 100));
            if (chunk.Right > chunk.Left)
                DrawThemeBackground(theme, Canvas, PP_CHUNK, 0, chunk);
            CloseThemeData(theme);
            break;
        }
        TRect r = R;
        InflateRect(r, -2, -2);
        const TColor font = Canvas.Font.Color;
        const TColor fgText = TColor(g.CellIndex) == clNone ? font : TColor(g.CellIndex);
        const TColor bkText = TColor(g.CellAngle) == clNone ? font : TColor(g.CellAngle);
        DrawPercentProgressBar(Canvas, r, VarColor(g.CellVar, 0, clHighlight), fgText,
                               VarColor(g.CellVar, 1, Color()), bkText, value, mx, my,
                               g.CellErrFrom, g.CellErrLen, g.CellText,
                               FControlLook.ProgressBorderColor(), false);
        break;
    }
    case ctRangeIndicator: {
        TRect r = R;
        InflateRect(r, -mx, -my);
        DrawCenteredProgressBar(Canvas, r, int(Round(cellValue())), g.CellIndex,
                                VarColor(g.CellVar, 1, clGreen), VarColor(g.CellVar, 0, clRed),
                                g.CellBoolean);
        break;
    }
    case ctXPProgress: {
        const TGridProgressAppearance &a = FProgressAppearance;
        TProgressLevelLook look;
        look.Level0Color = a.Level0Color();
        look.Level0ColorTo = a.Level0ColorTo();
        look.Level1Color = a.Level1Color();
        look.Level1ColorTo = a.Level1ColorTo();
        look.Level2Color = a.Level2Color();
        look.Level2ColorTo = a.Level2ColorTo();
        look.Level3Color = a.Level3Color();
        look.Level3ColorTo = a.Level3ColorTo();
        look.Level1Perc = a.Level1Perc();
        look.Level2Perc = a.Level2Perc();
        look.BorderColor = a.BorderColor();
        look.ShowBorder = a.ShowBorder();
        look.Stacked = a.Stacked();
        look.ShowPercentage = a.ShowPercentage();
        look.Font = Font().Value();
        look.FontColor = a.CompleteFontColor();
        look.CompletionSmooth = a.CompletionSmooth();
        look.ShowGradient = a.ShowGradient();
        look.Steps = a.Steps();
        look.BackColor = a.UnCompleteColor() == clNone ? Canvas.Brush.Color : a.UnCompleteColor();
        TRect r = R;
        InflateRect(r, -mx, -my);
        --r.Right;
        --r.Bottom;
        const int range = g.CellErrLen - g.CellErrFrom;
        const int percent =
            range == 0 ? 0
                       : int(Round(std::abs(cellValue() - g.CellErrFrom) * 100.0 / range));
        DrawLevelProgressBar(Canvas, r, ClampPercent(percent), look);
        break;
    }
    case ctProgressPie:
        DrawProgressPie(Canvas, Bounds(Place.Left, Place.Top, 20, 20),
                        g.CellVar.isValid() ? TColor(g.CellVar.toUInt()) : clHighlight,
                        ClampPercent(g.CellAngle), false);
        break;
    case ctRating: {
        // The value in halves; the star where it ends at a half gets a half star on top.
        const double value = std::round(cellValue() * 2) / 2;
        const TColor full = TColor(g.CellIndex);
        const TColor empty = g.CellVar.isValid() ? TColor(g.CellVar.toUInt()) : clSilver;
        Canvas.Brush.Style = bsSolid;
        for (int i = 1; i <= g.CellAngle; ++i) {
            const int x = Place.Left + (i - 1) * 18;
            const std::vector<TPoint> star = StarShape(x, Place.Top);
            const TColor c = i <= value ? full : empty;
            Canvas.Brush.Color = c;
            Canvas.Pen.Color = c;
            Canvas.Polygon(star);
            if (i - 0.5 == value) {
                Canvas.Save();
                Canvas.IntersectClipRect(TRect(x, Place.Top, x + 8, Place.Top + 16));
                Canvas.Brush.Color = full;
                Canvas.Pen.Color = full;
                Canvas.Polygon(star);
                Canvas.Restore();
            }
        }
        break;
    }
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Rotated text
// ---------------------------------------------------------------------------------------

void TDazStringGrid::DrawRotatedCell(TCanvas &Canvas, int RCol, int ARow, const TRect &R,
                                     const TCellGraphic &Graphic)
{
    const QString text = Cells(RCol, ARow);
    TAlignment halign = taLeftJustify;
    TVAlignment valign = vtaTop;
    GetCellAlignment(RCol, ARow, halign, valign);
    TRect r = R;
    InflateRect(r, -2, -2);
    TRect start = r;
    PlaceRotatedText(start, Graphic.CellAngle, text, halign, valign);
    const TBrushStyle brush = Canvas.Brush.Style;
    Canvas.Brush.Style = bsClear;
    Canvas.Save();
    Canvas.IntersectClipRect(r);
    if (QPainter *p = Canvas.Painter()) {
        const QTransform keep = p->worldTransform();
        p->translate(start.Left, start.Top);
        p->rotate(-Graphic.CellAngle);
        Canvas.TextOut(0, 0, text);
        p->setWorldTransform(keep);
    }
    Canvas.Restore();
    Canvas.Brush.Style = brush;
    const int dcol = DisplColIndex(RCol);
    if (ARow < FixedRows() && FSortSettings.Show() && ARow == FSortSettings.Row() &&
        RCol == FSortSettings.Column() && (dcol >= FixedCols() || FSortSettings.FixedCols()))
        DrawSortGlyph(Canvas, RCol, R.Top + 8, R.Right - 10);
}

// ---------------------------------------------------------------------------------------
// Node glyph
// ---------------------------------------------------------------------------------------

void TDazStringGrid::DrawNodeGlyph(TCanvas &Canvas, int ARow, const TRect &R,
                                   TGridDrawState AState, const TCellGraphic &Graphic)
{
    const int indent = FCellNode.NodeIndent();
    const int rowIndent = GetRowIndent(ARow);
    const int left = R.Left + rowIndent - indent / 2 - 4;
    const bool collapsed = Graphic.CellBoolean;
    const int mid = R.Top + R.Height() / 2;

    if (FCellNode.ShowTree() && ARow >= FixedRows()) {
        const TCellProperties *own = PropsOf(0, ARow);
        const int level = own ? own->NodeLevel() : 0;
        auto levelOf = [&](int Row) {
            const TCellProperties *p = PropsOf(0, Row);
            return p ? p->NodeLevel() : 0;
        };
        const int x = rowIndent - indent + indent / 2 + 2;
        Canvas.Pen.Color = FCellNode.TreeColor();
        Canvas.Pen.Width = 1;
        Canvas.Pen.Style = psSolid;
        if (!collapsed && ARow + 1 < RowCount() && levelOf(ARow + 1) >= level) {
            Canvas.MoveTo(x, mid);
            Canvas.LineTo(x, R.Bottom);
        }
        if (ARow - 1 >= FixedRows() && levelOf(ARow - 1) >= level) {
            Canvas.MoveTo(x, R.Top);
            Canvas.LineTo(x, R.Top + 6);
        }
    }

    TColor back = Canvas.Brush.Color;
    if (AState.Contains(gdSelected) && ShowSelection())
        back = SelectionColor();
    switch (FCellNode.NodeType()) {
    case cnLeaf:
        DrawResourceBitmapTransparent(
            Canvas, back, Bounds(left, R.Top + (R.Height() - 12) / 2, 16, 16),
            collapsed ? QStringLiteral("ASGLEAFCLOSE") : QStringLiteral("ASGLEAFOPEN"));
        break;
    case cnXP:
        DrawResourceBitmapTransparent(Canvas, back,
                                      Bounds(left + 4, R.Top + (R.Height() - 10) / 2, 9, 9),
                                      collapsed ? QStringLiteral("XPNODEC")
                                                : QStringLiteral("XPNODEO"));
        break;
    case cnGlyph: {
        const TBitmap &expand = FCellNode.ExpandGlyph();
        const TBitmap &contract = FCellNode.ContractGlyph();
        if (expand.Empty() || contract.Empty())
            break;
        const TBitmap &glyph = collapsed ? contract : expand;
        DrawBitmapTransparent(
            Canvas, glyph.Image(), back,
            Bounds(left, R.Top + (R.Height() - glyph.Height()) / 2, glyph.Width(), glyph.Height()));
        break;
    }
    case cn3D:
    case cnFlat: {
        const TRect box = Bounds(left + 4, mid - 4, 8, 8);
        if (FCellNode.NodeType() == cn3D) {
            Canvas.Brush.Color = FCellNode.Color();
            Canvas.Brush.Style = bsSolid;
            Canvas.FillRect(box);
            // Raised while collapsed, sunken while expanded.
            DrawEdgeLines(Canvas, box, collapsed ? clWhite : clGray, collapsed ? clGray : clWhite);
        } else {
            Canvas.Pen.Color = FCellNode.NodeColor();
            Canvas.Brush.Style = bsClear;
            Canvas.Rectangle(box);
            Canvas.MoveTo(box.Left + 2, mid);
            Canvas.LineTo(box.Right - 2, mid);
            if (collapsed) {
                Canvas.MoveTo(box.Left + 4, box.Top + 2);
                Canvas.LineTo(box.Left + 4, box.Bottom - 2);
            }
            Canvas.Brush.Style = bsSolid;
        }
        break;
    }
    }
    Canvas.Brush.Color = back;
}

// ---------------------------------------------------------------------------------------
// Sort glyph
// ---------------------------------------------------------------------------------------

void TDazStringGrid::DrawSortGlyph(TCanvas &Canvas, int ACol, int Y, int X)
{
    const TBitmap &up = FSortSettings.UpGlyph();
    const TBitmap &down = FSortSettings.DownGlyph();
    // A right-to-left grid mirrors the glyph's place.
    if (layoutDirection() == Qt::RightToLeft)
        X = ClientWidth() - X - 4 - (up.Empty() ? 7 : up.Width() + 7);
    const TPen pen = Canvas.Pen;
    const int n = FSortSettings.IndexShow() ? FSortIndexes.FindIndex(ACol) : -1;
    if (n >= 0) {
        const bool descending = !FSortIndexes.GetSortDirections(n);
        Canvas.Brush.Color = FSortSettings.IndexColor();
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = clBlack;
        TBitmap &glyph = descending ? FSortSettings.IndexUpGlyph() : FSortSettings.IndexDownGlyph();
        if (!glyph.Empty())
            DrawBitmapTransparent(Canvas, glyph.Image(), FixedColor(),
                                  Bounds(X - 7, Y - 7, glyph.Width(), glyph.Height()));
        else if (descending)
            Canvas.Polygon({TPoint(X - 7, Y - 5), TPoint(X + 7, Y - 5), TPoint(X, Y + 8)});
        else
            Canvas.Polygon({TPoint(X - 6, Y + 8), TPoint(X + 6, Y + 8), TPoint(X, Y - 4)});
        const TFont font = Canvas.Font;
        Canvas.Font.Size = 6;
        Canvas.Font.Color = clBlack;
        Canvas.Font.Style = 0;
        Canvas.Brush.Style = bsClear;
        Canvas.TextOut(X - 2, descending ? Y - 4 : Y - 2, QString::number(n + 1));
        Canvas.Font = font;
    } else if (FSortSettings.Direction() == sdDescending) {
        if (!up.Empty() && !down.Empty()) {
            DrawBitmapTransparent(Canvas, down.Image(), FixedColor(),
                                  Bounds(X - 4, Y - 4, down.Width(), down.Height()));
            Canvas.Brush.Color = FixedColor();
        } else {
            Canvas.Pen.Color = clWhite;
            Canvas.MoveTo(X + 4, Y - 4);
            Canvas.LineTo(X, Y + 4);
            Canvas.Pen.Color = 0x808080;
            Canvas.LineTo(X - 4, Y - 4);
            Canvas.LineTo(X + 4, Y - 4);
        }
    } else {
        if (!up.Empty() && !down.Empty()) {
            DrawBitmapTransparent(Canvas, up.Image(), FixedColor(),
                                  Bounds(X - 4, Y - 4, up.Width(), up.Height()));
            Canvas.Brush.Color = FixedColor();
        } else {
            Canvas.Pen.Color = clWhite;
            Canvas.MoveTo(X - 4, Y + 4);
            Canvas.LineTo(X + 4, Y + 4);
            Canvas.LineTo(X, Y - 4);
            Canvas.Pen.Color = 0x808080;
            Canvas.LineTo(X - 4, Y + 4);
        }
    }
    Canvas.Pen = pen;
    Canvas.Pen.Color = clBlack;
}

// ---------------------------------------------------------------------------------------
// Cell button faces
// ---------------------------------------------------------------------------------------

int TDazStringGrid::ButtonGlyphLook()
{
    if (Flat() && FTones.Background.BrushColor != clNone)
        return glyphCustom;
    if (FControlLook.FlatButton())
        return glyphFlat;
    return IsThemeActive() ? glyphThemed : glyphFrame;
}

int TDazStringGrid::ButtonGlyphState(int RCol, int ARow, const TCellGraphic &Graphic)
{
    if (Graphic.CellBoolean)
        return glyphDown;
    const int dcol = DisplColIndex(RCol);
    if (FHoverButton == TGridCoord{dcol, ARow})
        return glyphHot;
    if (Graphic.CellType != ctExpand && !FControlLook.NoDisabledButtonLook() &&
        (!isEnabled() || ReadOnly(RCol, ARow)))
        return glyphDisabled;
    return glyphNormal;
}

TColor TDazStringGrid::ButtonToneTextColor(int State) const
{
    switch (State) {
    case glyphHot:
        return FTones.Hover.TextColor;
    case glyphDown:
        return FTones.Selected.TextColor;
    case glyphDisabled:
        return FTones.Disabled.TextColor;
    default:
        return FTones.Background.TextColor;
    }
}

void TDazStringGrid::DrawEdgeLines(TCanvas &Canvas, const TRect &Box, TColor Light, TColor Dark)
{
    Canvas.Pen.Color = Light;
    Canvas.MoveTo(Box.Left, Box.Bottom - 1);
    Canvas.LineTo(Box.Left, Box.Top);
    Canvas.LineTo(Box.Right - 1, Box.Top);
    Canvas.Pen.Color = Dark;
    Canvas.LineTo(Box.Right - 1, Box.Bottom - 1);
    Canvas.LineTo(Box.Left, Box.Bottom - 1);
}
