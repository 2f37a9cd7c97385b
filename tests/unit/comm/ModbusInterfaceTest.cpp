#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DeviceReplies.h"
#include "app/CPrivateException.h"
#include "app/DebugLog.h"
#include "comm/CModbusInterface.h"

using testing::Each;
using testing::ElementsAre;

namespace {

class ModbusInterfaceTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTransportFactory(&factory_);
        SetDebugSink([this](const std::string& line) { debug_.push_back(line); });
        modbus_.SetPauseFunction([this](int ms) { pauses_.push_back(ms); });
    }
    void TearDown() override
    {
        modbus_.Close();
        SetDebugSink(nullptr);
        SetTransportFactory(nullptr);
    }

    void OpenIn(ConnectionMode mode, int address = 1, int baudIndex = 5)
    {
        ComSettings s;
        s.mode = mode;
        s.address = address;
        s.baudIndex = baudIndex;
        s.comPortName = "/dev/ttyS4";
        s.serverAddress = "10.1.2.3";
        s.servicePort = "1502";
        modbus_.SetSettings(s);
        modbus_.Open();
    }

    // Runs op and returns the text of the exception it must throw.
    template <typename Op> std::string FailureOf(Op op)
    {
        try {
            op();
        } catch (const CPrivateException& e) {
            return e.Text();
        }
        ADD_FAILURE() << "no exception";
        return "<none>";
    }

    int Count(const std::string& line) const
    {
        return static_cast<int>(std::count(debug_.begin(), debug_.end(), line));
    }

    std::shared_ptr<FakeLink> link_ = std::make_shared<FakeLink>();
    FakeTransportFactory factory_{link_};
    CModbusInterface modbus_;
    std::vector<std::string> debug_;
    std::vector<int> pauses_;
};

} // namespace

TEST_F(ModbusInterfaceTest, InfraredSplitsTwentyRegistersIntoEightEightFour)
{
    OpenIn(ConnectionMode::Infrared, 17, 3);
    link_->fallback = RtuReadAnswer(AddressAsValue);
    std::uint16_t out[20] = {};
    EXPECT_NO_THROW(modbus_.ReadHoldingRegisters(100, 20, out));

    ASSERT_EQ(link_->written.size(), 3u);
    EXPECT_EQ(link_->written[0], WithCrc({0x01, 0x04, 0x00, 100, 0x00, 8}));
    EXPECT_EQ(link_->written[1], WithCrc({0x01, 0x04, 0x00, 108, 0x00, 8}));
    EXPECT_EQ(link_->written[2], WithCrc({0x01, 0x04, 0x00, 116, 0x00, 4}));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(out[i], 100 + i);
    EXPECT_THAT(debug_, ElementsAre("ReadHoldingRegisters: adrs=101 size=8\n",
                                    "ReadHoldingRegisters: adrs=109 size=8\n",
                                    "ReadHoldingRegisters: adrs=117 size=4\n"));
    // 1200 baud whatever the user's line: 1000 + (6 + 19 + 4) * 17000 / 1200.
    EXPECT_THAT(link_->readTimeouts, ElementsAre(1410, 1410, 1297));
    EXPECT_THAT(pauses_, ElementsAre(101, 101, 101));
    EXPECT_EQ(link_->serialLines.at(0).baudRate, 1200);
}

TEST_F(ModbusInterfaceTest, InfraredTriesAFailingChunkTenTimes)
{
    OpenIn(ConnectionMode::Infrared);
    link_->script = {RtuReadAnswer(AddressAsValue)};
    std::uint16_t out[20] = {};
    EXPECT_EQ(FailureOf([&] { modbus_.ReadHoldingRegisters(100, 20, out); }),
              "Modbus command failed. command=ReadHoldingRegister address=109 size=8 "
              "reason=timeout.");
    EXPECT_EQ(link_->written.size(), 11u);
    EXPECT_EQ(Count("Timeout\n"), 10);
    EXPECT_THAT(modbus_.ResultHistory(), Each(0));
    EXPECT_EQ(modbus_.SuccessRate(), 0.0);
}

