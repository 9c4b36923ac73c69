#include "controls/tree/lazytreeheaderpaint.h"
#include "controls/tree/lazytreeglobals.h"
#include "controls/tree/lazytreeutils.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>

using enum TLTColumnOption;
using enum TLTHeaderOption;
using enum TLazyTreeState;

namespace {

constexpr unsigned BDR_RAISEDINNER = 4, BDR_SUNKENOUTER = 2, EDGE_RAISED = 5;
constexpr unsigned BF_LEFT = 1, BF_TOP = 2, BF_RIGHT = 4, BF_BOTTOM = 8, BF_MIDDLE = 0x800,
                   BF_SOFT = 0x1000, BF_FLAT = 0x4000;

// A button edge: the outer and inner lines of the raised or sunken borders on the asked
// sides, the face filled with BF_MIDDLE; R shrinks by the lines drawn.
void DrawEdge(QPainter &P, TRect &R, unsigned Edge, unsigned Flags)
{
    const QColor face = ToQColor(clBtnFace), light = ToQColor(clBtnHighlight), shadow = ToQColor(clBtnShadow),
                 dark = ToQColor(cl3DDkShadow), mid = ToQColor(cl3DLight);
    struct TLine
    {
        QColor TopLeft, BottomRight;
    };
    std::vector<TLine> lines;
    if (Flags & BF_FLAT) {
        lines.push_back({shadow, shadow});
    } else {
        if (Edge & 1)   // raised outer
            lines.push_back({(Flags & BF_SOFT) ? light : mid, dark});
        if (Edge & 2)   // sunken outer
            lines.push_back({shadow, light});
        if (Edge & 4)   // raised inner
            lines.push_back({(Flags & BF_SOFT) ? mid : light, shadow});
    }
    for (const TLine &l : lines) {
        if (Flags & BF_LEFT)
            P.fillRect(QRect(R.Left, R.Top, 1, R.Height()), l.TopLeft);
        if (Flags & BF_TOP)
            P.fillRect(QRect(R.Left, R.Top, R.Width(), 1), l.TopLeft);
        if (Flags & BF_RIGHT)
            P.fillRect(QRect(R.Right - 1, R.Top, 1, R.Height()), l.BottomRight);
        if (Flags & BF_BOTTOM)
            P.fillRect(QRect(R.Left, R.Bottom - 1, R.Width(), 1), l.BottomRight);
        R = TRect(R.Left + ((Flags & BF_LEFT) ? 1 : 0), R.Top + ((Flags & BF_TOP) ? 1 : 0),
                  R.Right - ((Flags & BF_RIGHT) ? 1 : 0), R.Bottom - ((Flags & BF_BOTTOM) ? 1 : 0));
    }
    if (Flags & BF_MIDDLE)
        P.fillRect(R.ToQRect(), face);
}

struct TEdgeStyle
{
    unsigned NormalEdge, NormalFlags, PressedEdge, PressedFlags, HotEdge, HotFlags;
};

TEdgeStyle EdgeStyleOf(TLTHeaderStyle Style)
{
    switch (Style) {
    case TLTHeaderStyle::hsThickButtons:
        return {EDGE_RAISED, 0x380B, EDGE_RAISED, 0x780F, 0, 0};
    case TLTHeaderStyle::hsFlatButtons:
        return {BDR_RAISEDINNER, 0x280B, BDR_SUNKENOUTER, 0x280F, 0, 0};
    case TLTHeaderStyle::hsPlates:
        return {BDR_RAISEDINNER, 0x380F, BDR_SUNKENOUTER, 0x280F, BDR_RAISEDINNER, 0x280B};
    }
    return {};
}

// The check image of a column's check box.
int ColumnCheckImage(TCheckType Type, TCheckState State, bool Enabled)
{
    using enum TCheckState;
    const bool checked = CheckStateIsChecked(State);
    const bool mixed = State == csMixedNormal || State == csMixedPressed;
    switch (Type) {
    case TCheckType::ctRadioButton: return checked ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4);
    case TCheckType::ctButton: return Enabled ? 21 : 24;
    case TCheckType::ctNone: return -1;
    default: break;
    }
    if (mixed)
        return Enabled ? 17 : 20;
    return checked ? (Enabled ? 13 : 16) : (Enabled ? 9 : 12);
}

}   // namespace

