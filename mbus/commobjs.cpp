#include "mbus/commobjs.h"

#include <chrono>

TEvent::TEvent(bool ManualReset, bool InitialState, const QString &Name)
    : manual_(ManualReset), state_(InitialState), name_(Name)
{
}

TEventWaitResult TEvent::WaitFor(uint32_t Timeout)
{
    std::unique_lock<std::mutex> hold(lock_);
    const auto set = [this] { return state_; };
    if (Timeout == Infinite)
        changed_.wait(hold, set);
    else if (!changed_.wait_for(hold, std::chrono::milliseconds(Timeout), set))
        return wrTimeout;
    if (!manual_)
        state_ = false;
    return wrSignaled;
}

void TEvent::SetEvent()
{
    {
        const std::lock_guard<std::mutex> hold(lock_);
        state_ = true;
    }
    changed_.notify_all();
}

void TEvent::ResetEvent()
{
    const std::lock_guard<std::mutex> hold(lock_);
    state_ = false;
}

bool TEvent::Signaled() const
{
    const std::lock_guard<std::mutex> hold(lock_);
    return state_;
}
