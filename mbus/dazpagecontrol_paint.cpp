// The page control's look, painted over the plain look of its tab row.
#include "grid/base/imagelist.h"
#include "mbus/dazpagecontrol.h"
#include "mbus/dazpagedraw.h"

#include <QPainter>
#include <QRegion>
#include <algorithm>

namespace {

void Fill(TCanvas &c, const TRect &r, TColor color)
{
    if (color == clNone || IsRectEmpty(r))
        return;
    c.Brush.Style = bsSolid;
    c.Brush.Color = color;
    c.FillRect(r);
}

// Lines of single pixels, both ends included.
void HLine(TCanvas &c, int x1, int x2, int y, TColor color)
{
    Fill(c, TRect(std::min(x1, x2), y, std::max(x1, x2) + 1, y + 1), color);
}

void VLine(TCanvas &c, int x, int y1, int y2, TColor color)
{
    Fill(c, TRect(x, std::min(y1, y2), x + 1, std::max(y1, y2) + 1), color);
}

// A page corner at (cx, cy), the page lying towards (dx, dy): the corner triangle in the
// control's colour and a diagonal in the border colour.
void CutCorner(TCanvas &c, int cx, int cy, int dx, int dy, TColor control, TColor border)
{
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j + k < 3; ++j)
            Fill(c, Bounds(cx + dx * k, cy + dy * j, 1, 1), control);
    for (int k = 0; k <= 3; ++k)
        Fill(c, Bounds(cx + dx * k, cy + dy * (3 - k), 1, 1), border);
}

} // namespace

struct TDazPageControl::TPaintState {
    TColor Parent = clBtnFace;
    TColor Control = clBtnFace;
    TRect Strip;          // extent of the visible tabs
    bool AnyTab = false;
    bool BandColoured = false;
    TDazTabSheet *Deferred = nullptr;
};

TColor TDazPageControl::ParentColor() const
{
    const QWidget *p = parentWidget();
    return p ? FromQColor(p->palette().color(p->backgroundRole())) : ColorToRGB(clBtnFace);
}

void TDazTabSheet::paintEvent(QPaintEvent *)
{
    TCanvas c(this);
    const TRect r(0, 0, width(), height());
    Fill(c, r, FColor);
    if (FColorTo != clNone)
        DrawGradient(c, FColor, FColorTo, false, r, 64);
}

void TDazPageControl::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    PaintControl(canvas);
}

