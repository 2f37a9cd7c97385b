#include <gtest/gtest.h>

#include "SimulatedDevice.h"
#include "app/CPrivateException.h"
#include "device/ParameterTransfer.h"
#include "device/RegisterMap.h"
#include "support/CatalogueIds.h"
#include "text/CStringTable.h"

namespace {
const SimRequestRecord* WriteAt(const std::vector<SimRequestRecord>& writes, int address)
{
    for (const SimRequestRecord& w : writes)
        if (w.address == address)
            return &w;
    return nullptr;
}

std::string CommunicationError(int cause)
{
    return FormatText(11025, {LoadText(cause)});
}

class DownloadTest : public ::testing::TestWithParam<SimTransport> {
protected:
    void Start(const SimOptions& options)
    {
        device_ = std::make_unique<SimulatedDevice>(options, GetParam());
        device_->Master().Open();
    }
    bool Download(const ParameterSet& set)
    {
        device_->Sim().Log().Clear();
        return WriteToDevice(set, device_->Master(), progress_);
    }

    std::unique_ptr<SimulatedDevice> device_;
    RecordingProgress progress_;
};

TEST_P(DownloadTest, MergesEntriesOfABlockIntoOneRequest)
{
    SimOptions options = DeviceOptions(kKtaGen2Ao4to20mA);
    options.firmware = 200;
    Start(options);
    ParameterSet set = SetOf(kKtaGen2Ao4to20mA);
    set[0] = 3;
    set.Set32(36, 6600);
    ASSERT_TRUE(Download(set));

    const auto writes = device_->Writes();
    ASSERT_GE(writes.size(), 4u);
    EXPECT_EQ(writes[0].address, 5200);
    EXPECT_EQ(writes[0].count, 4);
    EXPECT_EQ(writes[1].address, 5328);
    EXPECT_EQ(writes[1].count, 1);
    EXPECT_EQ(writes[2].address, 5332);
    EXPECT_EQ(writes[2].count, 1);
    EXPECT_EQ(writes[3].address, 5600);
    EXPECT_EQ(writes[3].count, 9);
    EXPECT_EQ(device_->CountTouching(16, 20302), 0);
    for (int halfBlock : {7008, 7022, 7038, 7052, 7068, 7082, 7098, 7112}) {
        const SimRequestRecord* w = WriteAt(writes, halfBlock);
        ASSERT_NE(w, nullptr) << halfBlock;
        EXPECT_EQ(w->count, 14) << halfBlock;
        EXPECT_EQ(device_->CountTouching(16, halfBlock), 1) << halfBlock;
    }
    for (const RegisterBlock& e : MainRegisterMap()) {
        if (!EntryApplies(e, set.type))
            continue;
        const auto stored = device_->Sim().ReadRegisters(e.reg, e.RegisterCount());
        for (int k = 0; k < e.WordCount(); ++k)
            EXPECT_EQ(stored[static_cast<size_t>(k)], set[e.firstWord + k])
                << "word " << e.firstWord + k;
    }
    EXPECT_TRUE(progress_.NeverDecreases());
    EXPECT_EQ(progress_.steps.back(), 100.0);
}

TEST_P(DownloadTest, KtaBeforeFirmware101TakesOneEntryPerRequest)
{
    SimOptions options = DeviceOptions(kKtaGen1Modbus);
    options.firmware = 100;
    Start(options);
    const ParameterSet set = SetOf(kKtaGen1Modbus);
    ASSERT_TRUE(Download(set));

    const auto writes = device_->Writes();
    int applicable = 0;
    for (const RegisterBlock& e : MainRegisterMap())
        applicable += EntryApplies(e, set.type) ? 1 : 0;
    EXPECT_EQ(static_cast<int>(writes.size()), applicable);
    for (auto [reg, count] : {std::pair{5600, 1}, {5601, 2}, {5603, 2}, {5605, 4}}) {
        const SimRequestRecord* w = WriteAt(writes, reg);
        ASSERT_NE(w, nullptr) << reg;
        EXPECT_EQ(w->count, count) << reg;
    }
}

TEST_P(DownloadTest, KtaFromFirmware101MergesBlocks)
{
    SimOptions options = DeviceOptions(kKtaGen1Modbus);
    options.firmware = 101;
    Start(options);
    ASSERT_TRUE(Download(SetOf(kKtaGen1Modbus)));

    const auto writes = device_->Writes();
    const SimRequestRecord* block = WriteAt(writes, 5600);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->count, 9);
    EXPECT_EQ(WriteAt(writes, 5601), nullptr);
    EXPECT_EQ(WriteAt(writes, 5605), nullptr);
}

