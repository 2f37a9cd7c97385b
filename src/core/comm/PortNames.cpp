#include "comm/PortNames.h"

#include <cctype>
#include <climits>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view DigitRun(std::string_view text, std::size_t at)
{
    std::size_t end = at;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    return text.substr(at, end - at);
}

int CompareNumbers(std::string_view a, std::string_view b)
{
    while (a.size() > 1 && a.front() == '0')
        a.remove_prefix(1);
    while (b.size() > 1 && b.front() == '0')
        b.remove_prefix(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareNatural(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::string_view na = DigitRun(a, i);
            const std::string_view nb = DigitRun(b, j);
            if (const int c = CompareNumbers(na, nb); c != 0)
                return c;
            i += na.size();
            j += nb.size();
            continue;
        }
        // Every digit lies on the same side of any other character, so a run
        // of digits against a single character compares by its first digit.
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

} // namespace

int ParsePortNumber(std::string_view text)
{
    if (text.size() <= 3)
        return -1;
    for (std::size_t k = 0; k < 3; ++k) {
        if (std::toupper(static_cast<unsigned char>(text[k])) != "COM"[k])
            return -1;
    }
    long long value = 0;
    std::size_t k = 3;
    for (; k < text.size() && text[k] != ':'; ++k) {
        if (!IsDigit(text[k]))
            return -1;
        value = value * 10 + (text[k] - '0');
        if (value > INT_MAX)
            return -1;
    }
    return k == 3 ? -1 : static_cast<int>(value);
}

std::string PortDisplayName(const std::string& description, const std::string& portName)
{
    const int number = ParsePortNumber(portName);
    const std::string shown = number >= 0 ? "COM" + std::to_string(number) : portName;
    if (!shown.empty() && description.find(shown) != std::string::npos)
        return description;
    return description + " (" + shown + ")";
}

int ComparePortNames(std::string_view a, std::string_view b)
{
    if (const int c = CompareNatural(a, b); c != 0)
        return c;
    // ttyS01 and ttyS1 are different ports: keep them apart.
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