void TDazPageControl::PaintControl(TCanvas &c)
{
    FTabs.SetBounds(width(), height());
    std::function<void(int, const TRect &, bool)> drawTab;
    if (!FTabBorder3D)
        drawTab = [&](int tab, const TRect &r, bool active) {
            if (OnDrawTab)
                OnDrawTab(c, tab, r, active);
            else
                Fill(c, r, clBtnFace);
        };
    FTabs.Paint(c, drawTab, [this](int tab) {
        const TDazTabSheet *page = FTabs.Object(tab);
        return page && page->isEnabled();
    });
    if (FTabBorder3D)
        return;

    const int W = width(), H = height();
    const TTabPosition pos = FTabs.Position();
    TPaintState ps;
    ps.Parent = ParentColor();
    ps.Control = FColor;
    c.Font = FFont;

    // The tab strip's extent; the area around each tab is wiped to the parent's colour.
    for (TDazTabSheet *page : FPages) {
        if (!page->FTabShowing)
            continue;
        const TRect r = FTabs.TabRect(page->TabIndex());
        if (!ps.AnyTab)
            ps.Strip = r;
        else
            ps.Strip = TRect(std::min(ps.Strip.Left, r.Left), std::min(ps.Strip.Top, r.Top),
                             std::max(ps.Strip.Right, r.Right), std::max(ps.Strip.Bottom, r.Bottom));
        ps.AnyTab = true;
        TRect wide = r;
        switch (pos) {
        case tpTop: wide = TRect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom); break;
        case tpBottom: wide = TRect(r.Left - 2, r.Top, r.Right + 2, r.Bottom + 2); break;
        case tpLeft: wide = TRect(r.Left - 2, r.Top - 2, r.Right, r.Bottom + 2); break;
        case tpRight: wide = TRect(r.Left, r.Top - 2, r.Right + 2, r.Bottom + 2); break;
        }
        Fill(c, wide, ps.Parent);
    }
    if (!ps.AnyTab) {
        switch (pos) {
        case tpTop: ps.Strip = TRect(0, 0, W, 2); break;
        case tpBottom: ps.Strip = TRect(0, H - 2, W, H); break;
        case tpLeft: ps.Strip = TRect(0, 0, 2, H); break;
        case tpRight: ps.Strip = TRect(W - 2, 0, W, H); break;
        }
    }
    const TRect &s = ps.Strip;

    // A single row at the top or bottom ends in the control's colour.
    if (!FTabs.MultiLine() && (pos == tpTop || pos == tpBottom)) {
        Fill(c, TRect(W - 35, s.Top, W, s.Bottom), ps.Control);
        const int from = std::max(s.Right, W - 35);
        if (pos == tpTop)
            HLine(c, from, W - 1, s.Bottom, clWhite);
        else
            HLine(c, from, W - 1, s.Top - 1, cl3DDkShadow);
    }

    switch (pos) {
    case tpLeft: Fill(c, TRect(0, 0, s.Right, H - 1), FTabBackGroundColor); break;
    case tpRight: Fill(c, TRect(s.Left, 0, W, H - 1), FTabBackGroundColor); break;
    case tpTop: Fill(c, TRect(0, 0, W - 1, s.Bottom), FTabBackGroundColor); break;
    case tpBottom: Fill(c, TRect(0, s.Top, W - 1, H), FTabBackGroundColor); break;
    }

    // The band around the page area in the active page's colour.
    const TRect f = FTabs.FrameLines();
    const TRect d = FTabs.DisplayRect();
    if (FActivePage && (FActivePage->FColorTo != clNone || FActivePage->FColor != FColor)) {
        ps.BandColoured = true;
        TRect outer(f.Left + 1, f.Top + 1, f.Right, f.Bottom);
        if (FTabSheet3D) {
            switch (pos) {
            case tpLeft: ++outer.Left; break;
            case tpTop: ++outer.Top; break;
            case tpRight: --outer.Right; break;
            case tpBottom: --outer.Bottom; break;
            }
        }
        c.Save();
        c.Painter()->setClipRegion(QRegion(outer.ToQRect()).subtracted(QRegion(d.ToQRect())));
        if (FActivePage->FColorTo != clNone)
            DrawGradient(c, FActivePage->FColor, FActivePage->FColorTo, false, TRect(0, 0, W, H), 16);
        else
            Fill(c, outer, FActivePage->FColor);
        c.Restore();
    }

    // Page border.
    if (!FTabSheet3D) {
        const TColor b = FTabSheetBorderColor;
        HLine(c, f.Left, f.Right, f.Top, b);
        HLine(c, f.Left, f.Right, f.Bottom, b);
        VLine(c, f.Left, f.Top, f.Bottom, b);
        VLine(c, f.Right, f.Top, f.Bottom, b);
        if (pos != tpRight)
            VLine(c, W - 1, 0, H - 1, ps.Control);
        if (pos != tpBottom)
            HLine(c, 0, W - 1, H - 1, ps.Control);
        if (!ps.BandColoured) {
            // Wipes the plain look's inner shadow.
            HLine(c, f.Left + 1, f.Right - 1, f.Top + 1, ps.Control);
            HLine(c, f.Left + 1, f.Right - 1, f.Bottom - 1, ps.Control);
            VLine(c, f.Left + 1, f.Top + 1, f.Bottom - 1, ps.Control);
            VLine(c, f.Right - 1, f.Top + 1, f.Bottom - 1, ps.Control);
        }
        if (FRoundEdges) {
            const TColor cc = ps.Control;
            switch (pos) {
            case tpLeft:
                CutCorner(c, f.Left, f.Top, 1, 1, cc, b);
                CutCorner(c, f.Left, f.Bottom, 1, -1, cc, b);
                break;
            case tpTop:
                CutCorner(c, f.Left, f.Top, 1, 1, cc, b);
                CutCorner(c, f.Right, f.Top, -1, 1, cc, b);
                break;
            case tpRight:
                CutCorner(c, f.Right, f.Top, -1, 1, cc, b);
                CutCorner(c, f.Right, f.Bottom, -1, -1, cc, b);
                break;
            case tpBottom:
                CutCorner(c, f.Left, f.Bottom, 1, -1, cc, b);
                CutCorner(c, f.Right, f.Bottom, -1, -1, cc, b);
                break;
            }
        }
    }

    // The border along the tabs goes, so the tabs open into the page.
    if (!FTabSplitLine && ps.AnyTab) {
        TColor open = ps.Control;
        if (ps.BandColoured)
            open = pos == tpBottom && FActivePage->FColorTo != clNone ? FActivePage->FColorTo
                                                                      : FActivePage->FColor;
        const int extra = FTabOverlap + (!FTabBackGround.isNull() && FTabStyle == tsClassic ? 2 : 0);
        switch (pos) {
        case tpLeft: VLine(c, f.Left, 2, s.Bottom + extra - 1, open); break;
        case tpRight: VLine(c, f.Right, 2, s.Bottom + extra - 1, open); break;
        case tpTop: HLine(c, 2, s.Right + extra - 1, f.Top, open); break;
        case tpBottom: HLine(c, 2, s.Right + extra - 1, f.Bottom, open); break;
        }
    }

    for (int i = PageCount() - 1; i >= 0; --i)
        if (FPages[size_t(i)]->FTabShowing)
            PaintTab(c, ps, FPages[size_t(i)], false);
    if (ps.Deferred)
        PaintTab(c, ps, ps.Deferred, true);

    // Hover border, open towards the page.
    TDazTabSheet *hover = GetPage(FHoverTab);
    if (hover && hover != FActivePage && hover->FTabShowing && FTabHoverBorder != clNone) {
        const TRect r = FTabs.TabRect(hover->TabIndex());
        const TColor hb = FTabHoverBorder;
        const int farX = r.Right - 1 - (r.Right > W - 5 ? 1 : 0);
        const int farY = r.Bottom - 1 - (r.Bottom > H - 5 ? 1 : 0);
        switch (pos) {
        case tpLeft:
            HLine(c, r.Left - 1, r.Right - 1, r.Top - 2, hb);
            VLine(c, r.Left - 1, r.Top - 2, farY, hb);
            HLine(c, r.Left - 1, r.Right - 1, farY, hb);
            break;
        case tpRight:
            HLine(c, r.Left, farX, r.Top, hb);
            VLine(c, farX, r.Top, farY, hb);
            HLine(c, r.Left, farX, farY, hb);
            break;
        case tpTop:
            VLine(c, r.Left, r.Top, r.Bottom - 1, hb);
            HLine(c, r.Left, farX, r.Top, hb);
            VLine(c, farX, r.Top, r.Bottom - 1, hb);
            break;
        case tpBottom:
            VLine(c, r.Left, r.Top, farY, hb);
            HLine(c, r.Left, farX, farY, hb);
            VLine(c, farX, r.Top, farY, hb);
            break;
        }
    }
}

