#pragma once

#include <cstdint>

// Model codes of register 9600 that the monitor's rules name.
namespace ModelCode {
constexpr std::uint16_t kKta = 0x1267;
constexpr std::uint16_t kLkta = 0x1268;
constexpr std::uint16_t kLktas = 0x1269;
constexpr std::uint16_t kKtb = 0x1271;
constexpr std::uint16_t kQg = 0x127B;
constexpr std::uint16_t kQh = 0x1285;
constexpr std::uint16_t kZm = 0x128F;
constexpr std::uint16_t kZnpw = 0x1299;
constexpr std::uint16_t kZnepw = 0x129A;

constexpr bool IsZn(std::uint16_t code)
{
    return code == kZnpw || code == kZnepw;
}
} // namespace ModelCode
