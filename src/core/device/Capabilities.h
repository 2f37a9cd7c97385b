#pragma once

#include <cstdint>

// Capability bits of the device-type catalogue as one 64-bit word: the low
// half is bits 0-31, the high half bits 32-63. Variant-dependent code asks
// whether (capabilities & mask) != 0; a mask may span both halves.
using Capabilities = std::uint64_t;

constexpr Capabilities CapHigh(std::uint32_t bits)
{
    return Capabilities(bits) << 32;
}
constexpr Capabilities CapMask(std::uint32_t low, std::uint32_t high)
{
    return Capabilities(low) | CapHigh(high);
}

// Low half
constexpr Capabilities CapAo1 = 0x00000010;
constexpr Capabilities CapAo2 = 0x00000020;
constexpr Capabilities CapAo3 = 0x00000040;
constexpr Capabilities CapAo4 = 0x00000080;
constexpr Capabilities CapDo1 = 0x00000100;
constexpr Capabilities CapDo2 = 0x00000200;
constexpr Capabilities CapDo3 = 0x00000400;
constexpr Capabilities CapDo4 = 0x00000800;
constexpr Capabilities CapDi1 = 0x00001000;
constexpr Capabilities CapAo4to20mA = 0x00010000;
constexpr Capabilities CapModbusRtu = 0x00020000;
constexpr Capabilities CapAo1to5V = 0x00040000;
constexpr Capabilities Cap3P4W = 0x00100000;
constexpr Capabilities CapLonWorks = 0x00800000;
constexpr Capabilities CapCcLink = 0x01000000;
constexpr Capabilities CapModbusTcp = 0x02000000;
constexpr Capabilities CapZmpv = 0x04000000;
constexpr Capabilities CapZnpwU = 0x08000000;
constexpr Capabilities CapFieldModbus = 0x10000000;
constexpr Capabilities CapKtbV3 = 0x20000000;
constexpr Capabilities CapKtaKtbMain = 0x80000000;

// High half
constexpr Capabilities CapKta = CapHigh(0x00000001);
constexpr Capabilities CapKtb = CapHigh(0x00000002);
constexpr Capabilities CapKtaGen2 = CapHigh(0x00000004);
constexpr Capabilities CapKtbGen2 = CapHigh(0x00000008);
constexpr Capabilities CapQg = CapHigh(0x00000010);
constexpr Capabilities CapLkta = CapHigh(0x00000020);
constexpr Capabilities CapQh = CapHigh(0x00000040);
constexpr Capabilities CapLktas = CapHigh(0x00000080);
constexpr Capabilities CapZm = CapHigh(0x00000100);
constexpr Capabilities CapZmZnModbus = CapHigh(0x00000200);
constexpr Capabilities CapZnpw = CapHigh(0x00000400);
constexpr Capabilities CapZnepw = CapHigh(0x00000800);
constexpr Capabilities CapGen3 = CapHigh(0x00001000);
constexpr Capabilities CapZmAo = CapHigh(0x00002000);
constexpr Capabilities CapDoBlock = CapHigh(0x00004000);
constexpr Capabilities CapQgInput = CapHigh(0x00200000);
constexpr Capabilities CapQhBase = CapHigh(0x00400000);
constexpr Capabilities CapQhExt = CapHigh(0x00800000);

// Unions the dialogs and the register map test.
constexpr Capabilities CapAnyAo = CapAo1 | CapAo2 | CapAo3 | CapAo4;
constexpr Capabilities CapAnyDo = CapDo1 | CapDo2 | CapDo3 | CapDo4;
constexpr Capabilities CapAoType = CapAo4to20mA | CapAo1to5V;
constexpr Capabilities CapZn = CapZnpw | CapZnepw;
