#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "background/CObserver.h"
#include "background/CProgressThread.h"

// Waits for the job's last notification.
class FinishWaiter : public CObserver {
public:
    explicit FinishWaiter(CProgressThread& job) : job_(job) { job_.Attach(*this); }
    ~FinishWaiter() override { job_.Detach(*this); }
    FinishWaiter(const FinishWaiter&) = delete;
    FinishWaiter& operator=(const FinishWaiter&) = delete;

    void Update(CObservable*) override
    {
        std::lock_guard lock(mutex_);
        if (job_.IsFinished())
            finished_ = true;
        changed_.notify_all();
    }
    bool Wait()
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(60), [this] { return finished_; });
    }

private:
    CProgressThread& job_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool finished_ = false;
};