TEST_P(DownloadTest, SetOfAnotherVariantIsRefusedBeforeAnyWrite)
{
    Start(DeviceOptions(kKtbGen1Modbus));
    try {
        Download(SetOf(kKtaGen1Modbus));
        FAIL() << "downloaded a KTA set into a KTB device";
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), CommunicationError(11021));
    }
    EXPECT_TRUE(device_->Writes().empty());
}

TEST_P(DownloadTest, DipSwitchOffLeavesTheSwitchControlledWordsAlone)
{
    SimOptions options = DeviceOptions(kQgCcLinkCounter);
    options.dipSwitch = 0;
    Start(options);
    ParameterSet set = SetOf(kQgCcLinkCounter);
    set[30] = 0;
    ASSERT_TRUE(Download(set));

    for (int reg : {5600, 5601, 5602, 5609, 5610, 20302})
        EXPECT_EQ(device_->CountTouching(16, reg), 0) << reg;
    const auto writes = device_->Writes();
    EXPECT_NE(WriteAt(writes, 5603), nullptr);
}

TEST_P(DownloadTest, DipSwitchDifferentFromTheSetIsRefused)
{
    SimOptions options = DeviceOptions(kQgCcLinkCounter);
    options.dipSwitch = 0;
    Start(options);
    ParameterSet set = SetOf(kQgCcLinkCounter);
    set[30] = 1;
    try {
        Download(set);
        FAIL() << "downloaded against the DIP switch";
    } catch (const CPrivateException& e) {
        EXPECT_EQ(e.Text(), CommunicationError(11029));
    }
    EXPECT_TRUE(device_->Writes().empty());
}

TEST_P(DownloadTest, HighWordFirstDevicesExchangeTheWordsOfEach32BitValue)
{
    SimOptions options = DeviceOptions(kKtaGen2Ao4to20mA);
    options.wordOrder = 1;
    Start(options);
    ParameterSet uploaded;
    ASSERT_TRUE(ReadFromDevice(uploaded, device_->Master(), progress_));
    EXPECT_EQ(uploaded[36], 110); // Primary voltage
    EXPECT_EQ(uploaded[37], 0);

    uploaded.Set32(36, 70000);
    ASSERT_TRUE(Download(uploaded));
    const auto writes = device_->Writes();
    const SimRequestRecord* block = WriteAt(writes, 5600);
    ASSERT_NE(block, nullptr);
    ASSERT_GE(block->values.size(), 5u);
    EXPECT_EQ(block->values[3], 0x0001);
    EXPECT_EQ(block->values[4], 0x1170);
}

// The register a word-order flag would come from is no such register on these devices.
TEST_P(DownloadTest, QhDevicesNeverExchangeWords)
{
    Start(DeviceOptions(kQhModbus));
    ParameterSet uploaded;
    ASSERT_TRUE(ReadFromDevice(uploaded, device_->Master(), progress_));
    EXPECT_EQ(uploaded[36], 110);
    EXPECT_EQ(uploaded[37], 0);
    EXPECT_EQ(device_->CountTouching(4, 5735), 0);

    uploaded.Set32(36, 70000);
    ASSERT_TRUE(Download(uploaded));
    const auto writes = device_->Writes();
    const SimRequestRecord* w = WriteAt(writes, 9043);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->values, (std::vector<std::uint16_t>{0x1170, 0x0001}));
    EXPECT_EQ(device_->CountTouching(4, 5735), 0);
}

INSTANTIATE_TEST_SUITE_P(Links, DownloadTest,
                         ::testing::Values(SimTransport::Tcp, SimTransport::Rtu), TransportName);

} // namespace
