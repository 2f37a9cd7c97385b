#include <gtest/gtest.h>

#include "DeviceReplies.h"
#include "comm/Crc16.h"
#include "comm/ModbusFrame.h"
#include "comm/ModbusMode.h"

TEST(Crc16Modbus, PublishedCheckValues)
{
    EXPECT_EQ(Crc16Modbus("123456789"), 0x4B37);
    EXPECT_EQ(Crc16Modbus(""), 0xFFFF);
    // The read example of the Modbus serial line guide: 11 03 00 6B 00 03 -> CRC 76 87.
    const Bytes frame{0x11, 0x03, 0x00, 0x6B, 0x00, 0x03};
    EXPECT_EQ(Crc16Modbus(frame.data(), frame.size()), 0x8776);
}

TEST(Crc16Modbus, AgreesWithBitwiseFormOnEveryByteValue)
{
    Bytes data;
    for (int i = 0; i < 256; ++i) {
        data.push_back(static_cast<std::uint8_t>(i * 37 + 11));
        ASSERT_EQ(Crc16Modbus(data.data(), data.size()), BitwiseCrc(data)) << "length " << i + 1;
    }
}

TEST(ModbusFrame, ReadRequestWithCrcLowByteFirst)
{
    ByteVector frame = BuildReadRequest(1, 4, 1);
    EXPECT_EQ(frame, (ByteVector{0x01, 0x04, 0x00, 0x04, 0x00, 0x01}));
    frame = BuildReadRequest(1, 0, 1);
    AppendCrc(frame);
    EXPECT_EQ(frame, (ByteVector{0x01, 0x04, 0x00, 0x00, 0x00, 0x01, 0x31, 0xCA}));
    EXPECT_EQ(BuildReadRequest(0xF7, 9600, 125), (ByteVector{0xF7, 0x04, 0x25, 0x80, 0x00, 0x7D}));
}

TEST(ModbusFrame, WriteRequestCarriesByteCountAndBigEndianRegisters)
{
    const std::uint16_t values[] = {0x000A, 0x0102};
    ByteVector frame = BuildWriteRequest(0x01, 1, 2, values);
    EXPECT_EQ(frame,
              (ByteVector{0x01, 0x10, 0x00, 0x01, 0x00, 0x02, 0x04, 0x00, 0x0A, 0x01, 0x02}));
    AppendCrc(frame);
    EXPECT_EQ(frame[11], 0x92);
    EXPECT_EQ(frame[12], 0x30);
}

TEST(ModbusFrame, MbapHeaderCarriesTransactionAndLength)
{
    const ByteVector request = BuildReadRequest(5, 0x1234, 10);
    EXPECT_EQ(BuildMbapFrame(0xABCD, request),
              (ByteVector{0xAB, 0xCD, 0x00, 0x00, 0x00, 0x06, 0x05, 0x04, 0x12, 0x34, 0x00, 0x0A}));
    const std::uint8_t header[] = {0x00, 0x07, 0x00, 0x00, 0x00, 0x03};
    EXPECT_EQ(MbapTransactionId(header), 7);
    EXPECT_EQ(MbapBodySize(header, 23), 3u); // an exception ends early
    EXPECT_EQ(MbapBodySize(header, 2), 2u);  // never more than expected
}

TEST(ModbusFrame, ResponseSizes)
{
    EXPECT_EQ(ReadResponseSize(0), 3u);
    EXPECT_EQ(ReadResponseSize(10), 23u);
    EXPECT_EQ(kWriteResponseSize, 6u);
}

TEST(ModbusFrame, RtuSplitTestsCrcOnlyOnAFullResponse)
{
    const Bytes good = WithCrc({0x01, 0x10, 0x00, 0x01, 0x00, 0x02});
    EXPECT_FALSE(SplitRtuResponse(good.data(), good.size(), 6).crcError);
    EXPECT_EQ(SplitRtuResponse(good.data(), good.size(), 6).size, 6u);
    for (std::size_t i = 0; i < good.size(); ++i) {
        Bytes bad = good;
        bad[i] ^= 0x01;
        EXPECT_TRUE(SplitRtuResponse(bad.data(), bad.size(), 6).crcError) << "byte " << i;
    }
    // An exception frame is shorter than expected; its CRC is never looked at.
    const Bytes exception{0x01, 0x90, 0x02, 0x00, 0x00};
    const RtuResponse r = SplitRtuResponse(exception.data(), exception.size(), 6);
    EXPECT_EQ(r.size, 3u);
    EXPECT_FALSE(r.crcError);
    EXPECT_EQ(SplitRtuResponse(exception.data(), 1, 6).size, 1u);
    EXPECT_EQ(SplitRtuResponse(exception.data(), 0, 6).size, 0u);
    EXPECT_FALSE(SplitRtuResponse(exception.data(), 1, 0).crcError) << "too short to hold a CRC";
}