void TLTHeaderPainter::PaintHeader(QPainter &Target, const QRect &R, int HOffset)
{
    TBaseLazyTree &tree = FHeader.Treeview();
    const QRect headerRect = tree.HeaderRect();
    QImage buffer(std::max(R.right() + 1, headerRect.right() + 1), std::max(headerRect.bottom() + 1, 1),
                  QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::transparent);
    {
        TCanvas canvas(&buffer);
        const int fixed = FHeader.Columns().GetVisibleFixedWidth();
        const int o = tree.UseRightToLeftReading() ? tree.RightToLeftShift(false) : 0;
        auto paintFixed = [&] {
            if (fixed > 0)
                PaintHeader(canvas, TRect(0, 0, std::min(R.right() + 1, fixed), R.height()),
                            TPoint(R.left(), R.top()), o);
        };
        if (o == 0)
            paintFixed();
        PaintHeader(canvas, TRect(fixed - HOffset, 0, R.right() + 1 + fixed - HOffset, R.height()),
                    TPoint(R.left() + fixed, R.top()), o);
        if (o != 0)
            paintFixed();
    }
    Target.drawImage(R.topLeft(), buffer, R);
    ++Copies;
}

void TLTHeaderPainter::PaintHeader(TCanvas &TargetCanvas, TRect R, TPoint Target, int RTLOffset)
{
    if (R.Width() <= 0 || R.Height() <= 0)
        return;
    TBaseLazyTree &tree = FHeader.Treeview();
    TLazyTreeColumns &columns = FHeader.Columns();
    QPainter &p = *TargetCanvas.Painter();
    TargetCanvas.Font = TFont::FromQFont(FHeader.Font(), FHeader.FontColor());
    const TRect background(Target.X, Target.Y, Target.X + R.Width(), Target.Y + FHeader.Height());
    if (tree.TreeStates().Contains(tsUseThemes)) {
        QStyleOptionHeader option;
        option.initFrom(&tree);
        option.rect = background.ToQRect();
        option.position = QStyleOptionHeader::End;
        tree.style()->drawControl(QStyle::CE_HeaderEmptyArea, &option, &p, &tree);
    } else {
        p.fillRect(background.ToQRect(), ToQColor(FHeader.Background()));
    }
    R = TRect(std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, columns.TotalWidth()),
              std::min(R.Bottom, FHeader.Height()));
    const int lastX = Target.X + R.Width();
    TColumnIndex column = columns.ColumnFromPosition(QPoint(R.Left + RTLOffset, 0), false);
    if (column < 0)
        return;
    int l = 0, r = 0;
    columns[column].GetUnscrolledBounds(l, r);
    int left = l + Target.X + RTLOffset - R.Left;
    const bool rightBorder = !(FHeader.Style() != TLTHeaderStyle::hsThickButtons &&
                               FHeader.Options().Contains(hoAutoResize) && Bevelled);
    while (column >= 0 && left < lastX) {
        TLazyTreeColumn &c = columns[column];
        const int right = left + c.Width();
        const TRect cell(left, Target.Y, right, Target.Y + R.Height());
        THeaderPaintInfo info = CellStates(c, cell);
        info.TargetCanvas = &TargetCanvas;
        info.ShowRightBorder = rightBorder;
        LayoutCell(info);
        p.save();
        p.setClipRect(QRect(QPoint(std::max(Target.X, left), Target.Y + R.Top),
                            QPoint(std::min(lastX, right) - 1, cell.Bottom - 1)));
        PaintCell(info);
        p.restore();
        left = right;
        column = columns.GetNextVisibleColumn(column);
    }
}

THeaderPaintInfo TLTHeaderPainter::CellStates(TLazyTreeColumn &Column, const TRect &K)
{
    TBaseLazyTree &tree = FHeader.Treeview();
    TLazyTreeColumns &columns = FHeader.Columns();
    const TColumnIndex index = Column.Index();
    const TLTColumnOptions o = Column.Options();
    THeaderPaintInfo info;
    info.Column = &Column;
    info.IsHoverIndex = index == columns.HoverIndex() && FHeader.Options().Contains(hoHotTrack) && o.Contains(coEnabled);
    info.IsDownIndex = index == columns.DownIndex();
    if (o.Contains(coShowDropMark) && index == DropTarget && index != DragIndex)
        info.DropMark = DropBefore ? TLTDropMarkMode::dmmLeft : TLTDropMarkMode::dmmRight;
    info.IsEnabled = o.Contains(coEnabled) && tree.isEnabled();
    info.ShowHeaderGlyph = FHeader.Options().Contains(hoShowImages) &&
                           ((FHeader.Images() && Column.ImageIndex() > -1) || Column.CheckBox());
    info.ShowSortGlyph = index == FHeader.SortColumn() && FHeader.Options().Contains(hoShowSortGlyphs);
    info.PaintRectangle = K;
    unsigned format = DT_NOPREFIX;
    const TLTAlignment caption = Column.CaptionAlignment();
    if (caption == TLTAlignment::taRightJustify)
        format |= DT_RIGHT;
    else if (caption == TLTAlignment::taCenter)
        format |= DT_CENTER;
    if (Column.UseRightToLeftReading())
        format |= HeaderRtlReading;
    info.DrawFormat = format;
    return info;
}

