#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CliSimulatorFixture.h"

namespace fs = std::filesystem;

namespace {

// A device simulator process logging its requests, and ormel-cli against it
// with its input from a pipe, never a terminal.
class CliUtilityTest : public CliSimulatorTest {
protected:
    ProcessResult Run(std::vector<std::string> args, const std::string& input = "")
    {
        args.insert(args.begin(), {"--tcp", endpoint_});
        return RunToEnd(BuiltProgram("ormel-cli"), args, input);
    }
    std::vector<std::string> Log() const { return LogLines(); }
    int Logged(const std::string& text) const
    {
        int n = 0;
        for (const auto& line : Log())
            n += line.find(text) != std::string::npos;
        return n;
    }
};

TEST_F(CliUtilityTest, ResetWithYesUnlocksResetsAndLocksAgain)
{
    StartDevice({"--type", "70", "--passcode", "1234"});
    const ProcessResult r = Run({"reset", "energy", "--passcode", "1234", "--yes"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Logged("fn=16 addr=5329 count=1 values=1 -> ok"), 1);
    const auto log = Log();
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back().find("fn=16 addr=4942 count=2 values=0,0 -> ok"), std::string::npos)
        << log.back();
}

TEST_F(CliUtilityTest, ResetWithoutTerminalOrYesIsRefused)
{
    StartDevice({"--type", "70"});
    const ProcessResult r = Run({"reset", "energy"}, "y\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--yes"), std::string::npos) << r.err;
    EXPECT_EQ(Logged("fn=16"), 0);
}

TEST_F(CliUtilityTest, CommandsTheUtilityWindowDisablesAreRefusedWithTheReason)
{
    StartDevice({"--type", "83"}); // ZNPW: no demand, no counters
    for (const char* target : {"demand", "counter", "alarm"}) {
        const ProcessResult r = Run({"reset", target, "--yes"});
        EXPECT_EQ(r.status, 2) << target;
        EXPECT_EQ(r.err.rfind(std::string("ormel-cli: reset ") + target + ": ", 0), 0u) << r.err;
    }
    EXPECT_EQ(Logged("fn=16"), 0);
    const ProcessResult clock = Run({"clock"});
    EXPECT_EQ(clock.status, 2);
}

TEST_F(CliUtilityTest, ZnCircuitsAreTheChoosersBitMask)
{
    StartDevice({"--type", "83"});
    ASSERT_EQ(Run({"reset", "energy", "--circuits", "B,D", "--yes"}).status, 0);
    ASSERT_EQ(Run({"reset", "maxmin", "--yes"}).status, 0);
    EXPECT_EQ(Logged("fn=16 addr=5329 count=1 values=10 -> ok"), 1);
    EXPECT_EQ(Logged("fn=16 addr=5329 count=1 values=496 -> ok"), 1);
}

TEST_F(CliUtilityTest, QhChannelResetAndClock)
{
    StartDevice({"--type", "52"});
    ASSERT_EQ(Run({"reset", "energy", "--channel", "3", "--yes"}).status, 0);
    EXPECT_EQ(Logged("fn=16 addr=8997 count=1 values=1 -> ok"), 1);
    EXPECT_EQ(Run({"reset", "energy", "--channel", "9", "--yes"}).status, 2);

    const ProcessResult set = Run({"clock", "--set", "2024-02-29T12:00:00", "--yes"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out.rfind("2024/02/29 12:00:0", 0), 0u) << set.out;
    EXPECT_EQ(Logged("fn=16 addr=9104 count=3 values=9218,10514,0 -> ok"), 1);
    const ProcessResult bad = Run({"clock", "--set", "2023-02-29T12:00:00", "--yes"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("Error input date."), std::string::npos) << bad.err;
}

} // namespace
