#include "utility/RegisterIo.h"

#include "comm/CModbusInterface.h"
#include "device/DeviceRegisters.h"

namespace RegisterIo {

std::uint16_t Read16(CModbusInterface& connection, int reg)
{
    std::uint16_t value = 0;
    connection.ReadHoldingRegisters(reg, 1, &value);
    return value;
}

std::vector<std::uint16_t> ReadWords(CModbusInterface& connection, int reg, int count)
{
    std::vector<std::uint16_t> words(static_cast<std::size_t>(count));
    connection.ReadHoldingRegisters(reg, count, words.data());
    return words;
}

std::uint32_t Combine(std::uint16_t first, std::uint16_t second, bool highWordFirst)
{
    const std::uint16_t high = highWordFirst ? first : second;
    const std::uint16_t low = highWordFirst ? second : first;
    return (std::uint32_t(high) << 16) | low;
}

std::uint32_t Read32(CModbusInterface& connection, int reg, bool highWordFirst)
{
    return ReadValues(connection, reg, 1, highWordFirst).front();
}

std::vector<std::uint32_t> ReadValues(CModbusInterface& connection, int reg, int count,
                                      bool highWordFirst)
{
    const std::vector<std::uint16_t> words = ReadWords(connection, reg, 2 * count);
    std::vector<std::uint32_t> values(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = Combine(words[2 * i], words[2 * i + 1], highWordFirst);
    return values;
}

void Write16(CModbusInterface& connection, int reg, std::uint16_t value)
{
    connection.WriteMultipleRegisters(reg, 1, &value);
}

void Write32(CModbusInterface& connection, int reg, std::uint32_t value, bool highWordFirst)
{
    connection.WriteDoubleWords(reg, 1, &value, highWordFirst);
}

void WriteValues(CModbusInterface& connection, int reg, const std::vector<std::uint32_t>& values,
                 bool highWordFirst)
{
    connection.WriteDoubleWords(reg, static_cast<int>(values.size()), values.data(), highWordFirst);
}

bool ReadHighWordFirst(CModbusInterface& connection)
{
    return Read16(connection, DeviceRegister::kWordOrder) == 1;
}

} // namespace RegisterIo