TEST_F(ModbusInterfaceTest, ExceptionToARs485WriteIsReportedThoughTheFrameIsShort)
{
    OpenIn(ConnectionMode::Rs485, 0x11, 3);
    // Its CRC is wrong on purpose: an exception frame's CRC is not tested.
    link_->fallback = [](const Bytes&) { return Bytes{0x11, 0x90, 0x02, 0xEE, 0xEE}; };
    const std::uint16_t values[] = {0x1234, 0xABCD};
    EXPECT_EQ(FailureOf([&] { modbus_.WriteMultipleRegisters(200, 2, values); }),
              "Modbus command failed. command=WriteMultipleRegisters address=201 size=2 "
              "reason=receive exception 2.");
    ASSERT_EQ(link_->written.size(), 3u);
    EXPECT_EQ(link_->written[0],
              WithCrc({0x11, 0x10, 0x00, 0xC8, 0x00, 0x02, 0x04, 0x12, 0x34, 0xAB, 0xCD}));
    EXPECT_EQ(Count("Exception 2\n"), 3);
    // 4000 + (11 + 10) * 17000 / 9600, then 13 ms between frames at 9600 baud.
    EXPECT_THAT(link_->readTimeouts, Each(4037));
    EXPECT_THAT(pauses_, ElementsAre(13, 13, 13));
}

TEST_F(ModbusInterfaceTest, OneWrongCrcByteIsACrcErrorWithoutPause)
{
    OpenIn(ConnectionMode::Config, 17);
    link_->fallback = [](const Bytes& sent) {
        Bytes answer = RtuReadAnswer(AddressAsValue)(sent);
        answer.back() ^= 0x40;
        return answer;
    };
    std::uint16_t out[10] = {};
    EXPECT_EQ(FailureOf([&] { modbus_.ReadHoldingRegisters(5200, 10, out); }),
              "Modbus command failed. command=ReadHoldingRegister address=5201 size=10 "
              "reason=crc error.");
    EXPECT_EQ(link_->written.size(), 3u);
    EXPECT_EQ(link_->written[0][0], 1) << "CONFIG always talks to unit 1";
    EXPECT_TRUE(pauses_.empty());
    EXPECT_THAT(debug_, ElementsAre("ReadHoldingRegisters: adrs=5201 size=10\n"));
}

TEST_F(ModbusInterfaceTest, ShortSerialAnswerIsAnInvalidResponse)
{
    OpenIn(ConnectionMode::Rs485, 1);
    link_->fallback = [](const Bytes&) { return Bytes{0x01, 0x04, 0x04, 0x00}; };
    std::uint16_t out[2] = {};
    EXPECT_EQ(FailureOf([&] { modbus_.ReadHoldingRegisters(0, 2, out); }),
              "Modbus command failed. command=ReadHoldingRegister address=1 size=2 "
              "reason=invalid response.");
    EXPECT_EQ(Count("Invalid response\n"), 3);
}

TEST_F(ModbusInterfaceTest, SerialRequestsDiscardStaleInputFirst)
{
    OpenIn(ConnectionMode::Rs485, 1);
    link_->inbox = {0x01, 0x04, 0x02, 0x99, 0x99}; // late answer to an earlier request
    link_->fallback = RtuReadAnswer(AddressAsValue);
    std::uint16_t out[1] = {};
    modbus_.ReadHoldingRegisters(7, 1, out);
    EXPECT_EQ(out[0], 7);
    EXPECT_EQ(link_->discards, 1);
}

TEST_F(ModbusInterfaceTest, TcpFramesCarryConsecutiveTransactionIds)
{
    OpenIn(ConnectionMode::Tcp, 9);
    ASSERT_EQ(link_->tcpEndpoints.size(), 1u);
    EXPECT_EQ(link_->tcpEndpoints[0], std::make_pair(std::string("10.1.2.3"), std::string("1502")));
    link_->fallback = TcpReadAnswer(AddressAsValue);
    std::uint16_t out[3] = {};
    modbus_.ReadHoldingRegisters(0x0102, 3, out);
    modbus_.ReadHoldingRegisters(0x0102, 3, out);
    ASSERT_EQ(link_->written.size(), 2u);
    const Bytes& first = link_->written[0];
    EXPECT_EQ(Bytes(first.begin() + 2, first.end()),
              (Bytes{0x00, 0x00, 0x00, 0x06, 0x09, 0x04, 0x01, 0x02, 0x00, 0x03}));
    EXPECT_EQ(SentTransaction(link_->written[1]),
              static_cast<std::uint16_t>(SentTransaction(first) + 1));
    EXPECT_THAT(out, ElementsAre(0x0102, 0x0103, 0x0104));
    EXPECT_EQ(modbus_.ResponseTimeout(), 5000);
    EXPECT_TRUE(pauses_.empty());
}

