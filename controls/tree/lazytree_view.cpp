// What the model asks of the window (ranges, invalidation, redraw locking) and the table of
// the tree's timers.
#include "controls/tree/lazytree.h"

#include <QScrollBar>
#include <QTimer>
#include <algorithm>

using enum TLazyNodeState;
using enum TLazyTreeState;

bool TBaseLazyTree::HandleAllocated() const
{
    return testAttribute(Qt::WA_WState_Created);
}

void TBaseLazyTree::UpdateVerticalRange()
{
    FRangeY = FRoot->TotalHeight - FRoot->NodeHeight + FBottomSpace;
}

void TBaseLazyTree::InvalidateTree()
{
    if (HandleAllocated())
        viewport()->update();
}

void TBaseLazyTree::SetRedraw(bool Redraw)
{
    if (isVisible() && HandleAllocated() && FUpdateCount == 0)
        setUpdatesEnabled(Redraw);
}

// ---------------------------------------------------------------------------------------
// Timers

void TBaseLazyTree::SetTreeTimer(int Id, int Interval)
{
    if (Id < 1 || Id > int(FTimers.size()) || !HandleAllocated())
        return;
    QTimer *&timer = FTimers[size_t(Id - 1)];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, Id] { TimerExpired(Id); });
    }
    timer->start(Interval);
}

void TBaseLazyTree::KillTreeTimer(int Id)
{
    if (Id < 1 || Id > int(FTimers.size()) || !HandleAllocated())
        return;
    if (QTimer *timer = FTimers[size_t(Id - 1)])
        timer->stop();
}

bool TBaseLazyTree::TreeTimerActive(int Id) const
{
    if (Id < 1 || Id > int(FTimers.size()))
        return false;
    const QTimer *timer = FTimers[size_t(Id - 1)];
    return timer && timer->isActive();
}

int TBaseLazyTree::TreeTimerInterval(int Id) const
{
    if (Id < 1 || Id > int(FTimers.size()) || !FTimers[size_t(Id - 1)])
        return 0;
    return FTimers[size_t(Id - 1)]->interval();
}
