#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <utility>

#include "background/CBackgroundExecutor.h"
#include "background/CObserver.h"
#include "background/CSimpleFunctor.h"

// One read of a multi-circuit monitor window as an item of the background
// executor, where it queues behind the other users of the connection. The
// read is a function that catches its own errors into its result; the window
// observes Item() and takes the result when the item notifies it. At most
// one read is in flight. The executor keeps a pointer to the item until the
// item has run and told its observers, so this object waits for that before
// it goes.
template <class Result> class CQhReadJob {
public:
    using Read = std::function<Result()>;

    // The executor outlives this object.
    explicit CQhReadJob(CBackgroundExecutor& executor)
        : executor_(executor), tracker_(*this), item_(CSimpleFunctor::Bind(*this, &CQhReadJob::Run))
    {
        item_.Attach(tracker_);
    }
    ~CQhReadJob()
    {
        std::unique_lock lock(mutex_);
        finished_.wait(lock, [this] { return !inFlight_; });
    }
    CQhReadJob(const CQhReadJob&) = delete;
    CQhReadJob& operator=(const CQhReadJob&) = delete;

    // Notified on the executor thread after each read.
    CSimpleFunctor& Item() { return item_; }

    // Queues read; false, and nothing queued, while a read is in flight.
    bool Post(Read read)
    {
        {
            std::lock_guard lock(mutex_);
            if (inFlight_)
                return false;
            inFlight_ = true;
            read_ = std::move(read);
        }
        executor_.Post(&item_);
        return true;
    }
    bool InFlight() const
    {
        std::lock_guard lock(mutex_);
        return inFlight_;
    }
    Result TakeResult()
    {
        std::lock_guard lock(mutex_);
        return std::exchange(result_, Result{});
    }

private:
    // Attached before the window, so the read no longer counts as in flight
    // when the window learns of its end.
    class Tracker : public CObserver {
    public:
        explicit Tracker(CQhReadJob& job) : job_(job) {}
        void Update(CObservable*) override { job_.Finished(); }

    private:
        CQhReadJob& job_;
    };

    void Run()
    {
        Read read;
        {
            std::lock_guard lock(mutex_);
            read = std::move(read_);
        }
        Result result = read ? read() : Result{};
        std::lock_guard lock(mutex_);
        result_ = std::move(result);
    }
    void Finished()
    {
        std::lock_guard lock(mutex_);
        inFlight_ = false;
        finished_.notify_all();
    }

    CBackgroundExecutor& executor_;
    mutable std::mutex mutex_;
    std::condition_variable finished_;
    bool inFlight_ = false; // guarded by mutex_
    Read read_;             // guarded by mutex_
    Result result_{};       // guarded by mutex_
    Tracker tracker_;
    CSimpleFunctor item_; // last: goes first, after the wait for its run
};