TEST_F(ModbusInterfaceTest, TcpWrongTransactionIsRetriedWithTheNextId)
{
    OpenIn(ConnectionMode::Tcp);
    link_->script = {TcpReadAnswer(AddressAsValue, 1), TcpReadAnswer(AddressAsValue)};
    std::uint16_t out[2] = {};
    EXPECT_NO_THROW(modbus_.ReadHoldingRegisters(40, 2, out));
    ASSERT_EQ(link_->written.size(), 2u);
    EXPECT_EQ(SentTransaction(link_->written[1]),
              static_cast<std::uint16_t>(SentTransaction(link_->written[0]) + 1));
    EXPECT_EQ(Count("Invalid transaction\n"), 1);
    EXPECT_THAT(out, ElementsAre(40, 41));
    EXPECT_THAT(modbus_.ResultHistory(), ElementsAre(0, 1));
    EXPECT_EQ(modbus_.SuccessRate(), 50.0);
}

TEST_F(ModbusInterfaceTest, TcpExceptionEndsTheFrameEarly)
{
    OpenIn(ConnectionMode::Tcp);
    link_->fallback = [](const Bytes& sent) {
        return MbapWrap(SentTransaction(sent), {0x01, 0x84, 0x03});
    };
    std::uint16_t out[4] = {};
    EXPECT_EQ(FailureOf([&] { modbus_.ReadHoldingRegisters(0, 4, out); }),
              "Modbus command failed. command=ReadHoldingRegister address=1 size=4 "
              "reason=receive exception 3.");
}

// A link that hands over all that has arrived: the answer comes in with one
// receive, and bytes behind the frame never become part of it.
TEST_F(ModbusInterfaceTest, TcpAnswerThatIsAllInTakesOneReceive)
{
    OpenIn(ConnectionMode::Tcp);
    link_->wholeReads = true;
    link_->fallback = TcpReadAnswer(AddressAsValue);
    std::uint16_t out[3] = {};
    modbus_.ReadHoldingRegisters(7, 3, out);
    EXPECT_THAT(out, ElementsAre(7, 8, 9));
    EXPECT_EQ(link_->readTimeouts.size(), 1u);
}

TEST_F(ModbusInterfaceTest, TcpShortFrameIsNotFilledUpFromTheBytesBehindIt)
{
    OpenIn(ConnectionMode::Tcp);
    link_->wholeReads = true;
    // A frame two bytes short of the answer, then a stale copy of a full one.
    link_->fallback = [](const Bytes& sent) {
        const std::uint16_t id = SentTransaction(sent);
        Bytes bytes = MbapWrap(id, {0x01, 0x04, 0x04, 0x00, 0x01});
        const Bytes stale = MbapWrap(id, {0x01, 0x04, 0x04, 0x00, 0x01, 0x00, 0x02});
        bytes.insert(bytes.end(), stale.begin(), stale.end());
        return bytes;
    };
    std::uint16_t out[2] = {};
    EXPECT_EQ(FailureOf([&] { modbus_.ReadHoldingRegisters(0, 2, out); }),
              "Modbus command failed. command=ReadHoldingRegister address=1 size=2 "
              "reason=invalid response.");
    EXPECT_EQ(link_->written.size(), 3u) << "each attempt fails alike";
}

