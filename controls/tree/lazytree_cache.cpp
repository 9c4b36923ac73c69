// The position cache (every 2000th shown node with its top) and the process-wide worker
// thread that builds it.
//
// The worker reads a tree's nodes without a lock. That is safe because every change of
// structure, expansion, visibility or filtering first calls StopCacheValidation, which
// waits until the worker has let go of the tree; tree states are written only on the GUI
// thread, the worker's changes arriving as calls it queues there and waits for (as do node
// measurements it needs); and while the GUI thread waits in RemoveTree it runs those calls,
// so neither side blocks the other.
#include "controls/tree/lazytree.h"

#include "controls/tree/lazytreeglobals.h"

#include <QCoreApplication>
#include <QShowEvent>
#include <QThread>
#include <algorithm>
#include <condition_variable>
#include <thread>

using enum TLazyNodeState;
using enum TLazyTreeState;

class TWorkerThread
{
public:
    TWorkerThread() : FThread([this] { Execute(); }) {}
    ~TWorkerThread()
    {
        FTerminated = true;
        Signal();
        FThread.join();
    }

    void Signal()
    {
        {
            std::lock_guard<std::mutex> guard(FEventLock);
            FSignaled = true;
        }
        FEvent.notify_one();
    }

    void AddTree(TBaseLazyTree *Tree)
    {
        if (!Tree)
            throw ELazyTreeAssertion("Tree must not be nil.");
        Tree->DoStateChange({}, {tsStopValidation});
        std::lock_guard<std::mutex> guard(FListLock);
        if (std::find(FWaiters.begin(), FWaiters.end(), Tree) == FWaiters.end())
            FWaiters.push_back(Tree);
    }

    void RemoveTree(TBaseLazyTree *Tree)
    {
        if (!Tree)
            throw ELazyTreeAssertion("Tree must not be nil.");
        {
            std::lock_guard<std::mutex> guard(FListLock);
            FWaiters.erase(std::remove(FWaiters.begin(), FWaiters.end(), Tree), FWaiters.end());
        }
        while (CurrentTree.load() == Tree) {
            Tree->ServiceWorkerCalls();
            std::this_thread::yield();
        }
    }

    int RefCount = 0;
    std::atomic<TBaseLazyTree *> CurrentTree{nullptr};

private:
    void Execute()
    {
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(FEventLock);
                FEvent.wait(lock, [this] { return FSignaled || FTerminated.load(); });
                FSignaled = false;   // auto-reset
            }
            if (FTerminated)
                return;
            TBaseLazyTree *tree = nullptr;
            {
                std::lock_guard<std::mutex> guard(FListLock);
                if (!FWaiters.empty()) {
                    tree = FWaiters.front();
                    FWaiters.pop_front();
                    CurrentTree = tree;
                }
                if (!FWaiters.empty())
                    Signal();
            }
            if (!tree)
                continue;
            bool useCache = false, failed = false;
            try {
                tree->ChangeTreeStatesFromWorker({tsValidating}, {tsUseCache, tsValidationNeeded});
                useCache = !tree->FStopValidationFlag.load() && tree->BuildPositionCache();
            } catch (...) {
                failed = true;   // an error never leaves the thread
            }
            try {
                if (useCache)
                    tree->ChangeTreeStatesFromWorker({tsUseCache}, {tsStopValidation, tsValidating});
                else
                    tree->ChangeTreeStatesFromWorker({}, {tsStopValidation, tsValidating});
            } catch (...) {
                failed = true;
            }
            CurrentTree = nullptr;
            if (failed)
                return;
        }
    }

    std::mutex FListLock;
    std::deque<TBaseLazyTree *> FWaiters;
    std::mutex FEventLock;
    std::condition_variable FEvent;
    bool FSignaled = false;
    std::atomic<bool> FTerminated{false};
    std::thread FThread;
};

namespace {
TWorkerThread *Worker = nullptr;
int WorkerStarts = 0;
}   // namespace

