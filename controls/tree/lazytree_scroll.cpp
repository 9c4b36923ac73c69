// Ranges, offsets and scroll bars, and scrolling nodes and columns into view.
//
// The scroll bars are the scroll area's, kept by the rules of the tree: range 0..range with
// a page of the client size, the position read back after writing so that the offset
// follows a shrinking range. Qt's bars take range - page as their maximum, which gives the
// same positions. Every offset change goes through ApplyScrollOffset, which moves the
// viewport's pixels and lets only the uncovered strips repaint.
#include "controls/tree/lazytree.h"

#include <QScrollBar>
#include <QStyle>

using enum TLazyTreeState;
using enum TOffsetChangePart;
using enum TLTScrollStyle;

// ---------------------------------------------------------------------------------------
// Scroll bar options

void TScrollBarOptions::SetAlwaysVisible(bool Value)
{
    if (FAlwaysVisible == Value)
        return;
    FAlwaysVisible = Value;
    if (!FOwner.IsLoading() && FOwner.HandleAllocated())
        FOwner.UpdateScrollBars(true);
}

void TScrollBarOptions::SetScrollBars(TLTScrollStyle Value)
{
    if (FScrollBars == Value)
        return;
    FScrollBars = Value;
    if (!FOwner.IsLoading() && FOwner.HandleAllocated())
        FOwner.UpdateScrollBars(true);
}

void TScrollBarOptions::Assign(const TScrollBarOptions &Source)
{
    SetAlwaysVisible(Source.FAlwaysVisible);
    FIncrementX = Source.FIncrementX;
    SetScrollBars(Source.FScrollBars);
    SetScrollBarStyle(Source.FScrollBarStyle);
    FIncrementY = Source.FIncrementY;
}

bool TBaseLazyTree::VerticalBarAllowed() const
{
    const TLTScrollStyle s = FScrollBarOptions->ScrollBars();
    return s == ssVertical || s == ssBoth;
}

bool TBaseLazyTree::HorizontalBarAllowed() const
{
    const TLTScrollStyle s = FScrollBarOptions->ScrollBars();
    return s == ssHorizontal || s == ssBoth;
}

// ---------------------------------------------------------------------------------------
// Ranges and bars

void TBaseLazyTree::UpdateHorizontalRange()
{
    if (FHeader->UseColumns())
        FRangeX = uint32_t(std::max(FHeader->Columns().TotalWidth(), 0));
    else
        FRangeX = uint32_t(std::max(MaxVisibleNodeWidth(), 0));
}

void TBaseLazyTree::UpdateRanges()
{
    UpdateVerticalRange();
    UpdateHorizontalRange();
}

void TBaseLazyTree::ShowTreeScrollBar(int Bar, bool Show)
{
    const Qt::ScrollBarPolicy policy = Show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (Bar == SB_VERT)
        setVerticalScrollBarPolicy(policy);
    else
        setHorizontalScrollBarPolicy(policy);
    if (OnShowScrollBar)
        OnShowScrollBar(this, Bar, Show);
}

int TBaseLazyTree::ThumbTrackPosition(int Bar) const
{
    return (Bar == SB_VERT ? verticalScrollBar() : horizontalScrollBar())->sliderPosition();
}

namespace {

// Writes range 0..Range with a page of Client into the bar (or zeros) and answers the
// position as the bar holds it.
int WriteBar(QScrollBar *Bar, bool Shown, int Range, int Client, int Position, bool Disable)
{
    const QSignalBlocker quiet(Bar);
    if (Shown) {
        Bar->setRange(0, std::max(0, Range - Client));
        Bar->setPageStep(std::max(0, Client));
        Bar->setValue(Position);
        Bar->setEnabled(!(Disable && Range <= Client));
        return Bar->value();
    }
    Bar->setRange(0, 0);
    Bar->setValue(0);
    return 0;
}

}   // namespace

