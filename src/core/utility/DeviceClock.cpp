#include "utility/DeviceClock.h"

#include <cstdio>

#include "text/CStringTable.h"

namespace {

constexpr int kTextErrorInputDate = 11030;
constexpr int kFirstYear = 2000;
constexpr int kLastYear = 2099;

std::uint8_t High(std::uint16_t w)
{
    return static_cast<std::uint8_t>(w >> 8);
}

std::uint8_t Low(std::uint16_t w)
{
    return static_cast<std::uint8_t>(w & 0xFF);
}

std::uint16_t Pair(int high, int low)
{
    return static_cast<std::uint16_t>((IntToBcd(high) << 8) | IntToBcd(low));
}

// Decimal digits only (surrounding blanks allowed); anything else is not a number.
std::optional<int> Number(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    long value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 100000)
            return 100000; // far outside every range
    }
    return static_cast<int>(value);
}

} // namespace

int BcdToInt(std::uint8_t bcd)
{
    return (bcd >> 4) * 10 + (bcd & 0x0F);
}

std::uint8_t IntToBcd(int value)
{
    const int v = value < 0 ? 0 : value % 100;
    return static_cast<std::uint8_t>(((v / 10) << 4) | (v % 10));
}

ClockWords EncodeClock(const DeviceDateTime& t)
{
    return {Pair(t.year - kFirstYear, t.month), Pair(t.day, t.hour), Pair(t.minute, t.second)};
}

DeviceDateTime DecodeClock(const ClockWords& w)
{
    return {kFirstYear + BcdToInt(High(w[0])),
            BcdToInt(Low(w[0])),
            BcdToInt(High(w[1])),
            BcdToInt(Low(w[1])),
            BcdToInt(High(w[2])),
            BcdToInt(Low(w[2]))};
}

std::string FormatDateTime(const DeviceDateTime& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

DeviceDateTime AddOneSecond(const DeviceDateTime& time)
{
    DeviceDateTime t = time;
    if (++t.second < 60)
        return t;
    t.second = 0;
    if (++t.minute < 60)
        return t;
    t.minute = 0;
    if (++t.hour < 24)
        return t;
    t.hour = 0;
    if (++t.day <= DaysInMonth(t.year, t.month))
        return t;
    t.day = 1;
    if (++t.month <= 12)
        return t;
    t.month = 1;
    ++t.year;
    return t;
}

DateInputResult ReadDateEdits(const DateEdits& e)
{
    DateInputResult result;
    const auto fail = [&](DateField field) {
        result.invalidField = field;
        result.error = LoadText(kTextErrorInputDate);
        return result;
    };
    DeviceDateTime t;
    const auto year = Number(e.year);
    if (!year || *year < kFirstYear || *year > kLastYear)
        return fail(DateField::Year);
    t.year = *year;
    const auto month = Number(e.month);
    if (!month || *month < 1 || *month > 12)
        return fail(DateField::Month);
    t.month = *month;
    const auto day = Number(e.day);
    if (!day || *day < 1 || *day > DaysInMonth(t.year, t.month))
        return fail(DateField::Day);
    t.day = *day;
    t.hour = Number(e.hour).value_or(0);
    if (t.hour > 23)
        return fail(DateField::Hour);
    t.minute = Number(e.minute).value_or(0);
    if (t.minute > 59)
        return fail(DateField::Minute);
    t.second = Number(e.second).value_or(0);
    if (t.second > 59)
        return fail(DateField::Second);
    result.value = t;
    return result;
}
