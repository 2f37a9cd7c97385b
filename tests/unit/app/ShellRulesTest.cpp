#include <gtest/gtest.h>

#include "app/CPrivateException.h"
#include "app/CSettingsStore.h"
#include "app/ConnectDialogRules.h"
#include "app/DisplayLanguage.h"
#include "app/PasscodeInput.h"
#include "app/ShowConnectDialog.h"
#include "app/TransferQuality.h"
#include "comm/CModbusInterface.h"
#include "device/PasscodeRules.h"
#include "support/ScriptedPrompts.h"
#include "text/CStringTable.h"

namespace {

std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CPrivateException& e) {
        return e.Text();
    }
    return "(no error)";
}

} // namespace

TEST(DisplayLanguage, AutomaticChoosesJapaneseOnlyForAJapaneseLocale)
{
    EXPECT_EQ(ResolveLanguageIndex(-1, false), 0);
    EXPECT_EQ(ResolveLanguageIndex(-1, true), 1);
    EXPECT_EQ(ResolveLanguageIndex(0, true), 0);
    EXPECT_EQ(ResolveLanguageIndex(1, false), 1);
    EXPECT_EQ(ResolveLanguageIndex(7, true), 0);
}

TEST(DisplayLanguage, LanguageButtonToggles)
{
    EXPECT_EQ(NextLanguageIndex(0), 1);
    EXPECT_EQ(NextLanguageIndex(1), 0);
    EXPECT_EQ(NextLanguageIndex(NextLanguageIndex(0)), 0);
}

TEST(DisplayLanguage, ModuleLiesBesideTheExecutableUnderItsName)
{
    EXPECT_EQ(LanguageModulePath("/opt/bin", "ORMEL", 1), "/opt/bin/ORMEL_jpn.txt");
    EXPECT_EQ(LanguageModulePath("/opt/bin", "ormel-test", 1), "/opt/bin/ormel-test_jpn.txt");
    EXPECT_EQ(LanguageModulePath("/opt/bin", "ORMEL", 0), "");
}

TEST(ConnectRules, VisibilityFollowsTheMode)
{
    const auto rs485 = VisibilityForMode(ConnectionMode::Rs485);
    EXPECT_TRUE(rs485.deviceAddress && rs485.comPort && rs485.lineSettings);
    EXPECT_FALSE(rs485.configNote || rs485.tcpEndpoint);
    const auto tcp = VisibilityForMode(ConnectionMode::Tcp);
    EXPECT_TRUE(tcp.deviceAddress && tcp.tcpEndpoint);
    EXPECT_FALSE(tcp.comPort || tcp.lineSettings || tcp.configNote);
    const auto ir = VisibilityForMode(ConnectionMode::Infrared);
    EXPECT_TRUE(ir.comPort);
    EXPECT_FALSE(ir.deviceAddress || ir.lineSettings || ir.tcpEndpoint || ir.configNote);
    const auto config = VisibilityForMode(ConnectionMode::Config);
    EXPECT_TRUE(config.comPort && config.configNote);
    EXPECT_FALSE(config.deviceAddress || config.lineSettings || config.tcpEndpoint);
}

TEST(ConnectRules, StoredValuesOutOfRangeSelectTheLastItem)
{
    EXPECT_EQ(BaudItemFor(7), 5);
    EXPECT_EQ(BaudItemFor(-1), 5);
    EXPECT_EQ(BaudItemFor(3), 3);
    EXPECT_EQ(ParityItemFor(static_cast<SerialParity>(5)), 2);
    EXPECT_EQ(ParityItemFor(SerialParity::Odd), 1);
    EXPECT_EQ(StopItemFor(9), 1);
    EXPECT_EQ(DialogModeFor(static_cast<ConnectionMode>(9)), ConnectionMode::Infrared);
}

TEST(ConnectRules, ModesWithoutAddressOpenWithOne)
{
    ComSettings s;
    s.address = 17;
    for (ConnectionMode mode : {ConnectionMode::Infrared, ConnectionMode::Config}) {
        s.mode = mode;
        EXPECT_EQ(InitialAddressText(s), "1");
    }
    for (ConnectionMode mode : {ConnectionMode::Rs485, ConnectionMode::Tcp}) {
        s.mode = mode;
        EXPECT_EQ(InitialAddressText(s), "17");
    }
}