TEST_F(ModbusInterfaceTest, TcpExceptionFollowedByMoreBytesIsTheException)
{
    OpenIn(ConnectionMode::Tcp);
    link_->wholeReads = true;
    link_->fallback = [](const Bytes& sent) {
        Bytes bytes = MbapWrap(SentTransaction(sent), {0x01, 0x84, 0x02});
        bytes.insert(bytes.end(), {0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x00, 0x00, 0x00});
        return bytes;
    };
    std::uint16_t out[2] = {};
    EXPECT_EQ(FailureOf([&] { modbus_.ReadHoldingRegisters(0, 2, out); }),
              "Modbus command failed. command=ReadHoldingRegister address=1 size=2 "
              "reason=receive exception 2.");
    link_->fallback = TcpReadAnswer(AddressAsValue);
    EXPECT_NO_THROW(modbus_.ReadHoldingRegisters(4, 2, out));
    EXPECT_THAT(out, ElementsAre(4, 5));
}

TEST_F(ModbusInterfaceTest, AbortDuringASerialReadStopsAfterTheResponse)
{
    OpenIn(ConnectionMode::Infrared);
    link_->fallback = RtuReadAnswer(AddressAsValue);
    link_->duringRead = [this] { modbus_.Abort(); };
    std::uint16_t out[16] = {};
    try {
        modbus_.ReadHoldingRegisters(0, 16, out);
        FAIL() << "no exception";
    } catch (const CPrivateException& e) {
        EXPECT_TRUE(e.IsAbort());
    }
    EXPECT_EQ(link_->written.size(), 1u);
    EXPECT_EQ(link_->cancels, 0) << "a serial read runs to its end";
}

TEST_F(ModbusInterfaceTest, AbortDuringAFailingSerialWriteEndsWithoutRetry)
{
    OpenIn(ConnectionMode::Infrared);
    link_->duringRead = [this] { modbus_.Abort(); };
    const std::uint16_t value = 1;
    try {
        modbus_.WriteMultipleRegisters(0, 1, &value);
        FAIL() << "no exception";
    } catch (const CPrivateException& e) {
        EXPECT_TRUE(e.IsAbort());
    }
    EXPECT_EQ(link_->written.size(), 1u);
}

TEST_F(ModbusInterfaceTest, AbortCancelsAPendingTcpReceive)
{
    OpenIn(ConnectionMode::Tcp);
    link_->fallback = TcpReadAnswer(AddressAsValue);
    link_->duringRead = [this] { modbus_.Abort(); };
    std::uint16_t out[1] = {};
    try {
        modbus_.ReadHoldingRegisters(0, 1, out);
        FAIL() << "no exception";
    } catch (const CPrivateException& e) {
        EXPECT_TRUE(e.IsAbort());
    }
    EXPECT_EQ(link_->cancels, 1);
    EXPECT_EQ(link_->written.size(), 1u);
}

TEST_F(ModbusInterfaceTest, AbortBeforeARequestIsForgotten)
{
    OpenIn(ConnectionMode::Tcp);
    link_->fallback = TcpReadAnswer(AddressAsValue);
    modbus_.Abort();
    std::uint16_t out[1] = {};
    EXPECT_NO_THROW(modbus_.ReadHoldingRegisters(0, 1, out));
}

TEST_F(ModbusInterfaceTest, HistoryKeepsTheLastEightResults)
{
    OpenIn(ConnectionMode::Rs485);
    link_->fallback = RtuReadAnswer(AddressAsValue);
    std::uint16_t out[1] = {};
    for (int i = 0; i < 9; ++i)
        modbus_.ReadHoldingRegisters(i, 1, out);
    link_->fallback = Silent();
    const std::uint16_t value = 0;
    EXPECT_THROW(modbus_.WriteMultipleRegisters(0, 1, &value, 1), CPrivateException);
    EXPECT_EQ(link_->written.size(), 10u) << "attempts=1 sends once";
    EXPECT_THAT(modbus_.ResultHistory(), ElementsAre(1, 1, 1, 1, 1, 1, 1, 0));
    EXPECT_DOUBLE_EQ(modbus_.SuccessRate(), 87.5);
}

