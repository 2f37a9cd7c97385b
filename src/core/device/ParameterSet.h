#pragma once

#include <array>
#include <cstdint>

#include "device/CDeviceType.h"

constexpr int kParameterWords = 475;

// The image of one device's configuration: 475 words (host order) plus the
// identity of the variant they belong to. Copied by value.
struct ParameterSet {
    std::array<std::uint16_t, kParameterWords> words{};
    CDeviceType type;

    // A fresh set holds the defaults (InitDefaults).
    ParameterSet() { InitDefaults(); }

    std::uint16_t& operator[](int n) { return words[static_cast<size_t>(n)]; }
    std::uint16_t operator[](int n) const { return words[static_cast<size_t>(n)]; }

    // 32-bit values: low word first, signed.
    std::int32_t Get32(int n) const
    {
        return static_cast<std::int32_t>(std::uint32_t(words[static_cast<size_t>(n)]) |
                                         (std::uint32_t(words[static_cast<size_t>(n) + 1]) << 16));
    }
    void Set32(int n, std::int32_t value)
    {
        words[static_cast<size_t>(n)] = static_cast<std::uint16_t>(std::uint32_t(value) & 0xFFFF);
        words[static_cast<size_t>(n) + 1] = static_cast<std::uint16_t>(std::uint32_t(value) >> 16);
    }

    // IPv4: the high byte of word n is the first octet, its low byte the
    // second, word n+1 the third and fourth.
    std::array<std::uint8_t, 4> GetIpv4(int n) const
    {
        const auto a = words[static_cast<size_t>(n)], b = words[static_cast<size_t>(n) + 1];
        return {std::uint8_t(a >> 8), std::uint8_t(a), std::uint8_t(b >> 8), std::uint8_t(b)};
    }
    void SetIpv4(int n, const std::array<std::uint8_t, 4>& o)
    {
        words[static_cast<size_t>(n)] = static_cast<std::uint16_t>((o[0] << 8) | o[1]);
        words[static_cast<size_t>(n) + 1] = static_cast<std::uint16_t>((o[2] << 8) | o[3]);
    }

    // Selects type id 0 and sets every word to its default. The defaults do
    // not depend on the variant; switching to another variant with its own
    // defaults is the variant change of the settings stocker.
    void InitDefaults();

    // Whether word n means anything on this set's variant.
    bool Applies(int n) const;
};
