#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The device clock registers: high byte year - 2000, low byte month; high byte
// day, low byte hour; high byte minute, low byte second; every byte two BCD digits.
using SimClockWords = std::array<std::uint16_t, 3>;

// Seconds of a calendar date and time counted as if it were UTC, so that
// differences between clock readings never meet a daylight-saving step.
std::int64_t SimCalendarSeconds(int year, int month, int day, int hour, int minute, int second);

SimClockWords SimEncodeClock(std::int64_t calendarSeconds);
// The calendar seconds of valid clock words; nothing for a bad BCD digit or a
// date or time that does not exist.
std::optional<std::int64_t> SimDecodeClock(const SimClockWords& words);
// Calendar seconds of the local wall-clock time of a Unix time.
std::int64_t SimLocalCalendarSeconds(std::int64_t unixTime);
