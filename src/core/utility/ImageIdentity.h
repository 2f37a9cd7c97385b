#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class CMeasurandsKTA;
class CModbusInterface;

// Registers 9600-9613 (model code, firmware, serial, tag) and 9622-9626
// (option code, I/O words) into the image, on an open connection.
void ReadIdentityInto(CModbusInterface& connection, CMeasurandsKTA& image);

// Bytes of a text field, the first of each register in its high byte.
template <std::size_t N> void UnpackText(const std::uint16_t* registers, std::array<char, N>& bytes)
{
    for (std::size_t i = 0; i < N; ++i) {
        const std::uint16_t w = registers[i / 2];
        bytes[i] = static_cast<char>(i % 2 == 0 ? w >> 8 : w & 0xFF);
    }
}
