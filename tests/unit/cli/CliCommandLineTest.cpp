#include <gtest/gtest.h>

#include "CliCommandLine.h"

namespace {

CliOptions Parse(std::vector<std::string> args)
{
    return ParseCliCommandLine(args);
}

TEST(CliConnection, TcpTakesPort502UnlessGiven)
{
    const CliOptions o = Parse({"--tcp", "192.168.0.9", "identify"});
    EXPECT_EQ(o.connection.Mode(), ConnectionMode::Tcp);
    EXPECT_EQ(o.connection.serverAddress, "192.168.0.9");
    EXPECT_EQ(o.connection.servicePort, "502");
    EXPECT_EQ(o.connection.address, 1);

    const CliOptions p = Parse({"--tcp", "plc.local:1502", "--unit", "247", "identify"});
    EXPECT_EQ(p.connection.serverAddress, "plc.local");
    EXPECT_EQ(p.connection.servicePort, "1502");
    EXPECT_EQ(p.connection.address, 247);
}

TEST(CliConnection, BracketedAddressKeepsItsColons)
{
    const CliOptions o = Parse({"--tcp", "[::1]:5020", "identify"});
    EXPECT_EQ(o.connection.serverAddress, "::1");
    EXPECT_EQ(o.connection.servicePort, "5020");
}

TEST(CliConnection, Rs485LineGoesIntoTheSettingsByIndex)
{
    const CliOptions o = Parse({"--serial", "/dev/ttyUSB0", "--baud", "9600", "--parity", "even",
                                "--stop", "2", "--unit", "17", "identify"});
    EXPECT_EQ(o.connection.Mode(), ConnectionMode::Rs485);
    EXPECT_EQ(o.connection.comPortName, "/dev/ttyUSB0");
    EXPECT_EQ(o.connection.baudIndex, 3);
    EXPECT_EQ(o.connection.parity, SerialParity::Even);
    EXPECT_EQ(o.connection.stopIndex, 1);
    EXPECT_EQ(o.connection.address, 17);
}

TEST(CliConnection, Rs485DefaultsAreTheDialogs)
{
    const CliOptions o = Parse({"--serial", "/dev/ttyS1", "identify"});
    EXPECT_EQ(o.connection.baudIndex, 5);
    EXPECT_EQ(o.connection.parity, SerialParity::Odd);
    EXPECT_EQ(o.connection.stopIndex, 0);
}

TEST(CliConnection, ConfigAndInfraredUseTheirOwnPortField)
{
    const CliOptions c = Parse({"--serial", "/dev/ttyACM0", "--mode", "config", "identify"});
    EXPECT_EQ(c.connection.Mode(), ConnectionMode::Config);
    EXPECT_EQ(c.connection.configPortName, "/dev/ttyACM0");
    EXPECT_TRUE(c.connection.comPortName.empty());

    const CliOptions i = Parse({"identify", "--mode", "ir", "--serial", "/dev/ttyACM1"});
    EXPECT_EQ(i.connection.Mode(), ConnectionMode::Infrared);
    EXPECT_EQ(i.connection.irPortName, "/dev/ttyACM1");
}

TEST(CliCommands, ReadTheirOptions)
{
    const CliOptions d = Parse({"--tcp", "h", "download", "-i", "a.cfg", "--passcode", "1234"});
    EXPECT_EQ(d.command, CliCommand::Download);
    EXPECT_EQ(d.inputPath, "a.cfg");
    EXPECT_EQ(d.passcode, 1234u);
    EXPECT_FALSE(d.verify);
    EXPECT_TRUE(Parse({"--tcp", "h", "download", "--verify", "-i", "a.cfg"}).verify);

    const CliOptions f = Parse({"defaults", "--type", "70", "-o", "x.cfg"});
    EXPECT_EQ(f.command, CliCommand::Defaults);
    EXPECT_EQ(f.typeId, 70);
    EXPECT_FALSE(f.connectionGiven);

    const CliOptions r = Parse({"report", "-i", "a.cfg", "--compare-file", "b.cfg", "--csv",
                                "o.csv", "--show-unable", "--verbose"});
    EXPECT_EQ(r.compare, CliCompareSource::File);
    EXPECT_EQ(r.compareFile, "b.cfg");
    EXPECT_EQ(r.csvPath, "o.csv");
    EXPECT_TRUE(r.showUnable);
    EXPECT_TRUE(r.verbose);

    const CliOptions v = Parse({"--serial", "/dev/x", "report", "-i", "a.cfg", "--compare-device"});
    EXPECT_EQ(v.compare, CliCompareSource::Device);
}

TEST(CliCommands, HelpWinsOverEverythingElse)
{
    EXPECT_TRUE(Parse({"bogus", "--help"}).help);
}

struct BadLine {
    std::vector<std::string> args;
    const char* mentions;
};

class CliUsage : public ::testing::TestWithParam<BadLine> {};

TEST_P(CliUsage, IsRejectedNamingTheProblem)
{
    try {
        Parse(GetParam().args);
        FAIL() << "accepted";
    } catch (const CliUsageError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().mentions), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CliUsage,
    ::testing::Values(
        BadLine{{}, "no command"}, BadLine{{"--tcp", "h", "explode"}, "unknown command"},
        BadLine{{"identify"}, "--tcp or --serial"},
        BadLine{{"--tcp", "h", "report", "-i", "a", "--compare-device", "x"}, "unexpected"},
        BadLine{{"report", "-i", "a", "--compare-device"}, "--tcp or --serial"},
        BadLine{{"--tcp", "h", "--serial", "/dev/x", "identify"}, "exclude"},
        BadLine{{"--tcp", "h:0", "identify"}, "--tcp"},
        BadLine{{"--tcp", "h:70000", "identify"}, "--tcp"},
        BadLine{{"--tcp", ":502", "identify"}, "no host"},
        BadLine{{"--tcp", "h", "--unit", "0", "identify"}, "--unit"},
        BadLine{{"--tcp", "h", "--unit", "248", "identify"}, "--unit"},
        BadLine{{"--tcp", "h", "--unit", "1x", "identify"}, "--unit"},
        BadLine{{"--tcp", "h", "--baud", "9600", "identify"}, "--serial only"},
        BadLine{{"--serial", "/dev/x", "--baud", "9601", "identify"}, "--baud"},
        BadLine{{"--serial", "/dev/x", "--parity", "mark", "identify"}, "--parity"},
        BadLine{{"--serial", "/dev/x", "--stop", "3", "identify"}, "--stop"},
        BadLine{{"--serial", "/dev/x", "--mode", "usb", "identify"}, "--mode"},
        BadLine{{"--serial", "/dev/x", "--mode", "config", "--unit", "5", "identify"},
                "--unit applies"},
        BadLine{{"--serial", "/dev/x", "--mode", "ir", "--baud", "9600", "identify"},
                "--baud applies"},
        BadLine{{"--unit", "3", "defaults", "--type", "1", "-o", "x"}, "need --tcp or --serial"},
        BadLine{{"--tcp", "h", "upload"}, "needs -o"},
        BadLine{{"--tcp", "h", "download"}, "needs -i"},
        BadLine{{"--tcp", "h", "download", "-i"}, "needs a value"},
        BadLine{{"--tcp", "h", "download", "-i", "a", "--passcode", "0"}, "--passcode"},
        BadLine{{"--tcp", "h", "download", "-i", "a", "--passcode", "1000000000"}, "--passcode"},
        BadLine{{"--tcp", "h", "upload", "-o", "a", "--passcode", "5"}, "not an option of upload"},
        BadLine{{"--tcp", "h", "upload", "-o", "a", "--verify"}, "not an option of upload"},
        BadLine{{"defaults", "-o", "x"}, "needs --type"},
        BadLine{{"defaults", "--type", "86", "-o", "x"}, "--type"},
        BadLine{{"defaults", "--type", "-1", "-o", "x"}, "--type"},
        BadLine{{"report", "-i", "a", "--compare-file", "b", "--compare-device"}, "exclude"},
        BadLine{{"report", "-i", "a", "--frobnicate"}, "unknown option"}));

} // namespace
