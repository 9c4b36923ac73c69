#include "mbus/daztabstrip.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

QString TDazTabStrip::Text(int i) const
{
    return i >= 0 && i < Count() ? FTabs[size_t(i)].Text : QString();
}

TDazTabSheet *TDazTabStrip::Object(int i) const
{
    return i >= 0 && i < Count() ? FTabs[size_t(i)].Sheet : nullptr;
}

int TDazTabStrip::IndexOfObject(const TDazTabSheet *sheet) const
{
    for (int i = 0; i < Count(); ++i)
        if (FTabs[size_t(i)].Sheet == sheet)
            return i;
    return -1;
}

void TDazTabStrip::Insert(int i, const QString &text, TDazTabSheet *sheet)
{
    i = std::clamp(i, 0, Count());
    FTabs.insert(FTabs.begin() + i, TTab{text, sheet, false});
    if (Count() == 1)
        FTabIndex = 0;
    else if (FTabIndex >= i)
        ++FTabIndex;
    Invalidate();
}

void TDazTabStrip::Delete(int i)
{
    if (i < 0 || i >= Count())
        return;
    FTabs.erase(FTabs.begin() + i);
    if (FTabIndex == i)
        FTabIndex = -1;
    else if (FTabIndex > i)
        --FTabIndex;
    Invalidate();
}

void TDazTabStrip::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    const TDazTabSheet *current = Object(FTabIndex);
    TTab tab = FTabs[size_t(from)];
    FTabs.erase(FTabs.begin() + from);
    FTabs.insert(FTabs.begin() + to, tab);
    if (current)
        FTabIndex = IndexOfObject(current);
    Invalidate();
}

void TDazTabStrip::SetText(int i, const QString &text)
{
    if (i < 0 || i >= Count() || FTabs[size_t(i)].Text == text)
        return;
    FTabs[size_t(i)].Text = text;
    Invalidate();
}

void TDazTabStrip::SetTabIndex(int i)
{
    const int v = i >= 0 && i < Count() ? i : -1;
    if (v != FTabIndex) {
        FTabIndex = v;
        Invalidate();   // the current tab's row moves next to the page
    }
}

bool TDazTabStrip::Highlighted(int i) const
{
    return i >= 0 && i < Count() && FTabs[size_t(i)].Highlighted;
}

void TDazTabStrip::SetHighlighted(int i, bool on)
{
    if (i >= 0 && i < Count())
        FTabs[size_t(i)].Highlighted = on;
}

void TDazTabStrip::SetPosition(TTabPosition p)
{
    if (p != FPosition) {
        FPosition = p;
        Invalidate();
    }
}

void TDazTabStrip::SetMultiLine(bool on)
{
    if (on != FMultiLine) {
        FMultiLine = on;
        Invalidate();
    }
}

void TDazTabStrip::SetRaggedRight(bool on)
{
    if (on != FRaggedRight) {
        FRaggedRight = on;
        Invalidate();
    }
}

void TDazTabStrip::SetTabHeight(int h)
{
    h = std::max(0, h);
    if (h != FTabHeight) {
        FTabHeight = h;
        Invalidate();
    }
}

void TDazTabStrip::SetTabWidth(int w)
{
    w = std::max(0, w);
    if (w != FTabWidth) {
        FTabWidth = w;
        Invalidate();
    }
}

void TDazTabStrip::SetImageSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width != FImageWidth || height != FImageHeight) {
        FImageWidth = width;
        FImageHeight = height;
        Invalidate();
    }
}

void TDazTabStrip::SetFont(const TFont &font)
{
    if (!(font == FFont)) {
        FFont = font;
        Invalidate();
    }
}

void TDazTabStrip::SetBounds(int width, int height)
{
    if (width != FWidth || height != FHeight) {
        FWidth = width;
        FHeight = height;
        Invalidate();
    }
}

