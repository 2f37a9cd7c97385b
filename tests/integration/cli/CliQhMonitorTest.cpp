#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "CliSimulatorFixture.h"

// ormel-cli monitor on the QH family against ormel-devsim: the basic module,
// the second block of the extension module or the pulse inputs, and --detail.

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The blocks of one cycle's printout, split at blank lines.
std::vector<std::vector<std::string>> Blocks(const std::string& text)
{
    std::vector<std::vector<std::string>> blocks(1);
    for (const std::string& line : Lines(text)) {
        if (line.empty())
            blocks.emplace_back();
        else
            blocks.back().push_back(line);
    }
    while (!blocks.empty() && blocks.back().empty())
        blocks.pop_back();
    return blocks;
}

std::string TextOf(const std::vector<std::string>& block, int item)
{
    const std::string prefix = std::to_string(item) + "\t";
    for (const std::string& line : block)
        if (line.rfind(prefix, 0) == 0)
            return line.substr(prefix.size());
    return "(missing)";
}

class CliQhMonitorTest : public CliSimulatorTest {
protected:
    ProcessResult Monitor(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--tcp", endpoint_, "monitor", "--count", "1"});
        return RunToEnd(BuiltProgram("ormel-cli"), args);
    }
    // (address, count) of the read requests in the device's log.
    std::vector<std::pair<int, int>> Reads() const
    {
        static const std::regex read(R"(fn=4 addr=(\d+) count=(\d+))");
        std::vector<std::pair<int, int>> reads;
        std::smatch m;
        for (const std::string& line : LogLines())
            if (std::regex_search(line, m, read))
                reads.emplace_back(std::stoi(m[1]), std::stoi(m[2]));
        return reads;
    }
    bool ReadAt(int address, int count) const
    {
        for (const auto& r : Reads())
            if (r == std::pair{address, count})
                return true;
        return false;
    }
};

TEST_F(CliQhMonitorTest, EightChannelsPrintTheBasicModuleAndTheClock)
{
    StartDevice({"--type", "52", "--clock", "2024-12-15 08:30:00"});
    const ProcessResult r = Monitor({});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto blocks = Blocks(r.out);
    ASSERT_EQ(blocks.size(), 1u) << r.out;
    const auto& basic = blocks[0];
    // Per channel: EP, EQ LAG, latest hour, 24 hours, I1-I3, P, PF; then the clock.
    EXPECT_EQ(basic.size(), 8u * (3 + 24 + 5) + 2);
    EXPECT_EQ(basic.front(), "398\t" + TextOf(basic, 398));
    EXPECT_TRUE(std::regex_match(TextOf(basic, 398), std::regex(R"(\d+\.\d)")));
    EXPECT_TRUE(std::regex_match(TextOf(basic, 886 + 15 * 7), std::regex(R"(\d+\.\d{3})")));
    EXPECT_TRUE(std::regex_match(TextOf(basic, 1021), std::regex(R"(-?\d\.\d{4})")));
    EXPECT_EQ(TextOf(basic, 1870), "2024/12/15");
    EXPECT_EQ(TextOf(basic, 1871).substr(0, 5), "08:30");
    EXPECT_EQ(TextOf(basic, 400), "(missing)"); // offsets 2 and 4 are not shown
    EXPECT_TRUE(ReadAt(5248, 58));
    EXPECT_FALSE(ReadAt(5440, 58));
}

TEST_F(CliQhMonitorTest, TheExtensionModuleFollowsAfterABlankLine)
{
    StartDevice({"--type", "64"});
    const ProcessResult r = Monitor({});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto blocks = Blocks(r.out);
    ASSERT_EQ(blocks.size(), 2u) << r.out;
    EXPECT_EQ(blocks[1].size(), 8u * (3 + 24 + 5));
    EXPECT_EQ(blocks[1].front().substr(0, 4), "398\t");
    EXPECT_EQ(TextOf(blocks[1], 1870), "(missing)");
    EXPECT_TRUE(ReadAt(6272, 58));
    EXPECT_TRUE(ReadAt(1344 + 96 * 7, 32));
    // Two modules, two sets of loads: the blocks are not copies of each other.
    EXPECT_NE(TextOf(blocks[0], 886), TextOf(blocks[1], 886));
}

TEST_F(CliQhMonitorTest, PulseInputsFollowAsCounters)
{
    StartDevice({"--type", "52", "--alt-io"});
    const ProcessResult r = Monitor({});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto blocks = Blocks(r.out);
    ASSERT_EQ(blocks.size(), 2u) << r.out;
    // Per input: its count, the latest hour and 24 hours.
    EXPECT_EQ(blocks[1].size(), 8u * (1 + 1 + 24));
    EXPECT_EQ(blocks[1].front().substr(0, 4), "630\t");
    EXPECT_TRUE(std::regex_match(TextOf(blocks[1], 630 + 29 * 7), std::regex(R"(\d+)")));
    EXPECT_EQ(TextOf(blocks[1], 886), "(missing)");
}

TEST_F(CliQhMonitorTest, DetailPrintsTheChannelsValuesThdAndSpectra)
{
    StartDevice({"--type", "64"});
    const ProcessResult r = Monitor({"--detail", "12"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto blocks = Blocks(r.out);
    ASSERT_EQ(blocks.size(), 1u) << r.out;
    const auto& lines = blocks[0];
    std::vector<std::string> spectra;
    for (const std::string& line : lines)
        if (line.rfind("spectrum ", 0) == 0)
            spectra.push_back(line);
    ASSERT_EQ(spectra.size(), 10u);
    for (int row = 0; row < 10; ++row) {
        const std::string& line = spectra[std::size_t(row)];
        EXPECT_EQ(line.substr(0, line.find('\t')), "spectrum " + std::to_string(row));
        EXPECT_TRUE(
            std::regex_match(line.substr(line.find('\t') + 1), std::regex(R"(\d+( \d+){14})")))
            << line;
    }
    for (int item : {862, 869, 877, 885, 890, 1009, 1021, 1053, 1392, 1401, 1402, 1447, 278, 375})
        EXPECT_NE(TextOf(lines, item), "(missing)") << item;
    // The demand extremes show their values, not the dates stored beside them.
    EXPECT_EQ(TextOf(lines, 1403), "(missing)");
    EXPECT_TRUE(std::regex_match(TextOf(lines, 1402), std::regex(R"(\d+\.\d{3})")));
    // Channel 12 of the extension module: its own registers.
    EXPECT_TRUE(ReadAt(64 + 32 * 11, 10));
    EXPECT_TRUE(ReadAt(2195 + 144 * 11 + 35, 2));
    EXPECT_TRUE(ReadAt(6480 + 8 * 11, 8));
    EXPECT_TRUE(ReadAt((419 + 44 + 3) * 16, 15));
    EXPECT_TRUE(ReadAt((409 + 9) * 16, 15));
    EXPECT_FALSE(ReadAt(4416, 58));
}

TEST_F(CliQhMonitorTest, DetailOutsideTheDevicesChannelsIsAUsageError)
{
    StartDevice({"--type", "52"});
    ProcessResult r = Monitor({"--detail", "9"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--detail"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    r = Monitor({"--detail", "17"});
    EXPECT_EQ(r.status, 2);
}

TEST_F(CliQhMonitorTest, DetailOnAnotherFamilyIsAUsageError)
{
    StartDevice({"--type", "70"});
    const ProcessResult r = Monitor({"--detail", "1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("QH"), std::string::npos) << r.err;
}

} // namespace
