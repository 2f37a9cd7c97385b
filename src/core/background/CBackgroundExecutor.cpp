#include "background/CBackgroundExecutor.h"

#include <exception>

#include "app/DebugLog.h"
#include "background/CAccessRight.h"

CBackgroundExecutor::CBackgroundExecutor() : thread_([this] { Run(); }) {}

CBackgroundExecutor::~CBackgroundExecutor()
{
    // Queued behind everything posted so far, so those items still run.
    CSimpleFunctor stop = CSimpleFunctor::Bind(*this, &CBackgroundExecutor::Quit);
    Post(&stop);
    thread_.join();
}

CBackgroundExecutor& CBackgroundExecutor::Instance()
{
    static CBackgroundExecutor executor;
    return executor;
}

void CBackgroundExecutor::Post(CSimpleFunctor* functor)
{
    {
        std::lock_guard lock(idleMutex_);
        ++unfinished_;
    }
    CAccessRight access(queueLock_);
    queue_.push_back(functor);
    itemCounter_.Unlock();
}

bool CBackgroundExecutor::IsIdle() const
{
    std::lock_guard lock(idleMutex_);
    return unfinished_ == 0;
}

bool CBackgroundExecutor::WaitUntilIdle(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(idleMutex_);
    return idle_.wait_for(lock, timeout, [this] { return unfinished_ == 0; });
}

bool CBackgroundExecutor::IsExecutorThread() const
{
    return std::this_thread::get_id() == thread_.get_id();
}

void CBackgroundExecutor::Run()
{
    while (!quit_) {
        itemCounter_.Lock(CSyncObjectInterface::kInfinite);
        CSimpleFunctor* item = nullptr;
        {
            // The item stays queued while it runs, so the queue is idle only after it.
            CAccessRight access(queueLock_);
            item = queue_.front();
        }
        Execute(*item);
        {
            CAccessRight access(queueLock_);
            queue_.pop_front();
        }
        std::lock_guard lock(idleMutex_);
        if (--unfinished_ == 0)
            idle_.notify_all();
    }
}

void CBackgroundExecutor::Execute(CSimpleFunctor& item)
{
    // An escaping exception would end the process; an item that fails still
    // notifies, so the window waiting for it is not left waiting.
    try {
        item.Invoke();
    } catch (const std::exception& e) {
        DebugPrintf("Background item failed: %s\n", e.what());
    } catch (...) {
        DebugOutput("Background item failed\n");
    }
    try {
        item.Notify();
    } catch (const std::exception& e) {
        DebugPrintf("Background item observer failed: %s\n", e.what());
    } catch (...) {
        DebugOutput("Background item observer failed\n");
    }
}

void CBackgroundExecutor::Quit()
{
    quit_ = true;
}
