#pragma once

#include <cstddef>
#include <cstdint>

// CRC-16/MODBUS (reflected polynomial 0xA001, initial value 0xFFFF, no final XOR),
// computed bit by bit so that it cross-checks the master's table-driven form.
std::uint16_t SimCrc16(const std::uint8_t* data, std::size_t length);
