#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "background/CSyncObjectInterface.h"

// A mutex owned by one thread at a time. The owner may lock it again (each
// Lock needs its Unlock), so an operation that holds a master's access lock can
// call another that takes it too. Unlock from a thread that does not own it is
// ignored instead of corrupting the lock.
class CMutexObject : public CSyncObjectInterface {
public:
    CMutexObject() = default;
    CMutexObject(const CMutexObject&) = delete;
    CMutexObject& operator=(const CMutexObject&) = delete;
    ~CMutexObject() override = default;

    bool Lock(std::uint32_t timeoutMs) override;
    void Unlock() override;
    // True when the calling thread owns the mutex.
    bool IsHeldByCurrentThread() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable released_;
    std::thread::id owner_;
    unsigned depth_ = 0;
};