void AddWorkerReference()
{
    if (!Worker) {
        Worker = new TWorkerThread;
        ++WorkerStarts;
    }
    ++Worker->RefCount;
}

void ReleaseWorkerReference(TBaseLazyTree *Tree)
{
    if (!Worker)
        return;
    --Worker->RefCount;
    Tree->StopCacheValidation();
    if (Worker->RefCount == 0) {
        delete Worker;
        Worker = nullptr;
    }
}

bool LazyTreeWorkerRunning()
{
    return Worker != nullptr;
}

int LazyTreeWorkerStarts()
{
    return WorkerStarts;
}

// ---------------------------------------------------------------------------------------
// Cache states

void TBaseLazyTree::MarkCacheInvalid()
{
    DoStateChange({tsValidationNeeded}, {tsUseCache});
}

void TBaseLazyTree::StopCacheValidation()
{
    DoStateChange({tsStopValidation}, {tsUseCache});
    if (Worker) {
        const bool wasValidating = FStates.Contains(tsValidating);
        Worker->RemoveTree(this);
        // The worker's last state change may have been applied only now.
        if (wasValidating || FStates.Contains(tsValidating))
            MarkCacheInvalid();
    }
}

void TBaseLazyTree::RequestCacheValidation()
{
    StopCacheValidation();
    FStartIndex = 0;
    if (FStates.Contains(tsValidationNeeded) && FVisibleCount > CacheThreshold && Worker) {
        Worker->AddTree(this);
        Worker->Signal();
    }
}

void TBaseLazyTree::showEvent(QShowEvent *Event)
{
    const bool first = !FWindowExists;
    FWindowExists = true;
    QAbstractScrollArea::showEvent(Event);
    if (first) {
        UpdateHeaderRect();
        UpdateScrollBars(false);
    }
}

// ---------------------------------------------------------------------------------------
// Calls of the worker on the GUI thread

void TBaseLazyTree::QueueWorkerCall(const std::function<void()> &Run)
{
    if (QThread::currentThread() == thread()) {
        Run();
        return;
    }
    TWorkerCall call{Run};
    {
        std::lock_guard<std::mutex> guard(FWorkerCallLock);
        FWorkerCalls.push_back(&call);
    }
    QMetaObject::invokeMethod(this, [this] { ServiceWorkerCalls(); }, Qt::QueuedConnection);
    // Waits as after a sent message: the GUI thread runs the call from its event loop or
    // while it waits for the worker in RemoveTree.
    std::unique_lock<std::mutex> lock(FWorkerCallLock);
    FWorkerCallDone.wait(lock, [&call] { return call.Done; });
}

void TBaseLazyTree::ServiceWorkerCalls()
{
    for (;;) {
        TWorkerCall *call = nullptr;
        {
            std::lock_guard<std::mutex> guard(FWorkerCallLock);
            if (FWorkerCalls.empty())
                return;
            call = FWorkerCalls.front();
            FWorkerCalls.pop_front();
        }
        // A handler's error must not strand the worker waiting for this call; the call
        // counts as done either way.
        try {
            call->Run();
        } catch (...) {
        }
        {
            std::lock_guard<std::mutex> guard(FWorkerCallLock);
            call->Done = true;
        }
        FWorkerCallDone.notify_all();
    }
}

void TBaseLazyTree::ChangeTreeStatesFromWorker(TLazyTreeStates Enter, TLazyTreeStates Leave)
{
    if (!FWindowExists.load())
        return;
    QueueWorkerCall([this, Enter, Leave] { DoStateChange(Enter, Leave); });
}

uint32_t TBaseLazyTree::WorkerNodeHeight(PLazyNode Node)
{
    if (TreeOptions().MiscOptions().Contains(TLTMiscOption::toVariableNodeHeight) &&
        !Node->Has(vsHeightMeasured) && QThread::currentThread() != thread()) {
        uint32_t height = 0;
        QueueWorkerCall([&] { height = NodeHeight(Node); });
        return height;
    }
    return Node->NodeHeight;
}

