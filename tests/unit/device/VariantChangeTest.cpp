#include <gtest/gtest.h>

#include "device/CSettingsStocker.h"
#include "device/UnitText.h"
#include "support/CatalogueIds.h"

namespace {
constexpr int kAoOutput0[] = {365, 394, 423, 452};
constexpr int kAoOutput100[] = {367, 396, 425, 454};
constexpr int kAoTableY9[] = {387, 416, 445, 474};

class VariantChange : public ::testing::Test {
protected:
    CSettingsStocker stocker;
    ParameterSet set;

    void ChangeTo(int typeId, bool reset = false) { stocker.ChangeDeviceType(typeId, set, reset); }
};

} // namespace

TEST_F(VariantChange, SwitchingToOneToFiveVoltsAndBackRestoresMilliampValues)
{
    ChangeTo(kKtb3P4WAo4to20mA);
    set[kAoOutput0[0]] = 420;
    set[kAoOutput100[3]] = 1980;
    set[kAoTableY9[2]] = 1234;

    ChangeTo(kKtb3P4WAo1to5V);
    for (int b = 0; b < 4; ++b) {
        EXPECT_EQ(set[kAoOutput0[b]], 1000);
        EXPECT_EQ(set[kAoOutput100[b]], 5000);
        EXPECT_EQ(set[kAoTableY9[b]], 1000);
    }
    set[kAoOutput0[1]] = 1100;

    ChangeTo(kKtb3P4WAo4to20mA);
    EXPECT_EQ(set[kAoOutput0[0]], 420);
    EXPECT_EQ(set[kAoOutput100[3]], 1980);
    EXPECT_EQ(set[kAoTableY9[2]], 1234);
    EXPECT_EQ(set[kAoOutput0[1]], 400);

    ChangeTo(kKtb3P4WAo1to5V);
    EXPECT_EQ(set[kAoOutput0[1]], 1100);
}

TEST_F(VariantChange, ZmAnalogOutputKeepsItsOutputType)
{
    ChangeTo(kZmAo);
    EXPECT_EQ(set[kAoTableY9[0]], 0);
    set[359] = 2;
    ChangeTo(kKtb3P4WAo4to20mA);
    EXPECT_EQ(set[359], 2) << "Output type is not an analog output value of other variants";
    set[359] = 0;
    ChangeTo(kZmAo);
    EXPECT_EQ(set[359], 2);
}

TEST_F(VariantChange, ResetStartsStoredOutputsAndVariantSettingsFromDefaults)
{
    ChangeTo(kKtb3P4WAo1to5V);
    set[kAoOutput0[0]] = 1500;
    set[167] = 5;
    set[220] = 7;
    ChangeTo(kKtaGen1Modbus);
    ChangeTo(kKtb3P4WAo1to5V, true);
    EXPECT_EQ(set[kAoOutput0[0]], 1000);
    EXPECT_EQ(set[31], 5);
    EXPECT_EQ(set[167], 30);
    EXPECT_EQ(set[168], 30);
    EXPECT_EQ(set[220], 0);
    EXPECT_EQ(set[171], 1);

    ChangeTo(kQgLonWorksCounter, true);
    EXPECT_EQ(set[31], 3);
    ChangeTo(kZmAo, true);
    EXPECT_EQ(set[31], 3);
}

struct SystemLimitCase {
    const char* name;
    int typeId;
    std::uint16_t before;
    std::uint16_t after;
};

class SystemLimit : public VariantChange, public ::testing::WithParamInterface<SystemLimitCase> {};

