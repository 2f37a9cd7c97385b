#include <ctime>
#include <mutex>
#include <thread>

#include "utility/IClockSource.h"

IClockSource::LocalTime CSystemClockSource::Now()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    // Milliseconds after the second that to_time_t truncated to.
    const auto ms = duration_cast<milliseconds>(now - system_clock::from_time_t(seconds)).count();
    // std::localtime shares one buffer across the process.
    static std::mutex localtimeMutex;
    std::tm local{};
    {
        std::lock_guard<std::mutex> lock(localtimeMutex);
        if (const std::tm* tm = std::localtime(&seconds))
            local = *tm;
    }
    LocalTime t;
    t.time = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
              local.tm_hour,        local.tm_min,     local.tm_sec};
    t.millisecond = static_cast<int>(ms < 0 ? 0 : ms > 999 ? 999 : ms);
    return t;
}

std::chrono::milliseconds CSystemClockSource::Monotonic()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
}

void CSystemClockSource::Sleep(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}
