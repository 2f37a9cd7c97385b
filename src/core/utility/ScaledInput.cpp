#include "utility/ScaledInput.h"

#include <cctype>
#include <limits>

#include "app/CPrivateException.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

// Beyond this magnitude a value only needs to fail its range check.
constexpr std::uint64_t kSaturation = 1'000'000'000'000'000'000ULL;

int DecimalsOf(std::int64_t scale)
{
    int n = 0;
    for (std::int64_t s = scale; s >= 10; s /= 10)
        ++n;
    return n;
}

struct Decimal {
    bool negative = false;
    std::string digits; // significant digits, no leading zeros
    int exponent = 0;   // value = digits x 10^exponent
};

std::optional<int> ReadExponent(const std::string& s, std::size_t& i)
{
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    const std::size_t first = i;
    int value = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        if (value < 10000)
            value = value * 10 + (s[i] - '0');
        ++i;
    }
    if (i == first)
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<Decimal> ReadDecimal(const std::string& s)
{
    std::size_t i = 0;
    const auto blanks = [&] {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
    };
    blanks();
    Decimal d;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        d.negative = s[i++] == '-';
    bool anyDigit = false, point = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.' && !point) {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            anyDigit = true;
            if (!d.digits.empty() || c != '0')
                d.digits += c;
            if (point)
                --d.exponent;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        const auto e = ReadExponent(s, i);
        if (!e)
            return std::nullopt;
        d.exponent += *e;
    }
    blanks();
    if (i != s.size())
        return std::nullopt;
    return d;
}

std::int64_t Signed(std::uint64_t magnitude, bool negative)
{
    const auto m = static_cast<std::int64_t>(magnitude);
    return negative ? -m : m;
}

} // namespace

std::optional<std::int64_t> ParseScaledDecimal(const std::string& text, std::int64_t scale)
{
    std::optional<Decimal> d = ReadDecimal(text);
    if (!d)
        return std::nullopt;
    const int shift = d->exponent + DecimalsOf(scale);
    const int kept = static_cast<int>(d->digits.size()) + shift; // digits left of the point
    std::uint64_t magnitude = 0;
    for (int k = 0; k < kept; ++k) {
        const char c = k < static_cast<int>(d->digits.size()) ? d->digits[std::size_t(k)] : '0';
        magnitude = magnitude * 10 + std::uint64_t(c - '0');
        if (magnitude >= kSaturation)
            return Signed(kSaturation, d->negative);
    }
    // The first dropped digit decides the rounding.
    const int next = kept < 0 ? -1 : kept;
    if (next >= 0 && next < static_cast<int>(d->digits.size()) &&
        d->digits[std::size_t(next)] >= '5')
        ++magnitude;
    return Signed(magnitude, d->negative);
}

std::string FormatScaledDecimal(std::int64_t value, std::int64_t scale)
{
    const int decimals = DecimalsOf(scale);
    const bool negative = value < 0;
    // Through unsigned, so the most negative value has a magnitude too.
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - static_cast<std::uint64_t>(value) : std::uint64_t(value);
    std::string digits = std::to_string(magnitude);
    if (decimals > 0) {
        if (static_cast<int>(digits.size()) <= decimals)
            digits.insert(0, std::size_t(decimals + 1) - digits.size(), '0');
        digits.insert(digits.size() - std::size_t(decimals), 1, '.');
    }
    return negative ? "-" + digits : digits;
}

std::int64_t ReadScaledInput(const std::string& text, const ScaledInput& input)
{
    const std::string name = LoadText(input.nameId);
    const std::optional<std::int64_t> value = ParseScaledDecimal(text, input.scale);
    if (!value)
        throw CPrivateException(FormatText(TextId::NotNumber, {name}));
    if ((*value >= input.minimum && *value <= input.maximum) || value == input.special)
        return *value;
    const std::string low = FormatScaledDecimal(input.minimum, input.scale);
    const std::string high = FormatScaledDecimal(input.maximum, input.scale);
    if (input.special)
        throw CPrivateException(
            FormatText(TextId::OutOfRangeOrSpecial,
                       {name, low, high, FormatScaledDecimal(*input.special, input.scale)}));
    throw CPrivateException(FormatText(TextId::OutOfRange, {name, low, high}));
}
