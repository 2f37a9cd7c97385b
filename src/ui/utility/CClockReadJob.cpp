#include "utility/CClockReadJob.h"

#include <utility>

#include "app/CPrivateException.h"
#include "background/CBackgroundExecutor.h"
#include "utility/ClockCommands.h"

CClockReadJob::CClockReadJob(CModbusInterface& connection, CBackgroundExecutor& executor)
    : connection_(connection), executor_(executor), tracker_(*this),
      item_(CSimpleFunctor::Bind(*this, &CClockReadJob::Read))
{
    item_.Attach(tracker_);
}

CClockReadJob::~CClockReadJob()
{
    // One read of three registers: it ends within the link's time-out, or
    // once the monitor job ahead of it in the queue has ended.
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return !inFlight_; });
}

void CClockReadJob::Post()
{
    {
        std::lock_guard lock(mutex_);
        if (inFlight_)
            return;
        inFlight_ = true;
    }
    executor_.Post(&item_);
}

bool CClockReadJob::InFlight() const
{
    std::lock_guard lock(mutex_);
    return inFlight_;
}

CClockReadJob::Result CClockReadJob::TakeResult()
{
    std::lock_guard lock(mutex_);
    return std::exchange(result_, Result{});
}

void CClockReadJob::Read()
{
    Result result;
    try {
        result.time = ReadDeviceClock(connection_);
    } catch (const CPrivateException& e) {
        result.error = e.Text();
    } catch (const std::exception& e) {
        result.error = e.what();
    }
    std::lock_guard lock(mutex_);
    result_ = std::move(result);
}

void CClockReadJob::Finished()
{
    std::lock_guard lock(mutex_);
    inFlight_ = false;
    finished_.notify_all();
}