void TLTHeaderPainter::LayoutCell(THeaderPaintInfo &Info)
{
    TRect client = Info.PaintRectangle;
    InflateRect(client, -2, -2);
    DetermineLayout(Info, client);
    if (Info.IsDownIndex) {
        OffsetRect(Info.TextRectangle, 1, 1);
        Info.GlyphPos = TPoint(Info.GlyphPos.X + 1, Info.GlyphPos.Y + 1);
        Info.SortGlyphPos = TPoint(Info.SortGlyphPos.X + 1, Info.SortGlyphPos.Y + 1);
    }
}

void TLTHeaderPainter::DetermineLayout(THeaderPaintInfo &Info, const TRect &Client)
{
    TBaseLazyTree &tree = FHeader.Treeview();
    TLazyTreeColumn &c = *Info.Column;
    const QString text = c.Text();
    const bool glyph = Info.ShowHeaderGlyph, sort = Info.ShowSortGlyph;
    if (text.isEmpty() && !glyph && !sort)
        return;
    const bool rtl = c.UseRightToLeftReading();
    TLTAlignment a = c.CaptionAlignment();
    if (rtl && a != TLTAlignment::taCenter)
        a = a == TLTAlignment::taLeftJustify ? TLTAlignment::taRightJustify : TLTAlignment::taLeftJustify;
    const int cw = Client.Width(), ch = Client.Height();
    QSize g(0, 0);
    if (glyph) {
        const TLTImageList *list = c.CheckBox() ? tree.CheckImages() : FHeader.Images();
        if (list)
            g = QSize(list->Width(), list->Height());
    }
    const TLTImageList &utilities = LazyTreeGlobals().List(TLTBuiltInList::Utilities);
    const QSize s = sort ? QSize(utilities.Width(), utilities.Height()) : QSize(0, 0);
    Info.SortGlyphSize = s;
    Info.SortGlyphPos.Y = (ch - s.height()) / 2;
    QSize t(0, 0);
    int ts = 0;
    if (!text.isEmpty()) {
        TCanvas &canvas = *Info.TargetCanvas;
        if (c.Options().Contains(coWrapCaption)) {
            if (c.CaptionText().isEmpty())
                c.SetCaptionText(WrapTextToWidth(canvas, text, Client, rtl, DT_WORDBREAK));
            TRect calc(0, 0, cw, 0);
            canvas.DrawText(c.CaptionText(), calc, DT_CALCRECT | DT_WORDBREAK);
            t = QSize(cw, calc.Height());
        } else {
            c.SetCaptionText(text);
            t = QSize(canvas.TextWidth(text) + 2, canvas.TextHeight(text));
        }
        ts = c.Spacing();
    }
    Info.TextRectangle = TRect(0, 0, t.width(), t.height());
    const int sp = c.Spacing(), margin = c.Margin();
    const TLTHeaderColumnLayout layout = c.Layout();
    const bool topBottom =
        layout == TLTHeaderColumnLayout::blGlyphTop || layout == TLTHeaderColumnLayout::blGlyphBottom;
    const bool glyphLeft = glyph && layout == TLTHeaderColumnLayout::blGlyphLeft;
    const bool glyphRight = glyph && layout == TLTHeaderColumnLayout::blGlyphRight;
    int textX = 0, textY = 0;
    TPoint &gp = Info.GlyphPos, &sp2 = Info.SortGlyphPos;
    if (text.isEmpty() && !glyph) {
        sp2 = TPoint((cw - s.width()) / 2, (ch - s.height()) / 2);
    } else {
        if (!glyph || !topBottom) {
            gp.Y = (ch - g.height()) / 2;
            textY = std::max(-5, (ch - t.height()) / 2);
        } else if (layout == TLTHeaderColumnLayout::blGlyphTop) {
            gp.Y = (ch - g.height() - t.height() - ts) / 2;
            textY = gp.Y + g.height() + ts;
        } else {
            textY = (ch - g.height() - t.height() - ts) / 2;
            gp.Y = textY + t.height() + ts;
        }
        int x = 0;
        switch (a) {
        case TLTAlignment::taLeftJustify:
            x = margin;
            if (rtl && sort) {
                sp2.X = x;
                x += s.width() + sp;
            }
            if (topBottom) {
                textX = x;
                if (glyph) {
                    gp.X = std::max((cw - g.width()) / 2, x);
                    x = std::max(gp.X + g.width() + sp, textX + t.width() + ts);
                } else {
                    x = textX + t.width() + ts;
                }
            } else {
                if (glyphLeft) {
                    gp.X = x;
                    x += g.width() + sp;
                }
                textX = x;
                x += t.width() + ts;
                if (glyphRight) {
                    gp.X = x;
                    x += g.width() + sp;
                }
            }
            if (!rtl && sort)
                sp2.X = x;
            break;
        case TLTAlignment::taCenter: {
            if (topBottom) {
                gp.X = (cw - g.width()) / 2;
                textX = (cw - t.width()) / 2 - (sort ? s.width() / 2 : 0);
            } else {
                x = (cw - g.width() - ts - t.width()) / 2;
                if (glyphLeft) {
                    gp.X = x;
                    x += g.width() + ts;
                }
                textX = x;
                x += ts + t.width();
                if (glyphRight)
                    gp.X = x;
            }
            const int spanLeft = glyph ? std::min(textX, gp.X) : textX;
            const int spanRight = glyph ? std::max(textX + t.width(), gp.X + g.width()) : textX + t.width();
            if (sort)
                sp2.X = !rtl ? spanRight + sp : spanLeft - sp - s.width();
            break;
        }
        case TLTAlignment::taRightJustify:
            x = cw - margin;
            if (!rtl && sort) {
                x -= s.width();
                sp2.X = x;
                x -= sp;
            }
            if (topBottom) {
                textX = x - t.width();
                if (glyph) {
                    gp.X = (cw - g.width()) / 2;
                    if (gp.X + g.width() > x - sp)
                        gp.X = x - g.width() - sp;
                    x = std::min(textX - ts, gp.X - sp);
                } else {
                    x = textX - ts;
                }
            } else {
                if (glyphRight) {
                    gp.X = x - g.width();
                    x = gp.X - sp;
                }
                textX = x - t.width();
                x = textX - ts;
                if (glyphLeft) {
                    gp.X = x - g.width();
                    x = gp.X - sp;
                }
            }
            if (rtl && sort)
                sp2.X = x - s.width();
            break;
        }
    }
    // Everything is kept within the margins.
    int minLeft = margin, maxRight = cw - margin;
    if (sort) {
        if (!rtl) {
            if (sp2.X + s.width() > maxRight)
                sp2.X = maxRight - s.width();
            maxRight = sp2.X - sp;
        }
        sp2.X = std::max(sp2.X, minLeft);
        if (rtl)
            minLeft = sp2.X + s.width() + sp;
        sp2 = TPoint(sp2.X + Client.Left, sp2.Y + Client.Top);
    }
    if (glyph) {
        if (gp.X + g.width() > maxRight)
            gp.X = maxRight - g.width();
        if (glyphRight)
            maxRight = gp.X - sp;
        gp.X = std::max(gp.X, minLeft);
        if (glyphLeft)
            minLeft = gp.X + g.width() + sp;
        if (!(c.Index() == FHeader.MainColumn() && !c.CheckBox()))
            gp.X -= 2;
        gp = TPoint(gp.X + Client.Left, gp.Y + Client.Top);
    }
    textX = std::max(textX, minLeft);
    OffsetRect(Info.TextRectangle, textX, textY);
    Info.TextRectangle.Right = std::min(Info.TextRectangle.Right, maxRight);
    OffsetRect(Info.TextRectangle, Client.Left, Client.Top);
}

