#include <gtest/gtest.h>

#include <chrono>

#include "SimulatedDevice.h"
#include "app/CSettingsStore.h"
#include "app/PasscodeInput.h"
#include "device/CPasscodeProtection.h"
#include "device/PasscodeRules.h"
#include "support/CatalogueIds.h"
#include "support/ScriptedPrompts.h"
#include "text/CStringTable.h"

namespace {
using Words = std::vector<std::uint16_t>;

SimOptions Protected(int typeId, std::uint32_t passcode, int wordOrder = 0)
{
    SimOptions options = DeviceOptions(typeId);
    options.passcode = passcode;
    options.wordOrder = wordOrder;
    return options;
}

class PasscodeTest : public ::testing::Test {
protected:
    void Start(const SimOptions& options)
    {
        device_ = std::make_unique<SimulatedDevice>(options, SimTransport::Tcp);
    }
    // Writes as (register, values), in order.
    std::vector<std::pair<int, Words>> Writes() const
    {
        std::vector<std::pair<int, Words>> out;
        for (const SimRequestRecord& w : device_->Writes())
            out.emplace_back(w.address, w.values);
        return out;
    }
    std::uint32_t StoredPasscode(int reg = 5333)
    {
        const Words w = device_->Sim().ReadRegisters(reg, 2);
        return std::uint32_t(w[0]) | (std::uint32_t(w[1]) << 16);
    }

