#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>

#include "background/CMutexObject.h"
#include "background/CSemaphoreObject.h"
#include "background/CSimpleFunctor.h"

// One worker thread with a first-in first-out queue of bound calls. Items run
// one at a time in posting order; after each item its observers are notified
// on the executor thread, before the next item starts. The process shares one
// executor (Instance()); it ends with the process after finishing what was
// posted before, and its thread is joined.
class CBackgroundExecutor {
public:
    CBackgroundExecutor();
    ~CBackgroundExecutor();
    CBackgroundExecutor(const CBackgroundExecutor&) = delete;
    CBackgroundExecutor& operator=(const CBackgroundExecutor&) = delete;

    static CBackgroundExecutor& Instance();

    // Returns at once. Not owned: the item must stay alive until it has run and
    // its observers have been notified.
    void Post(CSimpleFunctor* functor);

    // Idle: nothing queued and nothing running.
    bool IsIdle() const;
    bool WaitUntilIdle(std::chrono::milliseconds timeout) const;
    bool IsExecutorThread() const;

private:
    void Run();
    static void Execute(CSimpleFunctor& item);
    void Quit();

    std::deque<CSimpleFunctor*> queue_;
    CSemaphoreObject itemCounter_;
    CMutexObject queueLock_;

    mutable std::mutex idleMutex_;
    mutable std::condition_variable idle_;
    std::size_t unfinished_ = 0; // queued or running, guarded by idleMutex_

    bool quit_ = false;  // used on the executor thread only
    std::thread thread_; // last: starts when everything above exists
};
