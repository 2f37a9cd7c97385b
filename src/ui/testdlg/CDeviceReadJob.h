#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "background/CObserver.h"
#include "background/CSimpleFunctor.h"

class CBackgroundExecutor;
class CMeasurandsKTA;
class CModbusInterface;

// The repeated reads of a test or preset window as jobs of the background
// executor, behind the monitor's own jobs. A job reads into the job's own
// image and catches its error; the window takes the result on its thread
// when the item notifies it, and never touches the image while a read is in
// flight. The executor keeps a pointer to the item until it has run and told
// its observers, so this object waits for that before it goes.
class CDeviceReadJob {
public:
    using Read = std::function<void(CModbusInterface& connection, CMeasurandsKTA& image)>;

    // connection: the window's, not owned. The executor outlives this object.
    CDeviceReadJob(CModbusInterface& connection, CBackgroundExecutor& executor);
    ~CDeviceReadJob();
    CDeviceReadJob(const CDeviceReadJob&) = delete;
    CDeviceReadJob& operator=(const CDeviceReadJob&) = delete;

    // The item the window observes; notified on the executor thread after each read.
    CSimpleFunctor& Item() { return item_; }

    // Posts one read; false (and nothing posted) while one is in flight.
    bool Post(Read read);
    bool InFlight() const;
    // What the last read left, valid while no read is in flight; the error
    // text is empty after a read that succeeded.
    const CMeasurandsKTA& Image() const { return *image_; }
    std::string Error() const;

private:
    // Attached before the window, so the job no longer counts as in flight
    // when the window learns of its end.
    class Tracker : public CObserver {
    public:
        explicit Tracker(CDeviceReadJob& job) : job_(job) {}
        void Update(CObservable*) override { job_.Finished(); }

    private:
        CDeviceReadJob& job_;
    };

    void Run();
    void Finished();

    CModbusInterface& connection_;
    CBackgroundExecutor& executor_;
    std::unique_ptr<CMeasurandsKTA> image_; // written only by the job in flight
    mutable std::mutex mutex_;
    std::condition_variable finished_;
    bool inFlight_ = false; // guarded by mutex_
    Read read_;             // guarded by mutex_ while posting
    std::string error_;     // guarded by mutex_
    Tracker tracker_;
    CSimpleFunctor item_; // last: goes first, after the wait for its run
};
