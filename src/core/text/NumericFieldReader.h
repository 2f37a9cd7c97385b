#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Reads the text of an edit field as a value in scaled units (scale 1 for
// integers, 10/100/1000/... for decimal fields) and checks it against a range.
// Failures throw CPrivateException with the message the user sees:
// 11027/11026 for text that is not a number, 11000 for a value out of range,
// 11035 when one extra value outside the range is also allowed.
struct NumericField {
    int scale = 1;
    std::int64_t minimum = 0;
    std::int64_t maximum = 0;
    int nameId = 0; // string id of the field's name
    std::optional<std::int64_t> extra;
};

std::int64_t ReadNumericField(const std::string& text, const NumericField& field);

// A scaled value written with as many decimals as the scale has zeros.
std::string FormatScaledValue(std::int64_t value, int scale);

// Number of decimals a scale stands for: 1 -> 0, 10 -> 1, 100 -> 2, ...
int DecimalsOfScale(int scale);
