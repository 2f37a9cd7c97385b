#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>

#include "background/CObserver.h"
#include "background/CSimpleFunctor.h"
#include "utility/DeviceClock.h"

class CBackgroundExecutor;
class CModbusInterface;

// The clock read of "Set Date and Time" as a job of the background executor,
// where it queues behind the monitor's own read jobs instead of blocking the
// window. The job catches its error; the window takes the result when the
// item notifies it. The executor keeps a pointer to the item until the item
// has run and told its observers, so this object waits for that before it goes.
class CClockReadJob {
public:
    struct Result {
        std::optional<DeviceDateTime> time;
        std::string error; // the failed read's text when there is no time
    };

    // connection: the monitor's, not owned. The executor outlives this object.
    CClockReadJob(CModbusInterface& connection, CBackgroundExecutor& executor);
    ~CClockReadJob();
    CClockReadJob(const CClockReadJob&) = delete;
    CClockReadJob& operator=(const CClockReadJob&) = delete;

    // The item the window observes; it is notified on the executor thread
    // after each read.
    CSimpleFunctor& Item() { return item_; }

    // Does nothing while a read is in flight.
    void Post();
    // Posted and not yet finished with its notification.
    bool InFlight() const;
    Result TakeResult();

private:
    // Attached before the window, so the job no longer counts as in flight
    // when the window learns of its end.
    class Tracker : public CObserver {
    public:
        explicit Tracker(CClockReadJob& job) : job_(job) {}
        void Update(CObservable*) override { job_.Finished(); }

    private:
        CClockReadJob& job_;
    };

    void Read();
    void Finished();

    CModbusInterface& connection_;
    CBackgroundExecutor& executor_;
    mutable std::mutex mutex_;
    std::condition_variable finished_;
    bool inFlight_ = false; // guarded by mutex_
    Result result_;         // guarded by mutex_
    Tracker tracker_;
    CSimpleFunctor item_; // last: goes first, after the wait for its run
};
