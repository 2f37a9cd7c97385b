#include <gtest/gtest.h>

#include "SimBcdClock.h"
#include "SimCommandLine.h"

namespace {

SimCommandLine Parse(std::vector<std::string> args)
{
    return ParseSimCommandLine(args);
}

TEST(SimCommandLine, ScenarioOptionsFillTheScenario)
{
    const SimCommandLine cl =
        Parse({"--type", "70", "--installation", "--current", "150", "--lead", "--power-factor",
               "0.85", "--load", "40", "--loop-test", "1", "--clock", "2024-02-29 23:59:58"});
    const SimScenario& s = cl.options.scenario;
    EXPECT_EQ(s.wiring, 5);
    EXPECT_EQ(s.primaryCurrent, 150); // given alongside --installation
    EXPECT_EQ(s.primaryVoltage, 400);
    EXPECT_EQ(s.tag, "LV-MAIN-01");
    EXPECT_TRUE(s.leading);
    EXPECT_DOUBLE_EQ(s.powerFactor, 0.85);
    EXPECT_DOUBLE_EQ(s.load, 0.40);
    EXPECT_EQ(s.loopTestChannels, std::vector<int>{1});
    EXPECT_EQ(s.clockStart, SimCalendarSeconds(2024, 2, 29, 23, 59, 58));
}

TEST(SimCommandLine, ChannelsReplaceTheFourthIoWordOfTheRow)
{
    EXPECT_EQ(Parse({"--type", "52", "--channels", "4"}).options.ioWords,
              (std::array<std::uint16_t, 5>{0, 0, 0, 4, 0}));
    EXPECT_EQ(Parse({"--type", "52", "--alt-io", "--channels", "6"}).options.ioWords,
              (std::array<std::uint16_t, 5>{8, 8, 0, 6, 8}));
    EXPECT_EQ(Parse({"--type", "52", "--io", "1,2,3,4,5"}).options.ioWords,
              (std::array<std::uint16_t, 5>{1, 2, 3, 4, 5}));
}

TEST(SimCommandLine, IgnoredWriteNamesOneRegister)
{
    EXPECT_EQ(Parse({"--type", "70"}).options.faults.ignoreWriteAddress, -1);
    EXPECT_EQ(
        Parse({"--type", "70", "--ignore-write-at", "5603"}).options.faults.ignoreWriteAddress,
        5603);
    EXPECT_THROW(Parse({"--type", "70", "--ignore-write-at", "65536"}), std::invalid_argument);
}

TEST(SimCommandLine, RejectsValuesOutsideTheirRange)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--type", "70", "--clock", "2023-02-29 00:00:00"},
          {"--type", "70", "--clock", "2024-01-01 24:00:00"},
          {"--type", "70", "--io", "1,2,3,4"},
          {"--type", "70", "--frequency", "55"},
          {"--type", "70", "--power-factor", "1.5"},
          {"--type", "70", "--tag", "SEVENTEEN-BYTES-X"},
          {"--type", "70", "--voltage", "49"},
          {"--type", "70", "--loop-test", "0"},
          {"--type", "70", "--ignore-write-at", "65536"}})
        EXPECT_THROW(Parse(args), std::invalid_argument) << args[2] << " " << args[3];
}

} // namespace
