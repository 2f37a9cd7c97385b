#include <gtest/gtest.h>

#include "comm/SerialLine.h"

namespace {

ComSettings WithAllPorts(ConnectionMode mode)
{
    ComSettings s;
    s.mode = mode;
    s.comPortName = "/dev/ttyUSB0";
    s.comPortDisplayName = "RS-485 (ttyUSB0)";
    s.irPortName = "/dev/ttyUSB1";
    s.irPortDisplayName = "IR (ttyUSB1)";
    s.configPortName = "/dev/ttyUSB2";
    s.configPortDisplayName = "Cable (ttyUSB2)";
    // The user's RS-485 line: 9600 baud, even parity, two stop bits.
    s.baudIndex = 3;
    s.parity = SerialParity::Even;
    s.stopIndex = 1;
    return s;
}

} // namespace

TEST(SerialLine, EachModeOpensItsOwnPort)
{
    const SerialLineSettings rs485 = SerialLineFor(WithAllPorts(ConnectionMode::Rs485));
    EXPECT_EQ(rs485.portName, "/dev/ttyUSB0");
    EXPECT_EQ(rs485.displayName, "RS-485 (ttyUSB0)");
    const SerialLineSettings ir = SerialLineFor(WithAllPorts(ConnectionMode::Infrared));
    EXPECT_EQ(ir.portName, "/dev/ttyUSB1");
    EXPECT_EQ(ir.displayName, "IR (ttyUSB1)");
    const SerialLineSettings config = SerialLineFor(WithAllPorts(ConnectionMode::Config));
    EXPECT_EQ(config.portName, "/dev/ttyUSB2");
    EXPECT_EQ(config.displayName, "Cable (ttyUSB2)");
}

TEST(SerialLine, Rs485RunsTheUsersLine)
{
    const SerialLineSettings line = SerialLineFor(WithAllPorts(ConnectionMode::Rs485));
    EXPECT_EQ(line.baudRate, 9600);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_EQ(line.parity, SerialParity::Even);
    EXPECT_EQ(line.stopBits, 2);
}

TEST(SerialLine, InfraredAndConfigIgnoreTheUsersLine)
{
    const SerialLineSettings ir = SerialLineFor(WithAllPorts(ConnectionMode::Infrared));
    EXPECT_EQ(ir.baudRate, 1200);
    EXPECT_EQ(ir.dataBits, 8);
    EXPECT_EQ(ir.parity, SerialParity::Odd);
    EXPECT_EQ(ir.stopBits, 1);
    const SerialLineSettings config = SerialLineFor(WithAllPorts(ConnectionMode::Config));
    EXPECT_EQ(config.baudRate, 38400);
    EXPECT_EQ(config.dataBits, 8);
    EXPECT_EQ(config.parity, SerialParity::Odd);
    EXPECT_EQ(config.stopBits, 1);
}

TEST(SerialLine, UnknownModeRunsAsInfrared)
{
    ComSettings s = WithAllPorts(ConnectionMode::Rs485);
    s.mode = static_cast<ConnectionMode>(7);
    const SerialLineSettings line = SerialLineFor(s);
    EXPECT_EQ(line.portName, "/dev/ttyUSB1");
    EXPECT_EQ(line.baudRate, 1200);
}

struct BaudCase {
    int index;
    int baud;
};

class SerialLineBaud : public testing::TestWithParam<BaudCase> {};

TEST_P(SerialLineBaud, IndexGivesRateAndOutOfRangeRuns1200)
{
    ComSettings s = WithAllPorts(ConnectionMode::Rs485);
    s.baudIndex = GetParam().index;
    EXPECT_EQ(SerialLineFor(s).baudRate, GetParam().baud);
    EXPECT_EQ(BaudRateForIndex(GetParam().index), GetParam().baud);
}

INSTANTIATE_TEST_SUITE_P(AllIndexes, SerialLineBaud,
                         testing::Values(BaudCase{0, 1200}, BaudCase{1, 2400}, BaudCase{2, 4800},
                                         BaudCase{3, 9600}, BaudCase{4, 19200}, BaudCase{5, 38400},
                                         BaudCase{6, 1200}, BaudCase{7, 1200}, BaudCase{-1, 1200}));

TEST(SerialLine, OddFrameIndexesFallBackAsTheDriverTableSays)
{
    ComSettings s = WithAllPorts(ConnectionMode::Rs485);
    s.characterIndex = 0;
    s.stopIndex = 0;
    s.parity = SerialParity::None;
    SerialLineSettings line = SerialLineFor(s);
    EXPECT_EQ(line.dataBits, 7);
    EXPECT_EQ(line.stopBits, 1);
    EXPECT_EQ(line.parity, SerialParity::None);

    s.characterIndex = 4;
    s.stopIndex = 3;
    s.parity = SerialParity::Odd;
    line = SerialLineFor(s);
    EXPECT_EQ(line.dataBits, 7);
    EXPECT_EQ(line.stopBits, 1);
    EXPECT_EQ(line.parity, SerialParity::Odd);
}
