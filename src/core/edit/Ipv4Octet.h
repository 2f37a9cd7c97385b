#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Rules of the four fields of an IP address control.

// The value of a field's text: digits only (at most three), a blank field is
// 0; nullopt for anything else or for a value of 256 and more, which the
// control refuses.
std::optional<int> Ipv4OctetValue(std::string_view text);

// The text a field shows for a value ("007" and "7" both show "7").
std::string Ipv4OctetText(int value);

// Dotted text of an address, "192.168.0.1".
std::string Ipv4Text(const std::array<std::uint8_t, 4>& octets);

// An address as one 32-bit value, first octet in the high byte, and back.
std::uint32_t Ipv4Pack(const std::array<std::uint8_t, 4>& octets);
std::array<std::uint8_t, 4> Ipv4Unpack(std::uint32_t address);
