#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/CPrivateException.h"
#include "device/ReportCsv.h"
#include "support/PlatformFilesScope.h"

namespace {

namespace fs = std::filesystem;

// Texts for three words only; every other word shows nothing.
class ScriptedEnumeration : public CParameterEnumerationInterface {
public:
    std::string GroupText(int word, const ParameterSet&) const override
    {
        return word < 2 ? "Display" : "Tariff \"peak\"";
    }
    std::string NameText(int word) const override { return "Name " + std::to_string(word); }
    std::string ValueText(int word, const ParameterSet& set) const override
    {
        const auto it = values_.find(word);
        if (it == values_.end())
            return {};
        return set[word] == 0 ? "" : it->second + std::to_string(set[word]);
    }

private:
    std::map<int, std::string> values_ = {{0, "a,"}, {1, "\"q\" "}, {28, "\xE6\x97\xA5"}};
};

ParameterSet Words(int w0, int w1, int w28)
{
    ParameterSet set;
    set[0] = static_cast<std::uint16_t>(w0);
    set[1] = static_cast<std::uint16_t>(w1);
    set[28] = static_cast<std::uint16_t>(w28);
    return set;
}

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "ormel-csv-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const ScriptedEnumeration kScripted;

} // namespace

TEST(ReportCsv, KnownReportGivesExactBytes)
{
    CParameterReport report(Words(1, 2, 3), kScripted);
    report.SetHideUnable(true);
    EXPECT_EQ(BuildReportCsv(report), "\"Display\",\"Name 0\",\"a,1\"\r\n"
                                      "\"Display\",\"Name 1\",\"\"\"q\"\" 2\"\r\n"
                                      "\"Tariff \"\"peak\"\"\",\"Name 28\",\"\xE6\x97\xA5"
                                      "3\"\r\n");
}

TEST(ReportCsv, CompareModeAddsTheComparisonValue)
{
    CParameterReport report(Words(1, 0, 3), kScripted);
    report.CompareWithDevice(Words(1, 2, 0));
    report.SetHideUnable(true);
    EXPECT_EQ(BuildReportCsv(report), "\"Display\",\"Name 0\",\"a,1\",\"a,1\"\r\n"
                                      "\"Display\",\"Name 1\",\"\",\"\"\"q\"\" 2\"\r\n"
                                      "\"Tariff \"\"peak\"\"\",\"Name 28\",\"\xE6\x97\xA5"
                                      "3\",\"\"\r\n");
}

TEST(ReportCsv, WithoutHideEveryRowIsWritten)
{
    CParameterReport report(Words(1, 2, 3), kScripted);
    const std::string csv = BuildReportCsv(report);
    size_t lines = 0;
    for (size_t at = csv.find("\r\n"); at != std::string::npos; at = csv.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, report.Rows().size());
    EXPECT_EQ(csv.find('\n'), csv.find("\r\n") + 1);
}

TEST(ReportCsv, RealReportStartsWithTheOperationMode)
{
    ParameterSet set;
    CParameterReport report(set);
    report.SetHideUnable(true);
    const std::string csv = BuildReportCsv(report);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n") + 2),
              "\"Display\",\"Operation mode\",\"All key operations are available\"\r\n");
}

TEST(ReportCsvFile, WritesTheBytesWithoutByteOrderMark)
{
    const CPlatformFilesScope files;
    TempDir dir;
    const std::string path = dir.File("report.csv");
    {
        std::ofstream(path, std::ios::binary) << "an older, longer export that must go away";
    }
    CParameterReport report(Words(1, 2, 3), kScripted);
    report.SetHideUnable(true);
    ExportReportCsv(report, path);
    EXPECT_EQ(ReadFile(path), BuildReportCsv(report));
    EXPECT_EQ(ReadFile(path).substr(0, 1), "\"");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(ReportCsvFile, MissingFolderIsReportedAsASaveError)
{
    const CPlatformFilesScope files;
    TempDir dir;
    const CParameterReport report(Words(1, 2, 3), kScripted);
    try {
        ExportReportCsv(report, dir.File("no such folder/report.csv"));
        FAIL() << "no error reported";
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), "Save error. " + SystemErrorText(ENOENT));
    }
}

TEST(ReportCsvFile, DirectoryInTheWayIsReportedAndLeftAlone)
{
    const CPlatformFilesScope files;
    TempDir dir;
    const std::string path = dir.File("report.csv");
    fs::create_directory(path);
    const CParameterReport report(Words(1, 2, 3), kScripted);
    EXPECT_THROW(ExportReportCsv(report, path), CPrivateException);
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}
