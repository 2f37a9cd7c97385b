#include "edit/Ipv4Octet.h"

std::optional<int> Ipv4OctetValue(std::string_view text)
{
    if (text.size() > 3)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 255)
        return std::nullopt;
    return value;
}

std::string Ipv4OctetText(int value)
{
    return std::to_string(value);
}

std::string Ipv4Text(const std::array<std::uint8_t, 4>& octets)
{
    std::string text;
    for (size_t i = 0; i < octets.size(); ++i) {
        if (i > 0)
            text += '.';
        text += std::to_string(octets[i]);
    }
    return text;
}

std::uint32_t Ipv4Pack(const std::array<std::uint8_t, 4>& octets)
{
    return (std::uint32_t{octets[0]} << 24) | (std::uint32_t{octets[1]} << 16) |
           (std::uint32_t{octets[2]} << 8) | std::uint32_t{octets[3]};
}

std::array<std::uint8_t, 4> Ipv4Unpack(std::uint32_t address)
{
    return {static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
            static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)};
}
