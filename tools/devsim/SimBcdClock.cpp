#include "SimBcdClock.h"

#include <ctime>

namespace {

std::uint16_t Bcd(int value)
{
    return static_cast<std::uint16_t>(((value / 10) << 4) | (value % 10));
}

std::optional<int> FromBcd(int byte)
{
    const int high = byte >> 4, low = byte & 0x0F;
    if (high > 9 || low > 9)
        return std::nullopt;
    return high * 10 + low;
}

bool LeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && LeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = static_cast<int>(y - era * 400);
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace

std::int64_t SimCalendarSeconds(int year, int month, int day, int hour, int minute, int second)
{
    return DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

SimClockWords SimEncodeClock(std::int64_t calendarSeconds)
{
    const std::time_t t = static_cast<std::time_t>(calendarSeconds);
    std::tm tm{};
    gmtime_r(&t, &tm);
    const int year = (tm.tm_year + 1900 - 2000) % 100;
    return {static_cast<std::uint16_t>((Bcd(year) << 8) | Bcd(tm.tm_mon + 1)),
            static_cast<std::uint16_t>((Bcd(tm.tm_mday) << 8) | Bcd(tm.tm_hour)),
            static_cast<std::uint16_t>((Bcd(tm.tm_min) << 8) | Bcd(tm.tm_sec))};
}

std::optional<std::int64_t> SimDecodeClock(const SimClockWords& w)
{
    const auto year = FromBcd(w[0] >> 8), month = FromBcd(w[0] & 0xFF);
    const auto day = FromBcd(w[1] >> 8), hour = FromBcd(w[1] & 0xFF);
    const auto minute = FromBcd(w[2] >> 8), second = FromBcd(w[2] & 0xFF);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(2000 + *year, *month))
        return std::nullopt;
    if (*hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return SimCalendarSeconds(2000 + *year, *month, *day, *hour, *minute, *second);
}

std::int64_t SimLocalCalendarSeconds(std::int64_t unixTime)
{
    const std::time_t t = static_cast<std::time_t>(unixTime);
    std::tm tm{};
    localtime_r(&t, &tm);
    return SimCalendarSeconds(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                              tm.tm_sec);
}
