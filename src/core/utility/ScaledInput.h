#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A number typed into a test or preset cell, in device units: the typed
// decimal times the scale, within a range, optionally with one special value
// outside it (the frequency cells accept 0).
struct ScaledInput {
    int nameId = 0;         // string id of the quantity's name
    std::int64_t scale = 1; // a power of ten
    std::int64_t minimum = 0;
    std::int64_t maximum = 0;
    std::optional<std::int64_t> special;

    bool operator==(const ScaledInput&) const = default;
};

// Decimal text times scale (a power of ten), exactly: digits beyond the
// scale's are rounded half away from zero; a sign, blanks around the number
// and an exponent ("1.5e3") are accepted. Magnitudes past what 64 bits hold
// saturate. Nothing for text that is not a number.
std::optional<std::int64_t> ParseScaledDecimal(const std::string& text, std::int64_t scale);

// A scaled value as a decimal with as many decimals as the scale has zeros.
std::string FormatScaledDecimal(std::int64_t value, std::int64_t scale);

// The value of a cell's text, or CPrivateException with the text the user
// sees: 11026 for text that is not a number, 11000 for a value out of range,
// 11035 for a cell with a special value.
std::int64_t ReadScaledInput(const std::string& text, const ScaledInput& input);