void TBaseLazyTree::UpdateVerticalScrollBar(bool DoRepaint)
{
    UpdateVerticalRange();
    if (FStates.Contains(tsUpdating) || !HandleAllocated())
        return;
    if (!VerticalBarAllowed()) {
        ShowTreeScrollBar(SB_VERT, false);
        SetOffsetY(FOffsetY);
        return;
    }
    const bool always = FScrollBarOptions->AlwaysVisible();
    const bool shown = ClientHeight() < int(FRangeY) || always;
    if (shown)
        ShowTreeScrollBar(SB_VERT, true);
    const int position =
        WriteBar(verticalScrollBar(), shown, int(FRangeY), ClientHeight(), -FOffsetY, always);
    if (!shown)
        ShowTreeScrollBar(SB_VERT, false);
    if (DoRepaint)
        verticalScrollBar()->update();
    SetOffsetY(-position);
}

void TBaseLazyTree::UpdateHorizontalScrollBar(bool DoRepaint)
{
    UpdateHorizontalRange();
    if (FStates.Contains(tsUpdating) || !HandleAllocated())
        return;
    const bool rtl = UseRightToLeftReading();
    FEffectiveOffsetX = rtl ? int(FRangeX) + FOffsetX - ClientWidth() : -FOffsetX;
    int offsetX = FOffsetX;
    if (HorizontalBarAllowed()) {
        const bool always = FScrollBarOptions->AlwaysVisible();
        const bool shown = ClientWidth() < int(FRangeX) || always;
        if (shown)
            ShowTreeScrollBar(SB_HORZ, true);
        FEffectiveOffsetX = WriteBar(horizontalScrollBar(), shown, int(FRangeX), ClientWidth(),
                                     FEffectiveOffsetX, always);
        if (!shown)
            ShowTreeScrollBar(SB_HORZ, false);
        if (DoRepaint)
            horizontalScrollBar()->update();
        offsetX = rtl ? ClientWidth() + FEffectiveOffsetX - int(FRangeX) : -FEffectiveOffsetX;
    } else {
        ShowTreeScrollBar(SB_HORZ, false);
    }
    SetOffsetX(offsetX);
}

void TBaseLazyTree::UpdateScrollBars(bool DoRepaint)
{
    UpdateVerticalRange();
    if (!HandleAllocated())
        return;
    UpdateVerticalScrollBar(DoRepaint);
    UpdateHorizontalScrollBar(DoRepaint);
}

// ---------------------------------------------------------------------------------------
// Offsets

void TBaseLazyTree::SetOffsetX(int Value)
{
    ApplyScrollOffset(QPoint(Value, FOffsetY),
                      {ocpRepaintHeader, ocpRepaintScrollBars, ocpScrollClient, ocpUpdateScrollBars});
}

void TBaseLazyTree::SetOffsetY(int Value)
{
    ApplyScrollOffset(QPoint(FOffsetX, Value),
                      {ocpRepaintHeader, ocpRepaintScrollBars, ocpScrollClient, ocpUpdateScrollBars});
}

void TBaseLazyTree::SetOffsetXY(QPoint Value)
{
    ApplyScrollOffset(Value,
                      {ocpRepaintHeader, ocpRepaintScrollBars, ocpScrollClient, ocpUpdateScrollBars});
}

void TBaseLazyTree::ScrollClientArea(int DX, int DY, const QRect *Clip)
{
    // The background picture stays fixed to the window, so moved pixels would be wrong.
    if (ShowsBackground({TLTInternalPaintOption::poBackground})) {
        viewport()->update(Clip ? *Clip : viewport()->rect());
        return;
    }
    if (Clip)
        viewport()->scroll(DX, DY, *Clip);
    else
        viewport()->scroll(DX, DY);
}

void TBaseLazyTree::DoScroll(int DeltaX, int DeltaY)
{
    if (OnScroll)
        OnScroll(this, DeltaX, DeltaY);
}

