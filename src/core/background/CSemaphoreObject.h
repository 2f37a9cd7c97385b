#pragma once

#include <cstdint>
#include <semaphore>

#include "background/CSyncObjectInterface.h"

// A counting semaphore that starts at 0: each Unlock lets one Lock through.
class CSemaphoreObject : public CSyncObjectInterface {
public:
    static constexpr std::ptrdiff_t kMaximumCount = 2147483647;

    CSemaphoreObject() = default;
    CSemaphoreObject(const CSemaphoreObject&) = delete;
    CSemaphoreObject& operator=(const CSemaphoreObject&) = delete;
    ~CSemaphoreObject() override = default;

    bool Lock(std::uint32_t timeoutMs) override;
    void Unlock() override;

private:
    std::counting_semaphore<kMaximumCount> count_{0};
};
