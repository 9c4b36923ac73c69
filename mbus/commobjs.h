#pragma once
// Small synchronisation objects the serial-port component and the scan thread are built on:
// an event (manual or automatic reset, optionally named) and a critical section. Names are
// kept for the reader; events are in-process.
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <mutex>

enum TEventWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

class TEvent
{
public:
    static constexpr uint32_t Infinite = 0xFFFFFFFFu;

    TEvent(bool ManualReset, bool InitialState, const QString &Name = QString());
    TEvent(const TEvent &) = delete;
    TEvent &operator=(const TEvent &) = delete;

    // Waits until the event is set or Timeout ms have passed (Infinite: no limit). An
    // automatic-reset event is reset by the wait it releases.
    TEventWaitResult WaitFor(uint32_t Timeout);
    void SetEvent();
    void ResetEvent();
    bool Signaled() const;
    const QString &Name() const { return name_; }

private:
    mutable std::mutex lock_;
    std::condition_variable changed_;
    bool manual_;
    bool state_;
    QString name_;
};

// Unnamed, manual reset, not signalled.
class TSimpleEvent : public TEvent
{
public:
    TSimpleEvent() : TEvent(true, false) {}
};

class TCriticalSection
{
public:
    void Acquire() { m_.lock(); }
    void Release() { m_.unlock(); }
    void Enter() { Acquire(); }
    void Leave() { Release(); }

private:
    std::mutex m_;
};