    CScriptedPrompts prompts_;
    CPromptScope scope_{prompts_};
    std::unique_ptr<SimulatedDevice> device_;
};

using W = std::pair<int, Words>;

TEST_F(PasscodeTest, UnprotectedDeviceIsUnlockedByOneWriteWithoutAPrompt)
{
    Start(Protected(kKtbGen1Modbus, 0));
    CPasscodeProtection protection;
    ASSERT_TRUE(protection.Unlock(device_->Master()));
    EXPECT_EQ(prompts_.passcodeCount, 0);
    EXPECT_EQ(Writes(), (std::vector<W>{{4944, {1}}}));
    EXPECT_FALSE(device_->Master().IsOpen());

    device_->Sim().Log().Clear();
    protection.Lock();
    EXPECT_FALSE(protection.IsUnlocked());
    EXPECT_EQ(Writes(), (std::vector<W>{{4944, {0}}, {4942, {0, 0}}}));
}

TEST_F(PasscodeTest, QhDevicesUseTheirOwnRegistersAndNeverExchangeWords)
{
    Start(Protected(kQhModbus, 0x12345));
    prompts_.passcodes = {0x12345};
    CPasscodeProtection protection;
    ASSERT_TRUE(protection.Unlock(device_->Master()));
    EXPECT_TRUE(device_->Sim().Unlocked());
    EXPECT_EQ(Writes(), (std::vector<W>{{8976, {0x2345, 0x0001}}, {8978, {1}}}));
    EXPECT_GE(device_->CountTouching(4, 8993), 1);
    for (int reg : {5735, 4942, 4944, 5333})
        EXPECT_EQ(device_->CountTouching(4, reg) + device_->CountTouching(16, reg), 0) << reg;

    device_->Sim().Log().Clear();
    protection.Lock();
    EXPECT_EQ(Writes(), (std::vector<W>{{8978, {0}}, {8976, {0, 0}}}));
    EXPECT_FALSE(device_->Sim().Unlocked());
}

TEST_F(PasscodeTest, HighWordFirstDevicesGetThePasscodeHighWordFirst)
{
    Start(Protected(kKtbGen1Modbus, 0x12345, 1));
    prompts_.passcodes = {0x12345};
    CPasscodeProtection protection;
    ASSERT_TRUE(protection.Unlock(device_->Master()));
    EXPECT_EQ(Writes().front(), (W{4942, {0x0001, 0x2345}}));
}

TEST_F(PasscodeTest, WrongPasscodeIsRefusedOnceTheGrantTimeHasPassed)
{
    Start(Protected(kKtbGen1Modbus, 1111));
    prompts_.passcodes = {2222};
    CPasscodeProtection protection;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(protection.Unlock(device_->Master()));
    EXPECT_GE(std::chrono::steady_clock::now() - started,
              std::chrono::milliseconds(CPasscodeProtection::kGrantTimeoutMs));

    EXPECT_EQ(prompts_.Texts(), std::vector<std::string>{LoadText(11019)});
    EXPECT_EQ(prompts_.shown.front().icon, PromptIcon::Error);
    EXPECT_EQ(Writes(), (std::vector<W>{{4942, {2222, 0}}, {4944, {1}}}));
    EXPECT_GT(device_->CountTouching(4, 4944), 1);
    EXPECT_FALSE(protection.IsUnlocked());
    EXPECT_FALSE(device_->Sim().Unlocked());
}

TEST_F(PasscodeTest, CancelledPromptWritesNothing)
{
    Start(Protected(kKtbGen1Modbus, 1111));
    prompts_.passcodes = {std::nullopt};
    CPasscodeProtection protection;
    EXPECT_FALSE(protection.Unlock(device_->Master()));
    EXPECT_TRUE(Writes().empty());
    EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(PasscodeTest, RememberedPasscodeIsSentUntouched)
{
    Start(Protected(kKtbGen1Modbus, 123456789));
    CMemorySettingsStore store;
    SaveRememberedPasscode(store, 123456789);
    const auto remembered = store.Values();
    const EnterPasscodeStart start = LoadEnterPasscode(store);
    EXPECT_TRUE(start.remember);
    prompts_.passcodes = {CommitEnterPasscode(store, false, "xxxxxxxxxxxx", true, start.passcode)};

    CPasscodeProtection protection;
    ASSERT_TRUE(protection.Unlock(device_->Master()));
    EXPECT_EQ(Writes().front(), (W{4942, {0xCD15, 0x075B}}));
    EXPECT_EQ(store.Values(), remembered);
}

TEST_F(PasscodeTest, DestructorLocksTheDeviceAgain)
{
    Start(Protected(kKtbGen1Modbus, 0));
    {
        CPasscodeProtection protection;
        ASSERT_TRUE(protection.Unlock(device_->Master()));
        ASSERT_TRUE(device_->Sim().Unlocked());
        device_->Sim().Log().Clear();
    }
    EXPECT_EQ(Writes(), (std::vector<W>{{4944, {0}}, {4942, {0, 0}}}));
}

TEST_F(PasscodeTest, DestructorStaysQuietWhenTheDeviceIsGone)
{
    Start(Protected(kKtbGen1Modbus, 0));
    auto protection = std::make_unique<CPasscodeProtection>();
    ASSERT_TRUE(protection->Unlock(device_->Master()));
    device_->StopServers();
    EXPECT_NO_THROW(protection.reset());
}

TEST_F(PasscodeTest, ProtectSettingWithEmptyNewPasscodeRemovesProtectionAndLocks)
{
    Start(Protected(kKtbGen1Modbus, 777));
    prompts_.protects = {ReadProtectRequest("777", "", "", nullptr)};
    CPasscodeProtection protection;
    ASSERT_TRUE(protection.ChangeProtection(device_->Master()));

    EXPECT_EQ(StoredPasscode(), 0u);
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 5u);
    EXPECT_EQ(writes[0], (W{4942, {777, 0}}));
    EXPECT_EQ(writes[1], (W{4944, {1}}));
    EXPECT_EQ(writes[2], (W{5333, {0, 0}}));
    EXPECT_EQ(writes[3], (W{4944, {0}}));
    EXPECT_EQ(writes[4], (W{4942, {0, 0}}));
    EXPECT_FALSE(device_->Sim().Unlocked());
}

TEST_F(PasscodeTest, ProtectSettingSetsAPasscodeThatTheNextUnlockNeeds)
{
    Start(Protected(kKtbGen1Modbus, 0));
    prompts_.protects = {ReadProtectRequest("", "4321", "4321", nullptr)};
    CPasscodeProtection change;
    ASSERT_TRUE(change.ChangeProtection(device_->Master()));
    EXPECT_EQ(StoredPasscode(), 4321u);
    EXPECT_FALSE(device_->Sim().Unlocked());

    prompts_.passcodes = {4321};
    CPasscodeProtection protection;
    EXPECT_TRUE(protection.Unlock(device_->Master()));
    EXPECT_EQ(prompts_.passcodeCount, 1);
}

TEST_F(PasscodeTest, ProtectSettingWithWrongCurrentPasscodeChangesNothing)
{
    Start(Protected(kKtbGen1Modbus, 777));
    prompts_.protects = {ProtectRequest{1, 5}};
    CPasscodeProtection protection;
    EXPECT_FALSE(protection.ChangeProtection(device_->Master()));
    EXPECT_EQ(prompts_.Texts(), std::vector<std::string>{LoadText(11019)});
    EXPECT_EQ(StoredPasscode(), 777u);
    EXPECT_EQ(device_->CountTouching(16, 5333), 0);
}

TEST_F(PasscodeTest, ProtectSettingOnADeviceWithoutTheFeatureAsksNothing)
{
    SimOptions options = DeviceOptions(kKtaGen1Modbus);
    options.firmware = 100;
    Start(options);
    prompts_.protects = {ProtectRequest{0, 5}};
    CPasscodeProtection protection;
    EXPECT_FALSE(protection.ChangeProtection(device_->Master()));
    EXPECT_EQ(prompts_.Texts(), std::vector<std::string>{LoadText(11020)});
    EXPECT_EQ(prompts_.protects.size(), 1u);
    EXPECT_TRUE(Writes().empty());
}

} // namespace