void TLTHeaderPainter::PaintCell(THeaderPaintInfo &Info)
{
    TBaseLazyTree &tree = FHeader.Treeview();
    TLazyTreeColumn &c = *Info.Column;
    TCanvas &canvas = *Info.TargetCanvas;
    QPainter &p = *canvas.Painter();
    const TEdgeStyle edge = EdgeStyleOf(FHeader.Style());
    const unsigned rightFlag =
        (Info.ShowRightBorder || c.Index() < FHeader.Columns().Count() - 1) ? BF_RIGHT : 0;
    TRect cell = Info.PaintRectangle;
    if (tree.TreeStates().Contains(tsUseThemes)) {
        QStyleOptionHeader option;
        option.initFrom(&tree);
        option.rect = cell.ToQRect();
        option.state |= Info.IsDownIndex ? QStyle::State_Sunken : QStyle::State_Raised;
        if (Info.IsHoverIndex)
            option.state |= QStyle::State_MouseOver;
        tree.style()->drawControl(QStyle::CE_HeaderSection, &option, &p, &tree);
    } else if (Info.IsDownIndex) {
        DrawEdge(p, cell, edge.PressedEdge, edge.PressedFlags);
    } else if (FHeader.Style() == TLTHeaderStyle::hsPlates && Info.IsHoverIndex &&
               c.Options().Contains(coAllowClick) && c.Options().Contains(coEnabled)) {
        DrawEdge(p, cell, edge.HotEdge, edge.HotFlags | rightFlag);
    } else {
        DrawEdge(p, cell, edge.NormalEdge, edge.NormalFlags | rightFlag);
    }
    InflateRect(Info.PaintRectangle, -2, -2);
    c.HasImage = false;
    // The glyph is left out where it would overlap the sort glyph.
    const TLTImageList *glyphList = c.CheckBox() ? tree.CheckImages() : FHeader.Images();
    const int glyphWidth = glyphList ? glyphList->Width() : 0;
    if (Info.ShowHeaderGlyph && glyphList &&
        (!Info.ShowSortGlyph || c.UseRightToLeftReading() || Info.GlyphPos.X + glyphWidth <= Info.SortGlyphPos.X)) {
        const int image = c.CheckBox() ? ColumnCheckImage(c.CheckType(), c.CheckState(), Info.IsEnabled)
                                       : c.ImageIndex();
        if (image >= 0 && image < glyphList->Count())
            p.drawImage(Info.GlyphPos.X, Info.GlyphPos.Y, glyphList->Image(image));
        c.HasImage = true;
        c.ImageRect = QRect(Info.GlyphPos.X, Info.GlyphPos.Y, glyphList->Width(), glyphList->Height());
    }
    if (!c.Text().isEmpty())
        DrawCaption(canvas, c.CaptionText().isEmpty() ? c.Text() : c.CaptionText(), Info.TextRectangle,
                    Info.IsEnabled, Info.IsHoverIndex && FHeader.Options().Contains(hoHotTrack) &&
                                        !tree.TreeStates().Contains(tsUseThemes),
                    Info.DrawFormat);
    const TLTImageList &utilities = LazyTreeGlobals().List(TLTBuiltInList::Utilities);
    if (Info.ShowSortGlyph) {
        const bool themes = tree.TreeStates().Contains(tsUseThemes);
        const int image = FHeader.SortDirection() == TLTSortDirection::sdAscending ? (themes ? 5 : 3)
                                                                                  : (themes ? 4 : 2);
        if (image < utilities.Count())
            p.drawImage(Info.SortGlyphPos.X, Info.SortGlyphPos.Y, utilities.Image(image));
    }
    if (Info.DropMark != TLTDropMarkMode::dmmNone && utilities.Count() > 1) {
        const int y = (Info.PaintRectangle.Top + Info.PaintRectangle.Bottom - utilities.Height()) / 2;
        if (Info.DropMark == TLTDropMarkMode::dmmLeft)
            p.drawImage(Info.PaintRectangle.Left, y, utilities.Image(0));
        else
            p.drawImage(Info.PaintRectangle.Right - 16, y, utilities.Image(1));
    }
}

void TLTHeaderPainter::DrawCaption(TCanvas &Canvas, const QString &Caption, TRect Bounds, bool Enabled,
                                   bool Hot, unsigned DrawFormat)
{
    QString text = Caption;
    if (!(DrawFormat & DT_WORDBREAK) && Canvas.TextWidth(text) > Bounds.Width())
        text = ShortenWithEllipsis(Canvas, text, Bounds.Width());
    Canvas.Brush.Style = bsClear;
    if (Enabled) {
        Canvas.Font.Color =
            Hot ? FHeader.Treeview().Colors().Get(TLTColors::HeaderHotColor) : FHeader.Treeview().Colors().HeaderFontColor();
        Canvas.DrawText(text, Bounds, DrawFormat);
    } else {
        TRect r = Bounds;
        OffsetRect(r, 1, 1);
        Canvas.Font.Color = clBtnHighlight;
        Canvas.DrawText(text, r, DrawFormat);
        Canvas.Font.Color = clBtnShadow;
        Canvas.DrawText(text, Bounds, DrawFormat);
    }
}