bool TBaseLazyTree::ApplyScrollOffset(QPoint Value, TOffsetChangeParts Parts, const QRect *ClipRect)
{
    const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    int x = std::min(std::max(Value.x(), clientWidth - int(FRangeX)), 0);
    int y = std::min(std::max(Value.y(), clientHeight - int(FRangeY)), 0);
    int deltaX = x - FOffsetX;
    if (UseRightToLeftReading())
        deltaX = -deltaX;
    const int deltaY = y - FOffsetY;
    if (deltaX == 0 && deltaY == 0)
        return false;
    FOffsetX = x;
    FOffsetY = y;
    if (FStates.Contains(tsHint))
        CancelHint();
    DoStateChange({}, {tsHint});
    if (FUpdateCount == 0 && HandleAllocated()) {
        if (Parts.Contains(ocpScrollClient) && !FStates.Contains(tsToggling)) {
            const int fixed = FHeader->Columns().GetVisibleFixedWidth();
            if (deltaX != 0 && fixed > 0) {
                QRect right = viewport()->rect();
                right.setLeft(fixed);
                ScrollClientArea(deltaX, 0, &right);
                if (deltaY != 0)
                    ScrollClientArea(0, deltaY, ClipRect);
            } else {
                ScrollClientArea(deltaX, deltaY, ClipRect);
            }
        }
        if (Parts.Contains(ocpUpdateScrollBars)) {
            const bool repaintBars = Parts.Contains(ocpRepaintScrollBars);
            if (deltaX != 0) {
                if (Parts.Contains(ocpRepaintHeader))
                    FHeader->Invalidate();
                if (!FStates.Contains(tsSizing) && HorizontalBarAllowed())
                    UpdateHorizontalScrollBar(repaintBars);
            }
            if (deltaY != 0 && !FStates.Contains(tsSizing) && !FStates.Contains(tsThumbTracking)) {
                UpdateVerticalScrollBar(repaintBars);
                if (!FHeader->UseColumns() && !FStates.Contains(tsDrawSelecting))
                    UpdateHorizontalScrollBar(repaintBars);
            }
        }
    }
    DoScroll(deltaX, deltaY);
    return true;
}

// ---------------------------------------------------------------------------------------
// The scroll bars' messages

void TBaseLazyTree::VScroll(int Code)
{
    const int step = FScrollBarOptions->VerticalIncrement();
    switch (Code) {
    case SB_LINEUP: SetOffsetY(FOffsetY + step); break;
    case SB_LINEDOWN: SetOffsetY(FOffsetY - step); break;
    case SB_PAGEUP: SetOffsetY(FOffsetY + ClientHeight()); break;
    case SB_PAGEDOWN: SetOffsetY(FOffsetY - ClientHeight()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        DoStateChange({tsThumbTracking});
        SetOffsetY(-ThumbTrackPosition(SB_VERT));
        break;
    case SB_TOP: SetOffsetY(0); break;
    case SB_BOTTOM: SetOffsetY(-int(FRoot->TotalHeight)); break;
    case SB_ENDSCROLL:
        DoStateChange({}, {tsThumbTracking});
        UpdateScrollBars(true);
        break;
    default: break;
    }
}

void TBaseLazyTree::HScroll(int Code)
{
    const int s = UseRightToLeftReading() ? -1 : 1;
    const int step = FScrollBarOptions->HorizontalIncrement();
    const int page = ClientWidth() - FHeader->Columns().GetVisibleFixedWidth();
    switch (Code) {
    case SB_LINELEFT: SetOffsetX(FOffsetX + s * step); break;
    case SB_LINERIGHT: SetOffsetX(FOffsetX - s * step); break;
    case SB_PAGELEFT: SetOffsetX(FOffsetX + s * page); break;
    case SB_PAGERIGHT: SetOffsetX(FOffsetX - s * page); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        DoStateChange({tsThumbTracking});
        const int p = ThumbTrackPosition(SB_HORZ);
        SetOffsetX(UseRightToLeftReading() ? ClientWidth() + p - int(FRangeX) : -p);
        break;
    }
    case SB_LEFT: SetOffsetX(0); break;
    case SB_RIGHT: SetOffsetX(-int(FRangeX)); break;
    case SB_ENDSCROLL:
        DoStateChange({}, {tsThumbTracking});
        UpdateHorizontalScrollBar(false);
        break;
    default: break;
    }
}

