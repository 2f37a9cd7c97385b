#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// A calendar date and time as the device clock holds it (years 2000-2099).
struct DeviceDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DeviceDateTime&) const = default;
};

// Registers 9104-9106 in BCD: high byte year - 2000, low byte month; high
// byte day, low byte hour; high byte minute, low byte second.
using ClockWords = std::array<std::uint16_t, 3>;

ClockWords EncodeClock(const DeviceDateTime& time);
// Digit by digit, without checking the digits or the date.
DeviceDateTime DecodeClock(const ClockWords& words);

int BcdToInt(std::uint8_t bcd);
std::uint8_t IntToBcd(int value); // 0-99

// "%04d/%02d/%02d %02d:%02d:%02d"
std::string FormatDateTime(const DeviceDateTime& time);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// The next second, carrying into minutes, hours, days, months and years.
DeviceDateTime AddOneSecond(const DeviceDateTime& time);

// The edits of "Set Date and Time" in their tab order.
enum class DateField { Year, Month, Day, Hour, Minute, Second };
struct DateEdits {
    std::string year, month, day, hour, minute, second;
};
// "Set" reads the edits: year 2000-2099, month 1-12, a day the month has,
// hour 0-23, minute and second 0-59; an hour, minute or second that is not a
// number counts as 0. On failure the first invalid field (the one to focus)
// and the text 11030 "Error input date." are given.
struct DateInputResult {
    std::optional<DeviceDateTime> value;
    DateField invalidField = DateField::Year;
    std::string error;
};
DateInputResult ReadDateEdits(const DateEdits& edits);