void TDazTabStrip::Layout()
{
    if (!FDirty)
        return;
    FDirty = false;
    const int n = Count();
    FRects.assign(static_cast<size_t>(n), TRect());
    if (n == 0) {
        FRows = 0;
        FStripDepth = kEdge;
        return;
    }
    const QFontMetrics fm(FFont.ToQFont());
    const int thick = FTabHeight > 0 ? FTabHeight : fm.height() + kRowPadding;
    const int avail = std::max(0, (Vertical() ? FHeight : FWidth) - 2 * kEdge);
    const int room = Vertical() ? FImageHeight : FImageWidth;

    std::vector<int> len(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        if (FTabWidth > 0) {
            len[size_t(i)] = FTabWidth;
            continue;
        }
        int l = fm.horizontalAdvance(FTabs[size_t(i)].Text) + 2 * kTextPadding;
        if (room > 0 && ImageIndexOf && ImageIndexOf(i) >= 0)
            l += room;
        len[size_t(i)] = l;
    }

    std::vector<std::vector<int>> rows;
    int used = 0;
    for (int i = 0; i < n; ++i) {
        if (rows.empty() || (FMultiLine && used + len[size_t(i)] > avail && !rows.back().empty())) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(i);
        used += len[size_t(i)];
    }
    // Several rows fill the whole length unless ragged.
    if (rows.size() > 1 && !FRaggedRight) {
        for (const auto &row : rows) {
            int sum = 0;
            for (int i : row)
                sum += len[size_t(i)];
            const int extra = avail - sum;
            if (extra <= 0)
                continue;
            const int count = int(row.size());
            for (int k = 0; k < count; ++k)
                len[size_t(row[size_t(k)])] += extra / count + (k < extra % count ? 1 : 0);
        }
    }

    FRows = int(rows.size());
    int currentRow = 0;
    for (int r = 0; r < FRows; ++r)
        if (std::find(rows[size_t(r)].begin(), rows[size_t(r)].end(), FTabIndex) != rows[size_t(r)].end())
            currentRow = r;
    FStripDepth = kEdge + FRows * thick;

    for (int r = 0; r < FRows; ++r) {
        const int fromPage = (r - currentRow + FRows) % FRows;   // 0: the row next to the page
        const int across = kEdge + (FRows - 1 - fromPage) * thick;
        int along = kEdge;
        for (int i : rows[size_t(r)]) {
            const int l = len[size_t(i)];
            TRect &rc = FRects[size_t(i)];
            switch (FPosition) {
            case tpTop: rc = Bounds(along, across, l, thick); break;
            case tpBottom: rc = Bounds(along, FHeight - across - thick, l, thick); break;
            case tpLeft: rc = Bounds(across, along, thick, l); break;
            case tpRight: rc = Bounds(FWidth - across - thick, along, thick, l); break;
            }
            along += l;
        }
    }
}

int TDazTabStrip::RowCount()
{
    Layout();
    return FRows;
}

TRect TDazTabStrip::TabRect(int i)
{
    Layout();
    return i >= 0 && i < Count() ? FRects[size_t(i)] : TRect();
}

int TDazTabStrip::IndexOfTabAt(int x, int y)
{
    Layout();
    for (int i = 0; i < Count(); ++i)
        if (PtInRect(FRects[size_t(i)], TPoint(x, y)))
            return i;
    return -1;
}

TRect TDazTabStrip::FrameLines()
{
    Layout();
    const int d = FStripDepth;
    switch (FPosition) {
    case tpTop: return TRect(0, d, FWidth - 2, FHeight - 2);
    case tpBottom: return TRect(0, 0, FWidth - 2, FHeight - 1 - d);
    case tpLeft: return TRect(d, 0, FWidth - 2, FHeight - 2);
    case tpRight: return TRect(0, 0, FWidth - 1 - d, FHeight - 2);
    }
    return TRect();
}

TRect TDazTabStrip::DisplayRect()
{
    const TRect f = FrameLines();
    TRect r(f.Left + 4, f.Top + 4, f.Right - 3, f.Bottom - 3);
    if (r.Right < r.Left)
        r.Right = r.Left;
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
    return r;
}

namespace {

void HLine(TCanvas &c, int x1, int x2, int y, TColor color)
{
    c.Brush.Style = bsSolid;
    c.Brush.Color = color;
    c.FillRect(TRect(std::min(x1, x2), y, std::max(x1, x2) + 1, y + 1));
}

void VLine(TCanvas &c, int x, int y1, int y2, TColor color)
{
    c.Brush.Style = bsSolid;
    c.Brush.Color = color;
    c.FillRect(TRect(x, std::min(y1, y2), x + 1, std::max(y1, y2) + 1));
}

} // namespace