class DeviceAddressText : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(DeviceAddressText, InvalidTextNamesTheField)
{
    const auto [text, messageId] = GetParam();
    const std::string expected = messageId == 11027
                                     ? FormatText(11027, {LoadText(15200)})
                                     : FormatText(11000, {LoadText(15200), "1", "247"});
    EXPECT_EQ(MessageOf([t = text] { ReadDeviceAddress(t); }), expected);
}

INSTANTIATE_TEST_SUITE_P(ConnectRules, DeviceAddressText,
                         ::testing::Values(std::make_pair("0", 11000), std::make_pair("248", 11000),
                                           std::make_pair("abc", 11027),
                                           std::make_pair("12x", 11027)));

TEST(ConnectRules, DeviceAddressBounds)
{
    EXPECT_EQ(ReadDeviceAddress("1"), 1);
    EXPECT_EQ(ReadDeviceAddress("247"), 247);
}

TEST(ConnectRules, RememberedPortsTheDiscoveryMissesStaySelectable)
{
    CSerialPortList ports;
    ports.Store("ttyUSB0", {"/dev/ttyUSB0", "USB (ttyUSB0)", "", ""});
    ComSettings s;
    s.comPortName = "/dev/pts/7";
    s.comPortDisplayName = "pts/7";
    s.irPortName = "/dev/ttyUSB0"; // listed already: not added twice
    s.irPortDisplayName = "USB (ttyUSB0)";
    AddRememberedPorts(ports, s);
    ASSERT_EQ(ports.Count(), 2);
    const int index = ports.IndexForMode(ConnectionMode::Rs485, "pts/7");
    ASSERT_GE(index, 0);
    EXPECT_EQ(ports.PathAt(index), "/dev/pts/7");
}

TEST(ConnectRules, ConnectStoresThePortOfTheModeOnly)
{
    ComSettings s;
    StorePort(s, ConnectionMode::Infrared, {"/dev/ttyUSB1", "IR", "", ""});
    EXPECT_EQ(s.irPortName, "/dev/ttyUSB1");
    EXPECT_EQ(s.irPortDisplayName, "IR");
    EXPECT_TRUE(s.comPortName.empty());
    EXPECT_TRUE(s.configPortName.empty());
}

TEST(ShowConnectDialog, ConnectSavesAndHandsTheSettingsToTheMaster)
{
    CMemorySettingsStore store;
    CScriptedPrompts prompts;
    CPromptScope scope(prompts);
    ComSettings chosen;
    chosen.mode = ConnectionMode::Tcp;
    chosen.serverAddress = "10.0.0.5";
    chosen.servicePort = "1502";
    chosen.address = 9;
    prompts.connects.push_back(chosen);
    CModbusInterface master;
    ASSERT_TRUE(ShowConnectDialog(master, store));
    EXPECT_EQ(master.Settings().serverAddress, "10.0.0.5");
    ComSettings loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.servicePort, "1502");
    EXPECT_EQ(loaded.address, 9);
    EXPECT_EQ(store.GetString("ComSettings", "Character", ""), "1");
}

TEST(ShowConnectDialog, CancelSavesNothing)
{
    CMemorySettingsStore store;
    store.SetInt("ComSettings", "Mode", 2);
    const auto before = store.Values();
    CScriptedPrompts prompts;
    CPromptScope scope(prompts);
    prompts.connects.push_back(std::nullopt);
    CModbusInterface master;
    EXPECT_FALSE(ShowConnectDialog(master, store));
    EXPECT_EQ(store.Values(), before);
    EXPECT_EQ(prompts.connectCount, 1);
}

