#include <gtest/gtest.h>

#include "CliCommandLine.h"

namespace {

CliOptions Parse(std::vector<std::string> args)
{
    args.insert(args.begin(), {"--tcp", "127.0.0.1"});
    return ParseCliCommandLine(args);
}

TEST(CliUtilityCommandLineTest, ResetTakesItsTargetAndOptions)
{
    const CliOptions o = Parse({"reset", "maxmin", "--circuits", "a,C,common", "--yes"});
    EXPECT_EQ(o.command, CliCommand::Reset);
    EXPECT_EQ(o.resetTarget, CliResetTarget::MaxMin);
    EXPECT_EQ(o.circuits,
              (std::vector<CliCircuit>{CliCircuit::A, CliCircuit::C, CliCircuit::Common}));
    EXPECT_TRUE(o.yes);
    EXPECT_EQ(Parse({"--channel", "2", "reset", "energy"}).channel, 2);
    for (const auto& bad :
         std::vector<std::vector<std::string>>{{"reset"},
                                               {"reset", "everything"},
                                               {"reset", "energy", "extra"},
                                               {"reset", "energy", "--circuits", "A,E"},
                                               {"reset", "energy", "--channel", "17"},
                                               {"reset", "energy", "--tag", "x"},
                                               {"clock", "--sync", "--set", "2024-01-01T00:00:00"},
                                               {"clock", "--set", "2024-1-1T00:00:00"},
                                               {"clock", "--set", "2023-02-29T00:00:00"},
                                               {"info", "--sync"}})
        EXPECT_THROW(Parse(bad), CliUsageError) << bad.back();
}

TEST(CliUtilityCommandLineTest, ClockSetIsReadAsTheDialogReadsItsFields)
{
    const CliOptions o = Parse({"clock", "--set", "2024-02-29T23:59:58"});
    ASSERT_TRUE(o.clockSet);
    EXPECT_EQ(*o.clockSet, (DeviceDateTime{2024, 2, 29, 23, 59, 58}));
    EXPECT_TRUE(Parse({"clock", "--sync", "--passcode", "12"}).clockSync);
    EXPECT_EQ(Parse({"info", "--tag", "Pump 7"}).tag, "Pump 7");
}

} // namespace