void TBaseLazyTree::ConnectScrollBars()
{
    // Qt's slider actions are the scroll codes; the bar then shows the offset the tree took.
    auto code = [](int Action) {
        switch (Action) {
        case QAbstractSlider::SliderSingleStepAdd: return int(SB_LINEDOWN);
        case QAbstractSlider::SliderSingleStepSub: return int(SB_LINEUP);
        case QAbstractSlider::SliderPageStepAdd: return int(SB_PAGEDOWN);
        case QAbstractSlider::SliderPageStepSub: return int(SB_PAGEUP);
        case QAbstractSlider::SliderToMinimum: return int(SB_TOP);
        case QAbstractSlider::SliderToMaximum: return int(SB_BOTTOM);
        case QAbstractSlider::SliderMove: return int(SB_THUMBTRACK);
        default: return -1;
        }
    };
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this, code](int Action) {
        VScroll(code(Action));
        verticalScrollBar()->setSliderPosition(-FOffsetY);
    });
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this, [this, code](int Action) {
        HScroll(code(Action));
        horizontalScrollBar()->setSliderPosition(FEffectiveOffsetX);
    });
    connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this,
            [this] { VScroll(SB_ENDSCROLL); });
    connect(horizontalScrollBar(), &QAbstractSlider::sliderReleased, this,
            [this] { HScroll(SB_ENDSCROLL); });
}

// ---------------------------------------------------------------------------------------
// Scrolling into view

bool TBaseLazyTree::ScrollIntoView(PLazyNode Node, bool Center, bool Horizontally)
{
    if (!Node || Node == FRoot)
        return false;
    for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (!run->Has(TLazyNodeState::vsExpanded))
            ToggleNode(run);
    const TColumnIndex column =
        FHeader->UseColumns() && FHeader->Columns().IsValidColumn(FFocusedColumn) ? FFocusedColumn
                                                                                  : NoColumn;
    const TRect r = GetDisplayRect(Node, column,
                                   !FOptions->MiscOptions().Contains(TLTMiscOption::toGridExtensions));
    const int clientHeight = ClientHeight();
    bool result = false;
    if (r.Top < 0) {
        SetOffsetY(FOffsetY - r.Top + (Center ? clientHeight / 2 : 0));
        result = true;
    } else if (r.Bottom > clientHeight || Center) {
        const bool horizontalBar =
            HorizontalBarAllowed() &&
            (FScrollBarOptions->AlwaysVisible() || ClientWidth() < int(FRangeX));
        SetOffsetY(FOffsetY + (Center ? clientHeight / 2 : clientHeight) - r.Bottom);
        // A horizontal bar about to appear takes its height from the client area.
        if (!FHeader->UseColumns() && !horizontalBar && ClientWidth() < int(FRangeX))
            SetOffsetY(FOffsetY - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
        result = true;
    }
    if (Horizontally)
        result = ScrollIntoView(FFocusedColumn, Center) || result;
    return result;
}

bool TBaseLazyTree::ScrollIntoView(TColumnIndex Column, bool Center)
{
    TLazyTreeColumns &columns = FHeader->Columns();
    if (!FHeader->UseColumns() || !columns.IsValidColumn(Column))
        return false;
    const TLazyTreeColumn &c = columns[Column];
    const int l = c.Left(), w = c.Width();
    const int clientWidth = ClientWidth();
    const int fixed = columns.GetVisibleFixedWidth();
    const bool rtl = UseRightToLeftReading();
    if (Center) {
        const int e = l + FEffectiveOffsetX + w / 2 - fixed / 2 - clientWidth / 2;
        if (e != FEffectiveOffsetX)
            SetOffsetX(rtl ? clientWidth + e - int(FRangeX) : -e);
        return true;
    }
    if (c.Options().Contains(TLTColumnOption::coFixed))
        return true;
    int e = FEffectiveOffsetX;
    if (l + w > clientWidth)
        e = l + w + FEffectiveOffsetX - clientWidth;
    else if (l < fixed)
        e = FEffectiveOffsetX + l - fixed;
    if (e != FEffectiveOffsetX)
        SetOffsetX(rtl ? e + clientWidth - int(FRangeX) : -e);
    return true;
}
