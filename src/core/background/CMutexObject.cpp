#include "background/CMutexObject.h"

#include <chrono>

#include "app/DebugLog.h"

bool CMutexObject::Lock(std::uint32_t timeoutMs)
{
    const auto self = std::this_thread::get_id();
    std::unique_lock lock(mutex_);
    if (depth_ > 0 && owner_ == self) {
        ++depth_;
        return true;
    }
    auto free = [this] { return depth_ == 0; };
    if (timeoutMs == kInfinite) {
        released_.wait(lock, free);
    } else if (!released_.wait_for(lock, std::chrono::milliseconds(timeoutMs), free)) {
        return false;
    }
    owner_ = self;
    depth_ = 1;
    return true;
}

void CMutexObject::Unlock()
{
    std::unique_lock lock(mutex_);
    if (depth_ == 0 || owner_ != std::this_thread::get_id()) {
        DebugOutput("CMutexObject: unlock by a thread that does not own the mutex\n");
        return;
    }
    if (--depth_ > 0)
        return;
    owner_ = std::thread::id();
    lock.unlock();
    released_.notify_one();
}

bool CMutexObject::IsHeldByCurrentThread() const
{
    std::lock_guard lock(mutex_);
    return depth_ > 0 && owner_ == std::this_thread::get_id();
}
