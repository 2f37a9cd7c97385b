#include "background/CSemaphoreObject.h"

#include <chrono>

bool CSemaphoreObject::Lock(std::uint32_t timeoutMs)
{
    if (timeoutMs == kInfinite) {
        count_.acquire();
        return true;
    }
    if (timeoutMs == 0)
        return count_.try_acquire();
    return count_.try_acquire_for(std::chrono::milliseconds(timeoutMs));
}

void CSemaphoreObject::Unlock()
{
    count_.release();
}
