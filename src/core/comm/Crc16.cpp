#include "comm/Crc16.h"

#include <array>

namespace {

using ByteTable = std::array<std::uint8_t, 256>;

constexpr std::uint16_t ReflectedRemainder(unsigned index)
{
    std::uint16_t crc = static_cast<std::uint16_t>(index);
    for (int bit = 0; bit < 8; ++bit)
        crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                        : static_cast<std::uint16_t>(crc >> 1);
    return crc;
}

constexpr ByteTable MakeTable(bool highByte)
{
    ByteTable table{};
    for (unsigned i = 0; i < 256; ++i) {
        const std::uint16_t r = ReflectedRemainder(i);
        table[i] = static_cast<std::uint8_t>(highByte ? r >> 8 : r & 0xFF);
    }
    return table;
}

// The usual split into a high-byte and a low-byte table keeps each step to
// two lookups on bytes.
constexpr ByteTable kCrcHigh = MakeTable(true);
constexpr ByteTable kCrcLow = MakeTable(false);

static_assert(kCrcHigh[1] == 0xC0 && kCrcLow[1] == 0xC1 && kCrcHigh[255] == 0x40 &&
              kCrcLow[255] == 0x40);

} // namespace

std::uint16_t Crc16Modbus(const std::uint8_t* data, std::size_t size)
{
    std::uint8_t low = 0xFF;
    std::uint8_t high = 0xFF;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t index = low ^ data[i];
        low = high ^ kCrcLow[index];
        high = kCrcHigh[index];
    }
    return static_cast<std::uint16_t>(high << 8 | low);
}

std::uint16_t Crc16Modbus(std::string_view bytes)
{
    return Crc16Modbus(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}
