#pragma once

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "monitor/MonitorItemNames.h"

// One cycle of a monitor source: the text of each of its items, in item
// order, and the lines printed after them (the spectrum rows).
struct MonitorSnapshot {
    std::vector<std::string> texts;
    std::vector<std::string> extraLines;
};

// The printout of one cycle: "ITEM<TAB>TEXT" per item, the extra lines, then a
// blank line. Control characters of a text (a tag from the device may hold
// any byte) print as blanks, so one item stays one line.
std::string MonitorCycleText(const std::vector<MonitorItemName>& items,
                             const MonitorSnapshot& snapshot);

// A CSV field as the parameter report writes it: quoted, a double quote inside doubled.
std::string CsvField(const std::string& text);
// Fields joined by commas, ended by CR LF.
std::string CsvRecord(const std::vector<std::string>& fields);
// "Time", then "ITEM NAME" for each item.
std::vector<std::string> MonitorCsvHeader(const std::vector<MonitorItemName>& items);

// Seconds east of UTC, from the local and the UTC calendar time of one moment.
long UtcOffsetSeconds(const std::tm& local, const std::tm& utc);
// ISO 8601 with the offset in hours and minutes: "2026-12-09T10:15:00+01:00".
std::string Iso8601(const std::tm& local, long offsetSeconds);
// The local time of t in that form.
std::string Iso8601LocalTime(std::time_t t);

// A data log: one CSV row per cycle appended to a file, after a header row
// when the file is new or empty. Open and write errors throw
// CPrivateException ("Save error. " and the system's reason).
class CMonitorCsvLog {
public:
    CMonitorCsvLog(const std::string& path, const std::vector<std::string>& header);
    ~CMonitorCsvLog();
    CMonitorCsvLog(const CMonitorCsvLog&) = delete;
    CMonitorCsvLog& operator=(const CMonitorCsvLog&) = delete;

    // Each row reaches the file before this returns.
    void Append(const std::vector<std::string>& fields);

private:
    [[noreturn]] static void Fail(int errorCode);

    std::FILE* file_ = nullptr;
};
