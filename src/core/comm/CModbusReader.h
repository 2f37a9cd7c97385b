#pragma once

#include <atomic>
#include <cstdint>
#include <span>

class CModbusInterface;

// One block of 32-bit values: two registers per value from startRegister
// into the destination slots from firstSlot on. A list ends at startRegister -1.
struct ModbusBlock {
    std::int32_t startRegister;
    std::int32_t valueCount;
    std::int32_t firstSlot;
};

constexpr ModbusBlock kEndOfBlocks{-1, 0, 0};

// Reads lists of register blocks into the 32-bit slots of a measured-value image.
class CModbusReader {
public:
    // Neither is owned; both outlive the reader.
    CModbusReader(CModbusInterface& modbus, std::span<std::uint32_t> destination)
        : modbus_(&modbus), destination_(destination)
    {
    }
    virtual ~CModbusReader() = default;

    // Reads each block in order until the end marker (or the end of the span);
    // returns early once cancel or stop is requested. Failures throw. A block
    // whose slots lie outside the destination throws std::out_of_range before
    // anything of it is read.
    void ReadBlocks(std::span<const ModbusBlock> blocks);

    // Device word order: true when the high word comes first.
    void SetSwapWords(bool swap) { swapWords_ = swap; }
    bool SwapWords() const { return swapWords_; }
    void RequestCancel() { cancel_ = true; }
    void RequestStop() { stop_ = true; }
    void ClearRequests()
    {
        cancel_ = false;
        stop_ = false;
    }

private:
    void ReadBlock(const ModbusBlock& block);

    std::atomic<bool> swapWords_{false};
    std::atomic<bool> cancel_{false};
    std::atomic<bool> stop_{false};
    CModbusInterface* modbus_;
    std::span<std::uint32_t> destination_;
};
