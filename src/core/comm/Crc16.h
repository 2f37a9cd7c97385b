#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// CRC-16/MODBUS: reflected polynomial 0xA001, initial value 0xFFFF, no final
// XOR. A frame carries it low byte first.
std::uint16_t Crc16Modbus(const std::uint8_t* data, std::size_t size);
std::uint16_t Crc16Modbus(std::string_view bytes);