void TDazPageControl::PaintTab(TCanvas &c, TPaintState &ps, TDazTabSheet *page, bool deferredActive)
{
    const TTabPosition pos = FTabs.Position();
    const TRect r = FTabs.TabRect(page->TabIndex());
    const bool active = page == FActivePage;
    const int lower = active ? FLowerActive : 0;

    TColor from = page->FTabColor, to = page->FTabColorTo;
    DazPageControl::TGradientDirection dir = page->FTabGradientDirection;
    if (active && FActiveColor != clNone) {
        from = FActiveColor;
        to = FActiveColorTo;
    } else if (page->PageIndex() == FHoverTab && (FTabHoverColor != clNone || FTabHoverColorTo != clNone)) {
        from = FTabHoverColor;
        to = FTabHoverColorTo;
        dir = page->FHoverGradientDirection;
    }

    int x = 0, y = 0;
    switch (pos) {
    case tpLeft:
        x = r.Left + 1 + lower;
        y = page->FShowClose ? r.Bottom - 17 : r.Bottom - 4;
        break;
    case tpRight:
        x = r.Right - 1 - lower;
        y = page->FShowClose ? r.Top + 17 : r.Top + 4;
        break;
    case tpTop:
        x = r.Left + (page->FShowClose ? 18 : 4);
        y = r.Top + 1 + lower;
        break;
    case tpBottom:
        x = r.Left + (page->FShowClose ? 18 : 4);
        y = active ? r.Top + FLowerActive + 1 : r.Top;
        break;
    }

    if (deferredActive) {
        // The active tab's own bitmap, drawn over its neighbours.
        const int shift = FLowerActive < 1 ? 1 : 2;
        switch (pos) {
        case tpLeft:
            DrawVerticalTabImage(FTabBackGroundActive, c, r.Left - shift, r.Height() + FTabOverlap + 3, r.Top);
            x -= 2;
            y += 3;
            break;
        case tpRight:
            DrawVerticalTabImage(FTabBackGroundActive, c, r.Left + shift, r.Height() + FTabOverlap + 3, r.Top);
            x += 2;
            y -= 3;
            break;
        case tpTop:
            DrawHorizontalTabImage(FTabBackGroundActive, c, r.Left, r.Width() + FTabOverlap + 2, r.Top - shift);
            x -= 3;
            y -= 2;
            break;
        case tpBottom:
            DrawHorizontalTabImage(FTabBackGroundActive, c, r.Left, r.Width() + FTabOverlap + 2, r.Top + shift);
            x -= 3;
            y += 2;
            break;
        }
        PaintTabContent(c, ps, page, x, y, true);
        return;
    }

    if (FTabBackGround.isNull()) {
        TRect fill = r;
        if (pos == tpLeft)
            --fill.Left;
        if (to == clNone) {
            Fill(c, fill, from);
        } else if (from != clNone) {
            TRect g = fill;
            if (pos == tpLeft) {
                --g.Right;
                if (dir == DazPageControl::gdVertical)
                    --g.Bottom;
            }
            DrawGradient(c, from, to, dir == DazPageControl::gdHorizontal, g, 16);
        }
        const TColor tb = FTabBorderColor;
        const int L = fill.Left, T = r.Top, R = r.Right - 1, B = r.Bottom - 1;
        if (active) {
            // Three sides, open towards the page.
            switch (pos) {
            case tpLeft: HLine(c, L, R, T, tb); VLine(c, L, T, B, tb); HLine(c, L, R, B, tb); break;
            case tpRight: HLine(c, L, R, T, tb); VLine(c, R, T, B, tb); HLine(c, L, R, B, tb); break;
            case tpTop: VLine(c, L, T, B, tb); HLine(c, L, R, T, tb); VLine(c, R, T, B, tb); break;
            case tpBottom: VLine(c, L, T, B, tb); HLine(c, L, R, B, tb); VLine(c, R, T, B, tb); break;
            }
        } else if (FTabStyle == tsDotNet) {
            switch (pos) {
            case tpLeft: VLine(c, R, T, B, tb); break;
            case tpRight: VLine(c, L, T, B, tb); break;
            case tpTop: HLine(c, L, R, B, tb); break;
            case tpBottom: HLine(c, L, R, T, tb); break;
            }
            const bool vertical = pos == tpLeft || pos == tpRight;
            const bool endsStrip = vertical ? r.Bottom >= ps.Strip.Bottom - 3 : r.Right >= ps.Strip.Right - 3;
            if (FindNextPage(page, true, true) != FActivePage || endsStrip) {
                if (vertical) {
                    HLine(c, r.Left + 2, r.Right - 3, r.Bottom - 2, FActiveColor);
                    HLine(c, r.Left + 2, r.Right - 3, r.Bottom - 3, FActiveColor);
                } else {
                    VLine(c, r.Right - 2, r.Top + 2, r.Bottom - 3, FActiveColor);
                    VLine(c, r.Right - 3, r.Top + 2, r.Bottom - 3, FActiveColor);
                }
            }
        } else {
            TRect frame = fill;
            if (!FTabSplitLine && !FTabSheet3D) {
                // A tab on the strip's inner edge reaches into the page border.
                switch (pos) {
                case tpLeft: if (r.Right == ps.Strip.Right) ++frame.Right; break;
                case tpRight: if (r.Left == ps.Strip.Left) --frame.Left; break;
                case tpTop: if (r.Bottom == ps.Strip.Bottom) ++frame.Bottom; break;
                case tpBottom: if (r.Top == ps.Strip.Top) --frame.Top; break;
                }
            }
            if ((pos == tpLeft || pos == tpRight) && r.Bottom > height() - 5)
                --frame.Bottom;
            if ((pos == tpTop || pos == tpBottom) && r.Right > width() - 5)
                --frame.Right;
            c.Brush.Style = bsSolid;
            c.Brush.Color = tb;
            c.FrameRect(frame);
        }
    } else {
        switch (pos) {
        case tpLeft: x -= 2; y += 3; break;
        case tpRight: x += 2; y -= 3; break;
        case tpTop: x -= 3; y -= 2; break;
        case tpBottom: x -= 3; y += 2; break;
        }
        if (active && !FTabBackGroundActive.isNull()) {
            ps.Deferred = page;
            return;
        }
        if (pos == tpLeft || pos == tpRight)
            DrawVerticalTabImage(FTabBackGround, c, r.Left, r.Height() + FTabOverlap + 3, r.Top);
        else
            DrawHorizontalTabImage(FTabBackGround, c, r.Left, r.Width() + FTabOverlap + 2, r.Top);
    }
    PaintTabContent(c, ps, page, x, y, active);
}

