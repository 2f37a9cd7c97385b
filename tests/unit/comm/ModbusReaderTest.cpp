#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "DeviceReplies.h"
#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"
#include "comm/CModbusReader.h"

using testing::ElementsAre;

namespace {

class ModbusReaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTransportFactory(&factory_);
        ComSettings s;
        s.mode = ConnectionMode::Config;
        modbus_.SetSettings(s);
        modbus_.SetPauseFunction(nullptr);
        modbus_.Open();
        link_->fallback =
            RtuReadAnswer([](int address) { return static_cast<std::uint16_t>(0x1000 + address); });
    }
    void TearDown() override { SetTransportFactory(nullptr); }

    std::shared_ptr<FakeLink> link_ = std::make_shared<FakeLink>();
    FakeTransportFactory factory_{link_};
    CModbusInterface modbus_;
    std::array<std::uint32_t, 8> image_{};
    CModbusReader reader_{modbus_, image_};
};

} // namespace

TEST_F(ModbusReaderTest, FirstRegisterIsTheLowHalfUnlessWordsSwap)
{
    const ModbusBlock blocks[] = {{10, 2, 1}, {50, 1, 6}, kEndOfBlocks};
    reader_.ReadBlocks(blocks);
    EXPECT_THAT(image_, ElementsAre(0, 0x100B100A, 0x100D100C, 0, 0, 0, 0x10331032, 0));
    ASSERT_EQ(link_->written.size(), 2u);
    EXPECT_EQ(link_->written[0][5], 4) << "two registers per value";

    reader_.SetSwapWords(true);
    reader_.ReadBlocks(blocks);
    EXPECT_THAT(image_, ElementsAre(0, 0x100A100B, 0x100C100D, 0, 0, 0, 0x10321033, 0));
}

TEST_F(ModbusReaderTest, StopsAtTheEndMarker)
{
    const ModbusBlock blocks[] = {{10, 1, 0}, kEndOfBlocks, {20, 1, 1}};
    reader_.ReadBlocks(blocks);
    EXPECT_EQ(link_->written.size(), 1u);
    EXPECT_EQ(image_[1], 0u);
}

TEST_F(ModbusReaderTest, CancelOrStopEndsBeforeTheNextBlock)
{
    const ModbusBlock blocks[] = {{10, 1, 0}, {20, 1, 1}, kEndOfBlocks};
    link_->duringRead = [this] { reader_.RequestCancel(); };
    reader_.ReadBlocks(blocks);
    EXPECT_EQ(link_->written.size(), 1u);

    reader_.ClearRequests();
    link_->duringRead = [this] { reader_.RequestStop(); };
    reader_.ReadBlocks(blocks);
    EXPECT_EQ(link_->written.size(), 2u);
}

TEST_F(ModbusReaderTest, FailuresReachTheCaller)
{
    link_->fallback = Silent();
    const ModbusBlock blocks[] = {{10, 1, 0}, kEndOfBlocks};
    EXPECT_THROW(reader_.ReadBlocks(blocks), CPrivateException);
}

TEST_F(ModbusReaderTest, BlockOutsideTheImageIsRefusedBeforeReading)
{
    const ModbusBlock blocks[] = {{10, 2, 7}, kEndOfBlocks};
    EXPECT_THROW(reader_.ReadBlocks(blocks), std::out_of_range);
    EXPECT_TRUE(link_->written.empty());
}
