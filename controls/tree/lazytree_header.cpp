// What the header and the columns ask of the tree: the client area, the header's place in
// the window, reading order and colour that columns follow, and the column-resize notice.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeheaderpaint.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

using enum TLazyNodeState;
using enum THeaderState;
using enum TLTHeaderOption;

int TBaseLazyTree::ClientWidth() const
{
    return viewport()->width();
}

int TBaseLazyTree::ClientHeight() const
{
    return viewport()->height();
}

QRect TBaseLazyTree::HeaderRectInClient() const
{
    return FHeaderRect.translated(-viewport()->pos());
}

// Paints the header band above the viewport whenever the tree's own window (not the
// viewport) paints: the scroll area leaves that band to its owner.
class THeaderBandPainter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        auto *tree = static_cast<TBaseLazyTree *>(Watched);
        if (Event->type() == QEvent::Paint) {
            {
                QPainter p(tree);
                tree->PaintNonClientBorder(p);
            }
            const QRect band = tree->HeaderRect();
            if (band.height() > 0 && band.width() > 0) {
                QPainter p(tree);
                const TLazyTreeColumns &columns = tree->Header().Columns();
                TLTHeaderPainter painter(tree->Header());
                painter.DropTarget = columns.DropTarget();
                painter.DropBefore = columns.DropBefore();
                painter.DragIndex = columns.DragIndex();
                painter.PaintHeader(p, band, -tree->EffectiveOffsetX());
            }
            return false;
        }
        // Mouse events outside the viewport belong to the header band.
        const bool mouse = Event->type() == QEvent::MouseButtonPress ||
                           Event->type() == QEvent::MouseButtonRelease ||
                           Event->type() == QEvent::MouseButtonDblClick ||
                           Event->type() == QEvent::MouseMove;
        const bool handled = tree->HeaderMessage(Event, false);
        return handled || mouse;
    }
};

void TBaseLazyTree::UpdateHeaderRect()
{
    if (!property("HeaderBandPainter").toBool()) {
        auto *filter = new THeaderBandPainter(this);
        filter->setObjectName(QStringLiteral("HeaderBand"));
        installEventFilter(filter);
        setProperty("HeaderBandPainter", true);
        setMouseTracking(true);   // the header's hot column follows a free mouse
    }
    // The frame of the scroll area is the tree's border; the header lies inside it, above
    // the viewport, with the bevel and border ring between them.
    const int border = frameWidth();
    const QMargins insets = NonClientInsets();
    QRect r = rect().adjusted(border, border, -border, -border).marginsRemoved(insets);
    const bool visible = FHeader->Options().Contains(hoVisible);
    if (!visible)
        r.setHeight(0);
    else if (r.width() <= 0)
        r = QRect();
    else
        r.setHeight(FHeader->Height());
    FHeaderRect = r;
    setViewportMargins(insets + QMargins(0, visible ? FHeader->Height() : 0, 0, 0));
}

void TBaseLazyTree::resizeEvent(QResizeEvent *Event)
{
    QAbstractScrollArea::resizeEvent(Event);
    if (!HandleAllocated())
        return;
    UpdateHeaderRect();
    if (FStates.Contains(TLazyTreeState::tsSizing) || ClientHeight() < 1)
        return;
    DoStateChange({TLazyTreeState::tsSizing});
    try {
        FHeader->ApplyFixedAreaConstraints();
        FHeader->DistributeSpringSpace();
        UpdateScrollBars(true);
        if (!FHeader->UseColumns())
            FitEditorBounds();
    } catch (...) {
        DoStateChange({}, {TLazyTreeState::tsSizing});
        throw;
    }
    DoStateChange({}, {TLazyTreeState::tsSizing});
}

void TBaseLazyTree::changeEvent(QEvent *Event)
{
    QAbstractScrollArea::changeEvent(Event);
    if (Event->type() == QEvent::ThemeChange || Event->type() == QEvent::StyleChange)
        ThemeChanged();
    if (Event->type() == QEvent::FontChange) {
        if (!FLoading) {
            AutoScaleNodeHeight();
            RebuildPaintResources(true, false);
            InvalidateTree();
        }
        if (FHeader && FHeader->ParentFont())
            FHeader->CopyParentFont();
    }
}

void TBaseLazyTree::InvalidateHeaderArea(const QRect &R)
{
    if (HandleAllocated())
        update(R);
}

void TBaseLazyTree::SetBiDiMode(TLTBiDiMode Value)
{
    if (FBiDiMode == Value)
        return;
    FBiDiMode = Value;
    TLazyTreeColumns &columns = FHeader->Columns();
    for (int i = 0; i < columns.Count(); ++i)
        columns[i].ParentBiDiModeChanged();
    InvalidateTree();
}

void TBaseLazyTree::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    TLazyTreeColumns &columns = FHeader->Columns();
    for (int i = 0; i < columns.Count(); ++i)
        columns[i].ParentColorChanged();
    InvalidateTree();
}

int TBaseLazyTree::RightToLeftShift(bool ExcludeScrollBar) const
{
    const bool verticalBar = ClientHeight() < int(FRangeY) && VerticalBarAllowed();
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    int shift = verticalBar ? barWidth : 0;
    if (FHeaderRect.width() >= shift + int(FRangeX))
        shift = FHeaderRect.width() - int(FRangeX);
    return ExcludeScrollBar && verticalBar ? shift - barWidth : shift;
}

void TBaseLazyTree::NotifyColumnResized(TColumnIndex Column)
{
    if (FLoading || !HandleAllocated())
        return;
    for (PLazyNode run = GetFirstInitialized(); run; run = GetNextInitialized(run))
        if (run->Has(vsMultiline))
            run->States.Exclude(vsHeightMeasured);
    UpdateHorizontalScrollBar(true);
    if (Column >= 0 && FHeader->Columns().IsValidColumn(Column)) {
        QRect r = viewport()->rect();
        if (!FOptions->AutoOptions().Contains(TLTAutoOption::toAutoSpanColumns)) {
            const TLazyTreeColumn &c = FHeader->Columns()[Column];
            if (UseRightToLeftReading())
                r.setRight(c.Left() + c.Width() + RightToLeftShift(false));
            else
                r.setLeft(c.Left());
        }
        viewport()->update(r);
        FHeader->Invalidate(Column, true);
    }
    const THeaderStates tracking = FHeader->States() * THeaderStates{hsColumnWidthTracking, hsResizing};
    if (tracking == THeaderStates{hsColumnWidthTracking})
        repaint();
    if (OnColumnResize && !FHeader->States().Contains(hsResizing))
        OnColumnResize(FHeader.get(), Column);
}