void TDazPageControl::PaintTabContent(TCanvas &c, TPaintState &ps, TDazTabSheet *page, int x, int y,
                                      bool active)
{
    const TTabPosition pos = FTabs.Position();
    const TRect r = FTabs.TabRect(page->TabIndex());
    const bool vertical = pos == tpLeft || pos == tpRight;
    const bool deferred = active && ps.Deferred == page;
    if (pos == tpLeft) {
        x += FTabMargin.LeftMargin();
        y -= FTabMargin.TopMargin();
        if (!FTabBackGroundActive.isNull())
            y += FTabOverlap + 3;
    } else {
        x += FTabMargin.LeftMargin();
        y += FTabMargin.TopMargin();
    }

    if (page->FShowClose) {
        const TRect b = CloseButtonRect(page);
        const auto state = active ? TCloseButtonState(FCloseState) : TCloseButtonState::Normal;
        DrawCloseButton(c, b.Left - 2, b.Top - 2, state, FCloseGlyph);
    }

    if (FImages && page->FImageIndex >= 0) {
        switch (pos) {
        case tpLeft:
            FImages->Draw(c, x, y - 14, page->FImageIndex);
            y -= FImages->Height();
            break;
        case tpRight:
            FImages->Draw(c, x - 14, y, page->FImageIndex);
            y += FImages->Height();
            break;
        case tpTop:
        case tpBottom:
            FImages->Draw(c, x - 2, y, page->FImageIndex);
            x += FImages->Width();
            break;
        }
    }

    // The active tab writes in ActiveFont; the turned text of left and right tabs and the
    // other tabs take the page's text colour.
    TFont font = active ? FActiveFont : FFont;
    if (vertical || !active || deferred)
        font.Color = page->FTextColor;
    if (!page->FTabEnable)
        font.Color = clGray;
    c.Font = font;
    c.Brush.Style = bsClear;
    if (vertical) {
        c.Save();
        c.Painter()->translate(x, y);
        c.Painter()->rotate(pos == tpLeft ? -90 : 90);
        c.TextOut(0, 0, page->FCaption);
        c.Restore();
    } else {
        TRect tr(x, y, r.Right, r.Bottom);
        c.DrawText(page->FCaption, tr, DT_SINGLELINE | DT_NOCLIP);
    }
    c.Font = FFont;

    if (active && FShowFocus && hasFocus() && !Designing()) {
        TRect fr(r.Left + 5, r.Top + 3, r.Right - 5, r.Bottom - 3);
        if (deferred) {
            if (vertical)
                fr.Bottom -= FTabOverlap;
            else
                fr.Right -= FTabOverlap;
        }
        c.Pen.Style = psDot;
        c.Pen.Color = clBlack;
        c.Pen.Width = 1;
        c.Brush.Style = bsClear;
        c.Rectangle(fr);
        c.Pen.Style = psSolid;
    }
    c.Brush.Style = bsSolid;
}