TEST(PasscodeInput, EnterDialogRemembersOnlyATypedPasscode)
{
    CMemorySettingsStore store;
    EXPECT_FALSE(LoadEnterPasscode(store).remember);
    EXPECT_EQ(CommitEnterPasscode(store, true, "0x10", true, 0), 16u);
    const auto start = LoadEnterPasscode(store);
    EXPECT_TRUE(start.remember);
    EXPECT_EQ(start.passcode, 16u);
    // Untouched edit: the restored passcode is sent and stays remembered.
    EXPECT_EQ(CommitEnterPasscode(store, false, "xxxxxxxxxxxx", true, start.passcode), 16u);
    EXPECT_EQ(LoadRememberedPasscode(store), 16u);
    // A cleared box forgets.
    EXPECT_EQ(CommitEnterPasscode(store, false, "xxxxxxxxxxxx", false, 16), 16u);
    EXPECT_FALSE(LoadRememberedPasscode(store).has_value());
}

TEST(PasscodeInput, EnterDialogTrailingLettersGiveZero)
{
    CMemorySettingsStore store;
    EXPECT_EQ(CommitEnterPasscode(store, true, "123abc", false, 0), 0u);
    EXPECT_EQ(CommitEnterPasscode(store, true, "1000000000", false, 0), 0u);
}

TEST(PasscodeInput, ProtectRequestChecksConfirmationFirst)
{
    ProtectInputError error{ProtectField::NewPasscode, {}};
    EXPECT_EQ(MessageOf([&] { ReadProtectRequest("abc", "5", "6", &error); }), LoadText(11003));
    EXPECT_EQ(error.field, ProtectField::ConfirmPasscode);
    const std::string range = FormatText(11000, {LoadText(15654), "1", "999999999"});
    EXPECT_EQ(MessageOf([&] { ReadProtectRequest("0", "5", "5", &error); }), range);
    EXPECT_EQ(error.field, ProtectField::CurrentPasscode);
    EXPECT_EQ(MessageOf([&] { ReadProtectRequest("", "1000000000", "1000000000", &error); }),
              range);
    EXPECT_EQ(error.field, ProtectField::NewPasscode);
    EXPECT_EQ(MessageOf([&] { ReadProtectRequest("", "-5", "-5", &error); }), range);
    EXPECT_NE(MessageOf([&] { ReadProtectRequest("12ab", "", "", &error); }), "(no error)");
    EXPECT_EQ(error.field, ProtectField::CurrentPasscode);
}

TEST(PasscodeInput, EmptyNewPasscodeRemovesProtection)
{
    const ProtectRequest r = ReadProtectRequest("4711", "", "", nullptr);
    EXPECT_EQ(r.currentPasscode, 4711u);
    EXPECT_EQ(r.newPasscode, 0u);
    EXPECT_EQ(ReadProtectRequest("", "999999999", "999999999", nullptr).newPasscode, 999999999u);
}

TEST(PasscodeInput, FrontPanelPasscodeNeedsFourCharactersAndAMatch)
{
    EXPECT_EQ(ReadFrontPanelPasscode("0123", "0123"), 123);
    EXPECT_EQ(MessageOf([] { ReadFrontPanelPasscode("123", "123"); }), LoadText(11002));
    EXPECT_EQ(MessageOf([] { ReadFrontPanelPasscode("12345", "12345"); }), LoadText(11002));
    EXPECT_EQ(MessageOf([] { ReadFrontPanelPasscode("1234", "1235"); }), LoadText(11003));
    // Text that holds no number would leave the passcode undefined: refused.
    EXPECT_EQ(MessageOf([] { ReadFrontPanelPasscode("abcd", "abcd"); }), LoadText(11002));
    EXPECT_EQ(MessageOf([] { ReadFrontPanelPasscode("-123", "-123"); }), LoadText(11002));
}

TEST(TransferQuality, IconByRate)
{
    EXPECT_EQ(QualityIconForRate(100), 151);
    EXPECT_EQ(QualityIconForRate(80), 151);
    EXPECT_EQ(QualityIconForRate(79.9), 150);
    EXPECT_EQ(QualityIconForRate(40), 150);
    EXPECT_EQ(QualityIconForRate(12.5), 149);
    EXPECT_EQ(QualityIconForRate(0), 148);
}
