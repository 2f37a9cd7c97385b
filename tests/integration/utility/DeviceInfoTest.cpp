#include "UtilityDevice.h"
#include "monitor/CMeasurandsKTA.h"
#include "utility/DeviceInformation.h"

namespace {

constexpr int kQh = 52;
constexpr int kKtb = 1;

class DeviceInfoTest : public UtilityDeviceTest, public ::testing::WithParamInterface<Protection> {
protected:
    bool Granted() const { return GetParam() != Protection::WrongPasscode; }
    std::vector<DeviceInformationText> Rows()
    {
        const auto image = std::make_unique<CMeasurandsKTA>();
        ReadDeviceInformation(Master(), *image);
        return DeviceInformationTexts(*image);
    }
};

TEST_P(DeviceInfoTest, RowsShowTheQhIdentityAndItsOwnPasscodeRegisters)
{
    Start(kQh, GetParam());
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].name, "Tag No.");
    EXPECT_EQ(rows[1].text,
              GetParam() == Protection::None ? "Protection disabled" : "Protection enabled");
    EXPECT_EQ(rows[2].text, "QHMPW");
    std::string serial; // first character of each register in its high byte
    for (std::uint16_t w : Sim().ReadRegisters(9602, 4))
        serial += {static_cast<char>(w >> 8), static_cast<char>(w & 0xFF)};
    EXPECT_EQ(rows[3].text, serial);
    EXPECT_EQ(rows[5].text, GetParam() == Protection::None ? "0" : "1234");
    EXPECT_GE(device_->CountTouching(4, 8993), 1);
    EXPECT_EQ(device_->CountTouching(4, 5333) + device_->CountTouching(4, 5735), 0);
}

TEST_P(DeviceInfoTest, TagIsCutAtACharacterAndWrittenHighByteFirst)
{
    Start(kQh, GetParam());
    EXPECT_EQ(ReadTagSetting(Master()), "");
    // 11 + 3 + 3 bytes: the second kanji does not fit into 16 bytes.
    EXPECT_EQ(WriteTag(Master(), "Feeder 123 \xE6\x9D\xB1\xE4\xBA\xAC"), Granted());
    WriteList tag;
    if (Granted())
        tag = {{9606, {0x4665, 0x6564, 0x6572, 0x2031, 0x3233, 0x20E6, 0x9DB1, 0x0000}}};
    EXPECT_EQ(CommandWrites(), tag);
    // QH passcode input and command only: 4942-4944 lie in an energy record there.
    for (const Write& w : Writes())
        EXPECT_TRUE(w.first == 9606 || (w.first >= 8976 && w.first <= 8978)) << w.first;
    EXPECT_FALSE(Sim().Unlocked());
    EXPECT_EQ(Rows()[0].text, Granted() ? "Feeder 123 \xE6\x9D\xB1" : "");
}

INSTANTIATE_TEST_SUITE_P(Protections, DeviceInfoTest,
                         ::testing::Values(Protection::None, Protection::RightPasscode,
                                           Protection::WrongPasscode),
                         ProtectionName);

TEST_F(UtilityDeviceTest, TagSettingOfAProtectedDeviceClearsItsPasscodeInput)
{
    Start(kKtb, Protection::RightPasscode, 1);
    ReadTagSetting(Master());
    EXPECT_EQ(Writes(), (WriteList{{4942, {0, 0}}}));
    ASSERT_TRUE(WriteTag(Master(), "A"));
    EXPECT_EQ(CommandWrites(), (WriteList{{9606, {0x4100, 0, 0, 0, 0, 0, 0, 0}}}));
}

} // namespace