void TDazTabStrip::Paint(TCanvas &canvas,
                         const std::function<void(int, const TRect &, bool)> &drawTab,
                         const std::function<bool(int)> &enabled)
{
    Layout();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(TRect(0, 0, FWidth, FHeight));

    const TRect f = FrameLines();
    HLine(canvas, f.Left, f.Right, f.Top, clBtnHighlight);
    VLine(canvas, f.Left, f.Top, f.Bottom, clBtnHighlight);
    HLine(canvas, f.Left, f.Right, f.Bottom, cl3DDkShadow);
    VLine(canvas, f.Right, f.Top, f.Bottom, cl3DDkShadow);
    HLine(canvas, f.Left + 1, f.Right - 1, f.Bottom - 1, clBtnShadow);
    VLine(canvas, f.Right - 1, f.Top + 1, f.Bottom - 1, clBtnShadow);

    for (int i = 0; i < Count(); ++i) {
        TRect r = FRects[size_t(i)];
        const bool current = i == FTabIndex;
        if (current) {
            // The current tab stands out by two pixels and joins the page.
            switch (FPosition) {
            case tpTop: r = TRect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 1); break;
            case tpBottom: r = TRect(r.Left - 2, r.Top - 1, r.Right + 2, r.Bottom + 2); break;
            case tpLeft: r = TRect(r.Left - 2, r.Top - 2, r.Right + 1, r.Bottom + 2); break;
            case tpRight: r = TRect(r.Left - 1, r.Top - 2, r.Right + 2, r.Bottom + 2); break;
            }
        }
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = FTabs[size_t(i)].Highlighted ? clHighlight : clBtnFace;
        canvas.FillRect(r);
        const int l = r.Left, t = r.Top, rt = r.Right - 1, b = r.Bottom - 1;
        switch (FPosition) {
        case tpTop:
            HLine(canvas, l + 1, rt - 1, t, clBtnHighlight);
            VLine(canvas, l, t + 1, b, clBtnHighlight);
            VLine(canvas, rt, t + 1, b, cl3DDkShadow);
            VLine(canvas, rt - 1, t + 1, b, clBtnShadow);
            break;
        case tpBottom:
            HLine(canvas, l + 1, rt - 1, b, cl3DDkShadow);
            VLine(canvas, l, t, b - 1, clBtnHighlight);
            VLine(canvas, rt, t, b - 1, cl3DDkShadow);
            VLine(canvas, rt - 1, t, b - 1, clBtnShadow);
            break;
        case tpLeft:
            VLine(canvas, l, t + 1, b - 1, clBtnHighlight);
            HLine(canvas, l + 1, rt, t, clBtnHighlight);
            HLine(canvas, l + 1, rt, b, cl3DDkShadow);
            HLine(canvas, l + 1, rt, b - 1, clBtnShadow);
            break;
        case tpRight:
            VLine(canvas, rt, t + 1, b - 1, cl3DDkShadow);
            HLine(canvas, l, rt - 1, t, clBtnHighlight);
            HLine(canvas, l, rt - 1, b, cl3DDkShadow);
            HLine(canvas, l, rt - 1, b - 1, clBtnShadow);
            break;
        }
        if (drawTab) {
            drawTab(i, r, current);
            continue;
        }
        canvas.Font = FFont;
        canvas.Font.Color = !enabled || enabled(i) ? clBtnText : clGrayText;
        canvas.Brush.Style = bsClear;
        const QString text = FTabs[size_t(i)].Text;
        const int room = Vertical() ? FImageHeight : FImageWidth;
        const int w = canvas.TextWidth(text), h = canvas.TextHeight(text);
        switch (FPosition) {
        case tpTop:
        case tpBottom:
            canvas.TextOut(r.Left + room + (r.Width() - room - w) / 2, r.Top + (r.Height() - h) / 2, text);
            break;
        case tpLeft:
            canvas.Save();
            canvas.Painter()->translate(r.Left + (r.Width() - h) / 2, r.Bottom - room - (r.Height() - room - w) / 2);
            canvas.Painter()->rotate(-90);
            canvas.TextOut(0, 0, text);
            canvas.Restore();
            break;
        case tpRight:
            canvas.Save();
            canvas.Painter()->translate(r.Right - (r.Width() - h) / 2, r.Top + room + (r.Height() - room - w) / 2);
            canvas.Painter()->rotate(90);
            canvas.TextOut(0, 0, text);
            canvas.Restore();
            break;
        }
    }
}
