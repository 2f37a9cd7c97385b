#include <gtest/gtest.h>

#include "config/MainWindowRules.h"
#include "device/DeviceTypeRecord.h"

namespace {

Capabilities CapsOf(int typeId)
{
    return CatalogueRecordOfTypeId(typeId)->Caps();
}

struct WiringCase {
    int typeId;
    std::vector<int> codes;
};

class WiringCodesTest : public ::testing::TestWithParam<WiringCase> {};

TEST_P(WiringCodesTest, OfferedByTheFirstMatchingRule)
{
    EXPECT_EQ(OfferedWiringCodes(CapsOf(GetParam().typeId)), GetParam().codes);
}

INSTANTIATE_TEST_SUITE_P(
    Families, WiringCodesTest,
    ::testing::Values(WiringCase{70, {0, 1, 2, 3, 4, 5}},    // KTA
                      WiringCase{37, {0, 1, 2, 3, 4, 5}},    // QG, although three-phase 4-wire
                      WiringCase{49, {0, 1, 2, 3, 4, 5}},    // LKTA
                      WiringCase{68, {0, 1, 2, 3, 4, 5}},    // LKTAS
                      WiringCase{19, {0, 1, 2, 3, 4, 5, 6}}, // KTB 3P4W
                      WiringCase{39, {0, 1, 2, 3}},          // KTB
                      WiringCase{64, {0, 1, 2, 3}},          // QH
                      WiringCase{80, {0, 1, 3}},             // ZM
                      WiringCase{83, {0, 1, 3, 5, 16, 17}},  // ZNPW
                      WiringCase{84, {0, 1, 3, 5, 16, 17}}));

TEST(WiringTest, ACodeNotOfferedSelectsTheLastEntry)
{
    const std::vector<int> zm = {0, 1, 3};
    EXPECT_EQ(WiringListIndex(zm, 3), 2);
    EXPECT_EQ(WiringListIndex(zm, 1), 1);
    EXPECT_EQ(WiringListIndex(zm, 2), 2);
    EXPECT_EQ(WiringListIndex(zm, 16), 2);
}

TEST(DemandTest, DiscreteInputOfferedWithAnInputOrToKeepAZero)
{
    const Capabilities withDi = CapsOf(70), withoutDi = CapsOf(71);
    const auto both = std::vector{DemandSource::DiscreteInput, DemandSource::InternalTimer};

    EXPECT_EQ(DemandSourcesFor(withDi, 15).entries, both);
    EXPECT_EQ(DemandSourcesFor(withDi, 15).selected, 1);
    EXPECT_EQ(DemandSourcesFor(withDi, 0).selected, 0);

    EXPECT_EQ(DemandSourcesFor(withoutDi, 0).entries, both);
    EXPECT_EQ(DemandSourcesFor(withoutDi, 0).selected, 0);
    EXPECT_EQ(DemandSourcesFor(withoutDi, 15).entries, std::vector{DemandSource::InternalTimer});
    EXPECT_EQ(DemandSourcesFor(withoutDi, 15).selected, 0);
}

TEST(DemandTest, EditUsedForTheTimerOrASingleEntry)
{
    EXPECT_FALSE(DemandIntervalEditEnabled(2, 0));
    EXPECT_TRUE(DemandIntervalEditEnabled(2, 1));
    EXPECT_TRUE(DemandIntervalEditEnabled(1, 0));
    EXPECT_EQ(DemandIntervalShown(0), 30);
    EXPECT_EQ(DemandIntervalShown(15), 15);
}

TEST(DipSwitchTest, QgAndQhFollowTheConfigurationMode)
{
    for (int typeId : {37, 64}) {
        const DipSwitchState byDip = DipSwitchStateFor(CapsOf(typeId), 0);
        EXPECT_TRUE(byDip.checkBoxVisible);
        EXPECT_TRUE(byDip.checked);
        EXPECT_FALSE(byDip.systemListEnabled);
        EXPECT_FALSE(byDip.channelGridEnabled);
        const DipSwitchState byPc = DipSwitchStateFor(CapsOf(typeId), 1);
        EXPECT_FALSE(byPc.checked);
        EXPECT_TRUE(byPc.systemListEnabled);
        EXPECT_TRUE(byPc.channelGridEnabled);
    }
}

TEST(DipSwitchTest, ZmAndZnHideTheBoxAndKeepTheirGrid)
{
    const DipSwitchState zm = DipSwitchStateFor(CapsOf(80), 0);
    EXPECT_FALSE(zm.checkBoxVisible);
    EXPECT_TRUE(zm.checked);
    EXPECT_TRUE(zm.systemListEnabled);
    EXPECT_TRUE(zm.channelGridEnabled);
    const DipSwitchState zn = DipSwitchStateFor(CapsOf(84), 0);
    EXPECT_FALSE(zn.checkBoxVisible);
    EXPECT_FALSE(zn.systemListEnabled);
    EXPECT_TRUE(zn.channelGridEnabled);
}

} // namespace