TEST(ModbusFrame, ChecksComeInTheirOrder)
{
    const std::uint8_t exception[] = {0x01, 0x84, 0x02, 0, 0, 0};
    const std::uint8_t normal[] = {0x01, 0x04, 0x02, 0x12, 0x34};
    // Nothing arrived: timeout, whatever the transaction.
    EXPECT_EQ(CheckResponse(normal, 0, 5, 9, 8).fault, ResponseFault::Timeout);
    // A wrong transaction is reported before an exception.
    EXPECT_EQ(CheckResponse(exception, 3, 5, 9, 8).fault, ResponseFault::InvalidTransaction);
    const ResponseCheck e = CheckResponse(exception, 3, 5, 8, 8);
    EXPECT_EQ(e.fault, ResponseFault::Exception);
    EXPECT_EQ(e.exceptionCode, 2);
    // Two bytes cannot hold an exception code.
    EXPECT_EQ(CheckResponse(exception, 2, 5, 0, 0).fault, ResponseFault::InvalidResponse);
    EXPECT_EQ(CheckResponse(normal, 4, 5, 0, 0).fault, ResponseFault::InvalidResponse);
    EXPECT_EQ(CheckResponse(normal, 5, 5, 0, 0).fault, ResponseFault::None);
}

TEST(ModbusFrame, RegistersAreBigEndianFromByteThree)
{
    const std::uint8_t response[] = {0x01, 0x04, 0x04, 0x12, 0x34, 0xFF, 0xFE};
    std::uint16_t out[2] = {};
    CopyRegisters(response, 2, out);
    EXPECT_EQ(out[0], 0x1234);
    EXPECT_EQ(out[1], 0xFFFE);
}

struct ModeCase {
    ConnectionMode mode;
    int baudIndex;
    int address;
    int unitId;
    int perRequest;
    int attempts;
    int baud;
    int pauseMs;
};

class ModbusModeTest : public testing::TestWithParam<ModeCase> {};

TEST_P(ModbusModeTest, ParametersOfTheMode)
{
    const ModeCase& c = GetParam();
    ComSettings s;
    s.mode = c.mode;
    s.baudIndex = c.baudIndex;
    s.address = c.address;
    const ModbusModeParameters m = ModbusModeFor(s);
    EXPECT_EQ(m.unitId, c.unitId);
    EXPECT_EQ(m.registersPerRequest, c.perRequest);
    EXPECT_EQ(m.attempts, c.attempts);
    EXPECT_EQ(m.baud, c.baud);
    EXPECT_EQ(m.pauseAfterResponseMs, c.pauseMs);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ModbusModeTest,
    testing::Values(ModeCase{ConnectionMode::Rs485, 0, 17, 17, 10000, 3, 1200, 101},
                    ModeCase{ConnectionMode::Rs485, 1, 17, 17, 10000, 3, 2400, 51},
                    ModeCase{ConnectionMode::Rs485, 2, 17, 17, 10000, 3, 4800, 26},
                    ModeCase{ConnectionMode::Rs485, 3, 17, 17, 10000, 3, 9600, 13},
                    ModeCase{ConnectionMode::Rs485, 4, 17, 17, 10000, 3, 19200, 7},
                    ModeCase{ConnectionMode::Rs485, 5, 17, 17, 10000, 3, 38400, 4},
                    ModeCase{ConnectionMode::Rs485, 9, 17, 17, 10000, 3, 1200, 101},
                    ModeCase{ConnectionMode::Tcp, 0, 247, 247, 10000, 3, 0, 0},
                    ModeCase{ConnectionMode::Infrared, 3, 17, 1, 8, 10, 1200, 101},
                    ModeCase{ConnectionMode::Config, 0, 17, 1, 10000, 3, 38400, 4}));

TEST(ModbusMode, SerialTimeoutCoversTheExchangeAtSeventeenBitTimesPerByte)
{
    EXPECT_EQ(SerialResponseTimeout(1000, 33, 9600), 1058);
    EXPECT_EQ(SerialResponseTimeout(4000, 21, 1200), 4297);
    EXPECT_EQ(SerialResponseTimeout(1000, 0, 38400), 1000);
}
