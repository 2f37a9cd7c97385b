#include "testdlg/CDeviceReadJob.h"

#include "app/CPrivateException.h"
#include "background/CBackgroundExecutor.h"
#include "monitor/CMeasurandsKTA.h"

CDeviceReadJob::CDeviceReadJob(CModbusInterface& connection, CBackgroundExecutor& executor)
    : connection_(connection), executor_(executor), image_(std::make_unique<CMeasurandsKTA>()),
      tracker_(*this), item_(CSimpleFunctor::Bind(*this, &CDeviceReadJob::Run))
{
    item_.Attach(tracker_);
}

CDeviceReadJob::~CDeviceReadJob()
{
    // A read of a few blocks: it ends within the link's time-out, or once the
    // monitor job ahead of it in the queue has ended.
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return !inFlight_; });
}

bool CDeviceReadJob::Post(Read read)
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

bool CDeviceReadJob::InFlight() const
{
    std::lock_guard lock(mutex_);
    return inFlight_;
}

std::string CDeviceReadJob::Error() const
{
    std::lock_guard lock(mutex_);
    return error_;
}

void CDeviceReadJob::Run()
{
    Read read;
    {
        std::lock_guard lock(mutex_);
        read = read_;
    }
    std::string error;
    try {
        read(connection_, *image_);
    } catch (const CPrivateException& e) {
        error = e.Text().empty() ? std::string(" ") : e.Text();
    } catch (const std::exception& e) {
        error = e.what();
    }
    std::lock_guard lock(mutex_);
    error_ = std::move(error);
}

void CDeviceReadJob::Finished()
{
    std::lock_guard lock(mutex_);
    inFlight_ = false;
    finished_.notify_all();
}