TEST_P(SystemLimit, WiringSystemIsLimitedByTheTarget)
{
    set[31] = GetParam().before;
    ChangeTo(GetParam().typeId);
    EXPECT_EQ(set[31], GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Targets, SystemLimit,
                         ::testing::Values(SystemLimitCase{"KtbTo3", kKtbGen2Modbus, 8, 3},
                                           SystemLimitCase{"KtbKeeps3", kKtbGen2Modbus, 3, 3},
                                           SystemLimitCase{"KtaTo5", kKtaGen2Modbus, 8, 5},
                                           SystemLimitCase{"KtaKeeps5", kKtaGen2Modbus, 5, 5},
                                           SystemLimitCase{"QgTo5", kQgLonWorksCounter, 6, 5},
                                           SystemLimitCase{"FourWireKtbUnlimited", kKtb3P4WModbus,
                                                           8, 8}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(VariantChange, EnteringZnSetsItsDefaults)
{
    ChangeTo(kKtaGen2Modbus);
    set[31] = 5;
    ChangeTo(kZnpw);
    EXPECT_EQ(set[31], 3);
    for (int n : {42, 51, 60, 69})
        EXPECT_EQ(set.Get32(n), 555) << "word " << n;
    EXPECT_EQ(set[196], 200);
    EXPECT_EQ(set[202], 210);
    for (int n : {182, 186, 190, 32, 46, 55, 64})
        EXPECT_EQ(set[n], 1) << "word " << n;
    EXPECT_EQ(set[200], 15);
    EXPECT_EQ(set[206], 15);
    EXPECT_EQ(set[172], 6000);
    EXPECT_EQ(set[173], 10);
    for (int n : {44, 53, 62, 71}) {
        EXPECT_EQ(set[n], 0x2020) << "word " << n;
        EXPECT_EQ(set[n + 1], 0x6B47) << "word " << n + 1;
        EXPECT_EQ(UnitText(set, n), "  kG");
    }
}

TEST_F(VariantChange, EnteringZnKeepsOtherWiringSystems)
{
    set[31] = 1;
    ChangeTo(kZnpw);
    EXPECT_EQ(set[31], 1);
}

TEST_F(VariantChange, StayingInOrLeavingZnChangesNoZnSetting)
{
    ChangeTo(kZnpw);
    set[196] = 3;
    set[172] = 2;
    set.Set32(42, 1000);
    ChangeTo(kZnepw);
    EXPECT_EQ(set[196], 3);
    EXPECT_EQ(set[172], 2);
    EXPECT_EQ(set.Get32(42), 1000);

    ChangeTo(kKtaGen2Modbus);
    EXPECT_EQ(set[172], 2);
    EXPECT_EQ(set.Get32(42), 1000);
}

TEST_F(VariantChange, DisplayLinesFollowTheFamilyAcrossKtaGen2AndKtb)
{
    const ParameterSet defaults;
    ChangeTo(kKtaGen2Modbus);
    for (int n = 4; n <= 27; ++n)
        set[n] = static_cast<std::uint16_t>(40 + n);

    ChangeTo(kKtbGen2Modbus);
    for (int n = 4; n <= 27; ++n)
        EXPECT_EQ(set[n], defaults[n]) << "word " << n;
    set[5] = 44;

    ChangeTo(kKtaGen2Modbus);
    for (int n = 4; n <= 27; ++n)
        EXPECT_EQ(set[n], 40 + n) << "word " << n;

    ChangeTo(kKtbGen2Modbus);
    EXPECT_EQ(set[5], 44);
}

TEST_F(VariantChange, KtbTargetsDropLinesTheyCannotShow)
{
    ChangeTo(kKtb3P4WModbus);
    set[7] = 120;  // line 4: energy items beyond the first generation's list
    set[11] = 119; // the last one it has
    set[4] = 11;   // IN
    set[9] = 33;   // THDIN
    ChangeTo(kKtb3P4WModbus);
    EXPECT_EQ(set[7], 120);
    EXPECT_EQ(set[4], 11);

    ChangeTo(kKtbGen1Modbus);
    EXPECT_EQ(set[7], 0);
    EXPECT_EQ(set[11], 119);
    EXPECT_EQ(set[4], 0);
    EXPECT_EQ(set[9], 0);
}

TEST_F(VariantChange, SensorFamiliesSwapTheSecondaryCurrentWord)
{
    set[34] = 1;
    ChangeTo(kQgLonWorksCounter);
    EXPECT_EQ(set[34], 5);
    set[34] = 2;
    ChangeTo(kZnpw);
    EXPECT_EQ(set[34], 2);
    ChangeTo(kKtaGen2Modbus);
    EXPECT_EQ(set[34], 0);
}

TEST_F(VariantChange, FrequencyInputFixedModesNeedAThirdGenerationTarget)
{
    ChangeTo(kKtaGen3Modbus);
    set[39] = 3;
    ChangeTo(kKtaGen3Modbus);
    EXPECT_EQ(set[39], 3);
    ChangeTo(kKtaGen2Modbus);
    EXPECT_EQ(set[39], 0);
}

// From every variant to every variant, with every limited word at its maximum:
// the result belongs to the target and holds nothing the target cannot do.
TEST(VariantChangeToEveryVariant, ResultResolvesToTheTargetWithinItsLimits)
{
    for (const DeviceTypeRecord& from : DeviceCatalogue()) {
        for (const DeviceTypeRecord& to : DeviceCatalogue()) {
            CSettingsStocker stocker;
            ParameterSet set;
            stocker.ChangeDeviceType(from.typeId, set, false);
            set[31] = 8;
            for (int k = 0; k < 19; ++k)
                set[230 + 7 * k] = 5;
            stocker.ChangeDeviceType(to.typeId, set, false);

            CDeviceType reported;
            reported.modelCode = set.type.modelCode;
            reported.firmwareVersion = set.type.firmwareVersion;
            reported.optionCode = set.type.optionCode;
            reported.ioWords = set.type.ioWords;
            reported.Resolve();
            ASSERT_EQ(reported.TypeId(), to.typeId) << "from " << from.typeId;

            const Capabilities caps = to.Caps();
            const int outputs = (caps & CapDo4)   ? 4
                                : (caps & CapDo3) ? 3
                                : (caps & CapDo2) ? 2
                                : (caps & CapDo1) ? 1
                                                  : 0;
            for (int k = 0; k < 19; ++k)
                ASSERT_LE(set[230 + 7 * k], outputs + 1) << from.typeId << " -> " << to.typeId;
            if (!(caps & Cap3P4W)) {
                ASSERT_LE(set[31], (caps & CapKtb) ? 3 : 5) << from.typeId << " -> " << to.typeId;
            }
        }
    }
}
