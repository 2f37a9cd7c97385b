#include "text/NumericFieldReader.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "app/CPrivateException.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

constexpr int kMsgNotInteger = 11027;

// C conventions: decimal, 0x hexadecimal, leading 0 octal; the whole text must be used.
std::optional<std::int64_t> ParseInteger(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(begin, &end, 0);
    if (end == begin || *end != '\0')
        return std::nullopt;
    return v; // an overflow saturates and then fails the range check
}

std::optional<std::int64_t> ParseScaled(const std::string& text, int scale)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || !std::isfinite(v))
        return std::nullopt;
    const double scaled = v * scale;
    // Out-of-range magnitudes saturate so that the range check reports them.
    constexpr double kLimit = 9.0e18;
    if (scaled >= kLimit)
        return std::numeric_limits<std::int64_t>::max();
    if (scaled <= -kLimit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(std::llround(scaled)); // half away from zero
}

} // namespace

int DecimalsOfScale(int scale)
{
    int decimals = 0;
    for (int s = scale; s >= 10; s /= 10)
        ++decimals;
    return decimals;
}

std::string FormatScaledValue(std::int64_t value, int scale)
{
    char buf[64];
    if (scale <= 1) {
        std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(value));
    } else {
        std::snprintf(buf, sizeof buf, "%.*f", DecimalsOfScale(scale),
                      static_cast<double>(value) / scale);
    }
    return buf;
}

std::int64_t ReadNumericField(const std::string& text, const NumericField& field)
{
    const std::string name = LoadText(field.nameId);
    const auto value = field.scale <= 1 ? ParseInteger(text) : ParseScaled(text, field.scale);
    if (!value)
        throw CPrivateException(
            FormatText(field.scale <= 1 ? kMsgNotInteger : TextId::NotNumber, {name}));
    if ((*value < field.minimum || *value > field.maximum) && value != field.extra) {
        const std::string lo = FormatScaledValue(field.minimum, field.scale);
        const std::string hi = FormatScaledValue(field.maximum, field.scale);
        if (field.extra)
            throw CPrivateException(
                FormatText(TextId::OutOfRangeOrSpecial,
                           {name, lo, hi, FormatScaledValue(*field.extra, field.scale)}));
        throw CPrivateException(FormatText(TextId::OutOfRange, {name, lo, hi}));
    }
    return *value;
}
