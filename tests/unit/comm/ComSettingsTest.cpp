#include <gtest/gtest.h>

#include "app/CSettingsStore.h"
#include "comm/ComSettings.h"

namespace {

ComSettings Changed()
{
    ComSettings s;
    s.mode = ConnectionMode::Rs485;
    s.address = 17;
    s.comPortName = "/dev/ttyUSB3";
    s.comPortDisplayName = "RS-485 Adapter (ttyUSB3)";
    s.irPortName = "/dev/ttyUSB1";
    s.irPortDisplayName = "IR (ttyUSB1)";
    s.configPortName = "/dev/ttyACM0";
    s.configPortDisplayName = "Config cable (ttyACM0)";
    s.baudIndex = 3;
    s.characterIndex = 0;
    s.parity = SerialParity::Even;
    s.stopIndex = 1;
    s.serverAddress = "plc-7.example";
    s.servicePort = "1502";
    return s;
}

void ExpectSame(const ComSettings& a, const ComSettings& b)
{
    EXPECT_EQ(a.mode, b.mode);
    EXPECT_EQ(a.address, b.address);
    EXPECT_EQ(a.comPortName, b.comPortName);
    EXPECT_EQ(a.comPortDisplayName, b.comPortDisplayName);
    EXPECT_EQ(a.irPortName, b.irPortName);
    EXPECT_EQ(a.irPortDisplayName, b.irPortDisplayName);
    EXPECT_EQ(a.configPortName, b.configPortName);
    EXPECT_EQ(a.configPortDisplayName, b.configPortDisplayName);
    EXPECT_EQ(a.baudIndex, b.baudIndex);
    EXPECT_EQ(a.characterIndex, b.characterIndex);
    EXPECT_EQ(a.parity, b.parity);
    EXPECT_EQ(a.stopIndex, b.stopIndex);
    EXPECT_EQ(a.serverAddress, b.serverAddress);
    EXPECT_EQ(a.servicePort, b.servicePort);
}

} // namespace

TEST(ComSettings, EmptyStoreGivesTheFirstStartSettings)
{
    CMemorySettingsStore store;
    ComSettings loaded = Changed();
    loaded.Load(store);
    ExpectSame(loaded, ComSettings{});
    EXPECT_EQ(loaded.Mode(), ConnectionMode::Config);
    EXPECT_EQ(loaded.baudIndex, 5);
    EXPECT_EQ(loaded.parity, SerialParity::Odd);
    EXPECT_EQ(loaded.serverAddress, "192.168.0.1");
    EXPECT_EQ(loaded.servicePort, "502");
}

TEST(ComSettings, SaveWritesAllFourteenValuesUnderTheirNames)
{
    CMemorySettingsStore store;
    Changed().Save(store);
    const std::map<std::string, std::string> expected = {
        {"ComSettings/Mode", "0"},
        {"ComSettings/Address", "17"},
        {"ComSettings/COMPortName", "/dev/ttyUSB3"},
        {"ComSettings/COMPortDisplayName", "RS-485 Adapter (ttyUSB3)"},
        {"ComSettings/IRCOMPortName", "/dev/ttyUSB1"},
        {"ComSettings/IRCOMPortDisplayName", "IR (ttyUSB1)"},
        {"ComSettings/ConfigCOMPortName", "/dev/ttyACM0"},
        {"ComSettings/ConfigCOMPortDisplayName", "Config cable (ttyACM0)"},
        {"ComSettings/Baudrate", "3"},
        {"ComSettings/Character", "0"},
        {"ComSettings/Parity", "2"},
        {"ComSettings/Stop", "1"},
        {"ComSettings/ServerAddress", "plc-7.example"},
        {"ComSettings/ServicePort", "1502"},
    };
    EXPECT_EQ(store.Values(), expected);
}

TEST(ComSettings, RoundTripKeepsEverythingButTheDataBits)
{
    CMemorySettingsStore store;
    const ComSettings saved = Changed();
    saved.Save(store);
    ComSettings loaded;
    loaded.Load(store);
    ComSettings expected = saved;
    expected.characterIndex = 1; // 7 data bits never come back
    ExpectSame(loaded, expected);
}

TEST(ComSettings, MissingOrUnreadableValuesTakeTheirDefaults)
{
    CMemorySettingsStore store;
    Changed().Save(store);
    store.Remove("ComSettings", "Baudrate");
    store.Remove("ComSettings", "ServerAddress");
    store.SetString("ComSettings", "Address", "twelve");
    ComSettings loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.baudIndex, 5);
    EXPECT_EQ(loaded.serverAddress, "192.168.0.1");
    EXPECT_EQ(loaded.address, 1);
    EXPECT_EQ(loaded.parity, SerialParity::Even);
    EXPECT_EQ(loaded.comPortName, "/dev/ttyUSB3");
}

// A number another version stored is written back as it was read.
TEST(ComSettings, StoredNumbersOutsideTheListsSurviveARoundTrip)
{
    CMemorySettingsStore store;
    store.SetInt("ComSettings", "Mode", 7);
    store.SetInt("ComSettings", "Parity", 5);
    ComSettings loaded;
    loaded.Load(store);
    CMemorySettingsStore saved;
    loaded.Save(saved);
    EXPECT_EQ(saved.Values().at("ComSettings/Mode"), "7");
    EXPECT_EQ(saved.Values().at("ComSettings/Parity"), "5");
}
