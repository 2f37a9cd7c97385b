#pragma once

#include <cstdint>

// A lock that a thread takes to have a resource to itself: the access lock of
// a Modbus master, the queue lock and item counter of the background executor.
class CSyncObjectInterface {
public:
    static constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;

    virtual ~CSyncObjectInterface() = default;
    // Waits at most timeoutMs (kInfinite: without limit); false when the wait timed out.
    virtual bool Lock(std::uint32_t timeoutMs) = 0;
    virtual void Unlock() = 0;
};
