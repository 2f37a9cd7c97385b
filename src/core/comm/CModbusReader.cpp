#include "comm/CModbusReader.h"

#include <stdexcept>
#include <vector>

#include "comm/CModbusInterface.h"

void CModbusReader::ReadBlocks(std::span<const ModbusBlock> blocks)
{
    for (const ModbusBlock& block : blocks) {
        if (block.startRegister == -1 || cancel_ || stop_)
            return;
        ReadBlock(block);
    }
}

void CModbusReader::ReadBlock(const ModbusBlock& block)
{
    if (block.valueCount <= 0)
        return;
    const auto first = static_cast<std::size_t>(block.firstSlot);
    const auto count = static_cast<std::size_t>(block.valueCount);
    if (block.firstSlot < 0 || first + count > destination_.size())
        throw std::out_of_range("register block outside the measured-value image");
    std::vector<std::uint16_t> registers(2 * count);
    modbus_->ReadHoldingRegisters(block.startRegister, static_cast<int>(registers.size()),
                                  registers.data());
    for (std::size_t i = 0; i < count; ++i) {
        // The first register lands in the slot's lower-addressed half, which is
        // its low 16 bits; the device's word order decides whether they swap.
        const std::uint32_t first16 = registers[2 * i];
        const std::uint32_t second16 = registers[2 * i + 1];
        destination_[first + i] =
            swapWords_ ? (first16 << 16 | second16) : (second16 << 16 | first16);
    }
}