TEST_F(ModbusInterfaceTest, ZeroRegistersSendNothingAndCountAsSuccess)
{
    OpenIn(ConnectionMode::Rs485);
    EXPECT_NO_THROW(modbus_.ReadHoldingRegisters(10, 0, nullptr));
    EXPECT_NO_THROW(modbus_.WriteMultipleRegisters(10, 0, nullptr));
    EXPECT_TRUE(link_->written.empty());
    EXPECT_THAT(modbus_.ResultHistory(), ElementsAre(1, 1));
    EXPECT_EQ(modbus_.SuccessRate(), 100.0);
}

TEST_F(ModbusInterfaceTest, WriteDoubleWordsHonoursTheWordOrder)
{
    OpenIn(ConnectionMode::Config);
    link_->fallback = RtuWriteAnswer();
    const std::uint32_t values[] = {0x12345678, 0xA1B2C3D4};
    modbus_.WriteDoubleWords(300, 2, values, true);
    modbus_.WriteDoubleWords(300, 2, values, false);
    ASSERT_EQ(link_->written.size(), 2u);
    EXPECT_EQ(link_->written[0], WithCrc({0x01, 0x10, 0x01, 0x2C, 0x00, 0x04, 0x08, 0x12, 0x34,
                                          0x56, 0x78, 0xA1, 0xB2, 0xC3, 0xD4}));
    EXPECT_EQ(link_->written[1], WithCrc({0x01, 0x10, 0x01, 0x2C, 0x00, 0x04, 0x08, 0x56, 0x78,
                                          0x12, 0x34, 0xC3, 0xD4, 0xA1, 0xB2}));
}

TEST_F(ModbusInterfaceTest, RequestsStayWithinTheModbusLimits)
{
    OpenIn(ConnectionMode::Config);
    link_->fallback = RtuReadAnswer(AddressAsValue);
    std::vector<std::uint16_t> out(130);
    modbus_.ReadHoldingRegisters(0, 130, out.data());
    ASSERT_EQ(link_->written.size(), 2u);
    EXPECT_EQ(link_->written[0][5], 125);
    EXPECT_EQ(link_->written[1][5], 5);
    EXPECT_EQ(out[129], 129);

    link_->fallback = RtuWriteAnswer();
    link_->written.clear();
    modbus_.WriteMultipleRegisters(0, 130, out.data());
    ASSERT_EQ(link_->written.size(), 2u);
    EXPECT_EQ(link_->written[0][5], 123);
    EXPECT_EQ(link_->written[0][6], 246);
}

TEST_F(ModbusInterfaceTest, OpenPicksTheTransportOfTheMode)
{
    OpenIn(ConnectionMode::Rs485, 3, 3);
    ASSERT_EQ(link_->serialLines.size(), 1u);
    EXPECT_EQ(link_->serialLines[0].portName, "/dev/ttyS4");
    EXPECT_EQ(link_->serialLines[0].baudRate, 9600);
    EXPECT_TRUE(modbus_.IsOpen());
    EXPECT_EQ(modbus_.ResponseTimeout(), 3000);
    OpenIn(ConnectionMode::Tcp);
    EXPECT_EQ(link_->closes, 1) << "reopening closes the old transport";
    EXPECT_EQ(link_->tcpEndpoints.size(), 1u);
    modbus_.Close();
    modbus_.Close();
    EXPECT_FALSE(modbus_.IsOpen());
    EXPECT_EQ(link_->closes, 2);
}

TEST_F(ModbusInterfaceTest, WithoutATransportFactoryOpenNamesThePort)
{
    SetTransportFactory(nullptr);
    ComSettings s;
    s.mode = ConnectionMode::Config;
    s.configPortDisplayName = "USB cable";
    modbus_.SetSettings(s);
    EXPECT_EQ(FailureOf([&] { modbus_.Open(); }),
              "Communication port USB cable can not be opened.");
}

TEST_F(ModbusInterfaceTest, RequestOnAClosedInterfaceFailsInsteadOfCrashing)
{
    ComSettings s;
    s.mode = ConnectionMode::Tcp;
    modbus_.SetSettings(s);
    std::uint16_t out[1] = {};
    EXPECT_THROW(modbus_.ReadHoldingRegisters(0, 1, out), CPrivateException);
}
