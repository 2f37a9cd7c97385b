#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "CliMonitorFormat.h"
#include "app/CPrivateException.h"
#include "monitor/FormatKinds.h"
#include "monitor/MonitorItemNames.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::tm Calendar(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

struct OffsetCase {
    std::tm local;
    std::tm utc;
    long offset;
    const char* text;
};

class UtcOffset : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(UtcOffset, ComesFromTheTwoCalendarTimesAndPrintsAsHoursAndMinutes)
{
    const OffsetCase& c = GetParam();
    EXPECT_EQ(UtcOffsetSeconds(c.local, c.utc), c.offset);
    EXPECT_EQ(Iso8601(c.local, c.offset), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, UtcOffset,
    ::testing::Values(OffsetCase{Calendar(2026, 12, 9, 10, 15, 0), Calendar(2026, 12, 9, 9, 15, 0),
                                 3600, "2026-12-09T10:15:00+01:00"},
                      OffsetCase{Calendar(2026, 7, 1, 8, 5, 9), Calendar(2026, 7, 1, 8, 5, 9), 0,
                                 "2026-07-01T08:05:09+00:00"},
                      // Behind UTC, across the turn of the year.
                      OffsetCase{Calendar(2026, 12, 31, 19, 0, 0), Calendar(2027, 1, 1, 0, 30, 0),
                                 -19800, "2026-12-31T19:00:00-05:30"},
                      // Ahead, across the end of February in a leap year.
                      OffsetCase{Calendar(2028, 3, 1, 5, 44, 59), Calendar(2028, 2, 29, 23, 59, 59),
                                 20700, "2028-03-01T05:44:59+05:45"},
                      OffsetCase{Calendar(2026, 1, 1, 0, 0, 0), Calendar(2025, 12, 31, 10, 0, 0),
                                 50400, "2026-01-01T00:00:00+14:00"}));

TEST(MonitorCsv, QuotesEveryFieldAndDoublesQuotesInside)
{
    EXPECT_EQ(CsvRecord({"Time", "15 U1N", "say \"hi\"", ""}),
              "\"Time\",\"15 U1N\",\"say \"\"hi\"\"\",\"\"\r\n");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
}

TEST(MonitorCsv, ControlCharactersOfADeviceTextAreBlanks)
{
    EXPECT_EQ(CsvField("TAG\r\n1\t2"), "\"TAG  1 2\"");
    const std::vector<MonitorItemName> items = {{1878, "Tag No."}, {1879, "Ao1"}};
    EXPECT_EQ(MonitorCycleText(items, {{"A\nB\tC", "4.00"}, {"spectrum 0\t1 2"}}),
              "1878\tA B C\n1879\t4.00\nspectrum 0\t1 2\n\n");
}

class MonitorCsvLogTest : public ::testing::Test {
protected:
    std::string Read(const fs::path& path) const
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    TempDir scratch_;
    const fs::path& dir_ = scratch_.Path();
};

TEST_F(MonitorCsvLogTest, HeaderOnlyWhenTheFileIsNewOrEmpty)
{
    const fs::path path = dir_ / "log.csv";
    std::ofstream(path).close(); // empty
    {
        CMonitorCsvLog log(path.string(), {"Time", "1 U"});
        log.Append({"t1", "1.00"});
    }
    {
        CMonitorCsvLog log(path.string(), {"Time", "1 U"});
        log.Append({"t2", "2.00"});
    }
    EXPECT_EQ(Read(path), "\"Time\",\"1 U\"\r\n\"t1\",\"1.00\"\r\n\"t2\",\"2.00\"\r\n");
}

TEST_F(MonitorCsvLogTest, OpenAndWriteErrorsAreSaveErrors)
{
    try {
        CMonitorCsvLog log((dir_ / "missing" / "log.csv").string(), {"Time"});
        FAIL() << "opened";
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), "Save error. No such file or directory");
    }
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    try {
        CMonitorCsvLog log("/dev/full", {"Time"});
        log.Append({"t1"});
        FAIL() << "written";
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), "Save error. No space left on device");
    }
}

TEST(StandardMonitorItemNames, AscendingUniqueAndEachARenderedItem)
{
    const std::vector<MonitorItemName>& names = StandardMonitorItemNames();
    std::set<std::string> seen;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(names[i - 1].item, names[i].item);
        }
        EXPECT_TRUE(seen.insert(names[i].name).second) << names[i].name;
        // No fraction, lead/lag or unfilled item slips in.
        const FormatKind kind = FormatKindOf(names[i].item);
        EXPECT_NE(kind, FormatKind::None) << names[i].item;
        EXPECT_NE(kind, FormatKind::LeadLag) << names[i].item;
    }
    // Block ends, where an offset would show.
    const auto nameOf = [&](int item) {
        for (const auto& n : names)
            if (n.item == item)
                return n.name;
        return std::string();
    };
    EXPECT_EQ(nameOf(73), "EQ-LAG");
    EXPECT_EQ(nameOf(80), "EP low");
    EXPECT_EQ(nameOf(217), "S demand history4");
    EXPECT_EQ(nameOf(336), "PF3 min");
    EXPECT_EQ(names.size(), 203u);
}

} // namespace