// ---------------------------------------------------------------------------------------
// Building and using the cache

uint32_t TBaseLazyTree::PositionCacheSize() const
{
    if (FVisibleCount <= 1)
        return 0;
    return (FVisibleCount + CacheThreshold - 1) / CacheThreshold;
}

bool TBaseLazyTree::BuildPositionCache()
{
    if (FStopValidationFlag.load())
        return false;
    const uint32_t size = PositionCacheSize();
    FPositionCache.assign(size, TCacheEntry{nullptr, 0});
    PLazyNode run = GetFirstVisibleNoInit(nullptr, true, false);
    uint32_t top = 0, index = 0, counter = 0;
    bool stopped = false;
    while (run && index < size) {
        if (FStopValidationFlag.load()) {
            stopped = true;
            break;
        }
        if (counter % CacheThreshold == 0)
            FPositionCache[index++] = {run, top};
        top += GetEffectivelyFiltered(run) ? 0 : WorkerNodeHeight(run);
        PLazyNode next = GetNextVisibleNoInit(run, true);
        if (!next)
            break;
        run = next;
        ++counter;
    }
    if (!stopped && index < size) {
        FPositionCache.resize(index);
        if (run)
            FPositionCache.push_back({run, top});
    }
    const bool built = !stopped && counter >= 1;
    if (built && TreeOptions().MiscOptions().Contains(TLTMiscOption::toVariableNodeHeight))
        QueueWorkerCall([this] { UpdateScrollBars(true); });
    return built;
}

PLazyNode TBaseLazyTree::FindCacheEntryByPosition(uint32_t Y, uint32_t &Top) const
{
    auto it = std::upper_bound(FPositionCache.begin(), FPositionCache.end(), Y,
                               [](uint32_t V, const TCacheEntry &E) { return V < E.AbsoluteTop; });
    if (it == FPositionCache.begin()) {
        Top = 0;
        return nullptr;
    }
    --it;
    Top = it->AbsoluteTop;
    return it->Node;
}

PLazyNode TBaseLazyTree::FindCacheEntryByNode(PLazyNode Node, uint32_t &Top) const
{
    auto it = std::upper_bound(FPositionCache.begin(), FPositionCache.end(), Node,
                               [this](PLazyNode N, const TCacheEntry &E) {
                                   return CompareDisplayOrder(E.Node, N, false) > 0;
                               });
    if (it == FPositionCache.begin()) {
        Top = 0;
        return nullptr;
    }
    --it;
    Top = it->AbsoluteTop;
    return it->Node;
}

PLazyNode TBaseLazyTree::NodeAtPosition(uint32_t Y, uint32_t &NodeTop)
{
    uint32_t top = 0;
    PLazyNode run = nullptr;
    if (FStates.Contains(tsUseCache))
        run = FindCacheEntryByPosition(Y, top);
    if (!run) {
        run = GetFirstVisibleNoInit(nullptr, true, false);
        top = 0;
    }
    FLastLookupSteps = 0;
    while (run) {
        const uint32_t height = GetEffectivelyFiltered(run) ? 0 : NodeHeight(run);
        if (Y < top + height) {
            NodeTop = top;
            return run;
        }
        top += height;
        run = GetNextVisibleNoInit(run, true);
        ++FLastLookupSteps;
    }
    NodeTop = top;
    return nullptr;
}

uint32_t TBaseLazyTree::NodeTopPosition(PLazyNode Node)
{
    uint32_t top = 0;
    PLazyNode run = nullptr;
    if (FStates.Contains(tsUseCache))
        run = FindCacheEntryByNode(Node, top);
    if (!run) {
        run = GetFirstVisibleNoInit(nullptr, true, false);
        top = 0;
    }
    FLastLookupSteps = 0;
    while (run && run != Node) {
        top += GetEffectivelyFiltered(run) ? 0 : NodeHeight(run);
        run = GetNextVisibleNoInit(run, true);
        ++FLastLookupSteps;
    }
    return top;
}
