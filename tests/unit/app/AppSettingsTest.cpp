#include <gtest/gtest.h>

#include "app/CAppSettings.h"
#include "device/CSettingsStocker.h"
#include "support/CatalogueIds.h"

class AppSettings : public ::testing::Test {
protected:
    std::string Stored(const std::string& key) const
    {
        return store.GetString(CAppSettings::kSection, key, "<missing>");
    }
    CAppSettings Loaded()
    {
        CAppSettings settings(store);
        settings.Load();
        return settings;
    }

    CMemorySettingsStore store;
};

TEST_F(AppSettings, FirstStartUsesTheDefaults)
{
    CAppSettings settings = Loaded();
    EXPECT_EQ(settings.DeviceId(), 0);
    EXPECT_EQ(settings.DisplayLanguage(), CAppSettings::kAutomaticLanguage);
    EXPECT_TRUE(settings.HideIgnoreParameters());
    EXPECT_TRUE(settings.VerifyDownload());
    EXPECT_EQ(settings.LastParameterSet().type.TypeId(), 0);
    EXPECT_TRUE(store.Values().empty()) << "reading writes nothing";
}

TEST_F(AppSettings, SavedVariantIsSelectedWithItsOwnDefaults)
{
    store.SetInt("Settings", "DeviceId", kKtbGen2Modbus);
    const ParameterSet ktb = Loaded().LastParameterSet();
    EXPECT_EQ(ktb.type.TypeId(), kKtbGen2Modbus);
    EXPECT_EQ(ktb[171], 1);

    store.SetInt("Settings", "DeviceId", kZmModbus);
    const ParameterSet zm = Loaded().LastParameterSet();
    EXPECT_EQ(zm.type.TypeId(), kZmModbus);
    EXPECT_EQ(zm[31], 3);
}

TEST_F(AppSettings, DeviceIdKeepsItsLowSixteenBits)
{
    store.SetInt("Settings", "DeviceId", 0x10000 + kZmModbus);
    CAppSettings settings = Loaded();
    EXPECT_EQ(settings.DeviceId(), kZmModbus);
    EXPECT_EQ(settings.LastParameterSet().type.TypeId(), kZmModbus);
}

TEST_F(AppSettings, UnknownDeviceIdKeepsTheDefaultVariantAndIsSavedAsZero)
{
    store.SetInt("Settings", "DeviceId", 500);
    CAppSettings settings = Loaded();
    EXPECT_EQ(settings.DeviceId(), 500);
    EXPECT_EQ(settings.LastParameterSet().type.TypeId(), 0);
    settings.Save();
    EXPECT_EQ(Stored("DeviceId"), "0");
}

TEST_F(AppSettings, SaveWritesEveryValue)
{
    store.SetString("Settings", "DisplayLanguage", "1");
    store.SetString("Settings", "HideIgnoreParameters", "2");
    CAppSettings settings = Loaded();
    EXPECT_TRUE(settings.HideIgnoreParameters());
    EXPECT_TRUE(settings.VerifyDownload());
    CSettingsStocker().ChangeDeviceType(kQhModbusEx8, settings.LastParameterSet(), true);
    settings.Save();
    EXPECT_EQ(Stored("DeviceId"), "64");
    EXPECT_EQ(Stored("DisplayLanguage"), "1");
    EXPECT_EQ(Stored("HideIgnoreParameters"), "1");
    EXPECT_EQ(Stored("VerifyDownload"), "1");

    settings.SetDisplayLanguage(0);
    settings.SetHideIgnoreParameters(false);
    settings.SetVerifyDownload(false);
    settings.Save();
    EXPECT_EQ(Stored("DisplayLanguage"), "0");
    EXPECT_EQ(Stored("HideIgnoreParameters"), "0");
    EXPECT_EQ(Stored("VerifyDownload"), "0");
    EXPECT_FALSE(Loaded().VerifyDownload());
}

TEST(AppSettingsDeviceId, ResolvesAnUnresolvedIdentityFirst)
{
    ParameterSet set;
    ParameterSet zm;
    zm.type.SelectById(kZmModbus);
    // Identity fields copied by hand leave the cached row unresolved.
    set.type = CDeviceType();
    set.type.modelCode = zm.type.modelCode;
    set.type.firmwareVersion = zm.type.firmwareVersion;
    set.type.optionCode = zm.type.optionCode;
    set.type.ioWords = zm.type.ioWords;
    EXPECT_EQ(CAppSettings::DeviceIdOf(set), kZmModbus);

    set.type.modelCode = 1234;
    set.type.Resolve();
    EXPECT_EQ(CAppSettings::DeviceIdOf(set), 0);
}
