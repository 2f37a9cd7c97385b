#pragma once

#include <cstdint>
#include <vector>

class CModbusInterface;

// Small register requests the command sequences are made of. Each is one
// Modbus request on an open connection; failures throw as the master does.
namespace RegisterIo {

std::uint16_t Read16(CModbusInterface& connection, int reg);
std::vector<std::uint16_t> ReadWords(CModbusInterface& connection, int reg, int count);
// highWordFirst: the first register of the pair holds the high 16 bits.
std::uint32_t Read32(CModbusInterface& connection, int reg, bool highWordFirst);
// count 32-bit values from 2 x count registers in one request.
std::vector<std::uint32_t> ReadValues(CModbusInterface& connection, int reg, int count,
                                      bool highWordFirst);
void Write16(CModbusInterface& connection, int reg, std::uint16_t value);
void Write32(CModbusInterface& connection, int reg, std::uint32_t value, bool highWordFirst);
void WriteValues(CModbusInterface& connection, int reg, const std::vector<std::uint32_t>& values,
                 bool highWordFirst);
// Register 5735 reads 1 on devices that send the high word first.
bool ReadHighWordFirst(CModbusInterface& connection);

std::uint32_t Combine(std::uint16_t first, std::uint16_t second, bool highWordFirst);

} // namespace RegisterIo
