#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "CQSettingsStore.h"

namespace {

std::filesystem::path ConfigHome()
{
    static const std::filesystem::path home = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ormel-config-XXXXXX").string();
        return std::filesystem::path(::mkdtemp(pattern.data()) ? pattern : "");
    }();
    return home;
}

// QSettings takes the configuration folder once per process, so it is
// pointed at a private one before any test makes the first QSettings.
class PrivateConfigHome : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_FALSE(ConfigHome().empty());
        ::setenv("XDG_CONFIG_HOME", ConfigHome().c_str(), 1);
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(ConfigHome(), ec);
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new PrivateConfigHome);

} // namespace

TEST(SettingsStore, ValuesPersistAcrossStoreInstances)
{
    {
        CQSettingsStore store("ORMELTestPersist");
        store.SetInt("Settings", "DeviceId", 79);
        store.SetString("ComSettings", "COMPortName", "ttyUSB0");
        store.Sync();
    }
    const auto file = ConfigHome() / "QZ" / "ORMELTestPersist.conf";
    EXPECT_TRUE(std::filesystem::exists(file)) << file;

    CQSettingsStore store("ORMELTestPersist");
    EXPECT_TRUE(store.Contains("Settings", "DeviceId"));
    EXPECT_EQ(store.GetInt("Settings", "DeviceId", 0), 79);
    EXPECT_EQ(store.GetString("ComSettings", "COMPortName", ""), "ttyUSB0");
    EXPECT_EQ(store.GetString("Settings", "Missing", "dflt"), "dflt");
    EXPECT_EQ(store.GetInt("Settings", "Missing", -1), -1);
}

TEST(SettingsStore, FileWrittenElsewhereReadsBackAsStrings)
{
    // As a fresh process sees it: nothing cached, every value is text.
    std::filesystem::create_directories(ConfigHome() / "QZ");
    std::ofstream(ConfigHome() / "QZ" / "ORMELTestFile.conf")
        << "[Settings]\nDeviceId=13\nDisplayLanguage=-1\nHideIgnoreParameters=0\n";
    CQSettingsStore store("ORMELTestFile");
    EXPECT_EQ(store.GetString("Settings", "DeviceId", ""), "13");
    EXPECT_EQ(store.GetInt("Settings", "DisplayLanguage", 5), -1);
    EXPECT_EQ(store.GetInt("Settings", "HideIgnoreParameters", 1), 0);
}

TEST(SettingsStore, RemovedValueFallsBackToTheDefault)
{
    CQSettingsStore store("ORMELTestRemove");
    store.SetString("Settings", "Passcode", "1234");
    store.Remove("Settings", "Passcode");
    store.Sync();
    EXPECT_FALSE(CQSettingsStore("ORMELTestRemove").Contains("Settings", "Passcode"));
}
