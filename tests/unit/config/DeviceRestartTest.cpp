#include <gtest/gtest.h>

#include "config/DeviceRestart.h"
#include "device/CDeviceType.h"
#include "device/DeviceTypeRecord.h"

namespace {

struct NameCase {
    std::uint16_t modelCode;
    std::uint16_t optionCode;
    const char* name;
    bool lonWorks;
};

class ModelNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ModelNameTest, NameAndLonWorksRule)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(DeviceModelName(c.modelCode, c.optionCode), c.name);
    EXPECT_EQ(IsLonWorksModelName(c.name), c.lonWorks);
}

INSTANTIATE_TEST_SUITE_P(
    AllFamilies, ModelNameTest,
    ::testing::Values(NameCase{4711, 0x0002, "KTA", false}, NameCase{4721, 0x0080, "KTBL", true},
                      NameCase{4721, 0x0190, "KTBL", true}, NameCase{4721, 0x0110, "KTBC", false},
                      NameCase{4721, 0x0400, "KTB", false}, NameCase{4731, 0x0080, "QGLPW", true},
                      NameCase{4731, 0x0100, "QGCPW", false},
                      NameCase{4731, 0x0400, "QGEPW", false}, NameCase{4731, 0, "QGMPW", false},
                      NameCase{4712, 0, "LKTA", false}, NameCase{4713, 0, "LKTAS", false},
                      NameCase{4741, 0x0080, "QHLPW", true}, NameCase{4741, 0x0100, "QHCPW", false},
                      NameCase{4741, 0x0400, "QHEPW", false}, NameCase{4741, 0, "QHMPW", false},
                      NameCase{4751, 0x0800, "ZMPV", false}, NameCase{4751, 0, "ZMPW", false},
                      NameCase{4761, 0x1000, "ZNPW-U", false}, NameCase{4761, 0, "ZNPW", false},
                      NameCase{4762, 0x1000, "ZNEPW", false}, NameCase{4700, 0, "", false}));

TEST(LonWorksRule, MatchesWholeNamesFromTheStartOnly)
{
    EXPECT_FALSE(IsLonWorksModelName("XKTBL"));
    EXPECT_FALSE(IsLonWorksModelName("QG"));
    EXPECT_TRUE(IsLonWorksModelName("QHL"));
}

TEST(RestartCommand, SingleCodeFamiliesWriteOnceWithoutAnswerAndWait)
{
    for (std::uint16_t code : {4711, 4712, 4713, 4721, 4731}) {
        const RestartCommand c = RestartCommandFor(code);
        EXPECT_EQ(c.address, 5330) << code;
        EXPECT_EQ(c.values, std::vector<std::uint16_t>{0x2711}) << code;
        EXPECT_TRUE(c.expectNoAnswer) << code;
        EXPECT_EQ(c.waitMs, 3000) << code;
    }
    const RestartCommand qh = RestartCommandFor(4741);
    EXPECT_EQ(qh.address, 8992);
    EXPECT_EQ(qh.values, std::vector<std::uint16_t>{10001});
    EXPECT_TRUE(qh.expectNoAnswer);
    EXPECT_EQ(qh.waitMs, 3000);
}

TEST(RestartCommand, PairFamiliesWriteBothRegistersWithRetriesAndNoWait)
{
    for (std::uint16_t code : {4751, 4761, 4762}) {
        const RestartCommand c = RestartCommandFor(code);
        EXPECT_EQ(c.address, 9000) << code;
        EXPECT_EQ(c.values, (std::vector<std::uint16_t>{0x0D05, 0x115C})) << code;
        EXPECT_FALSE(c.expectNoAnswer) << code;
        EXPECT_EQ(c.waitMs, 0) << code;
    }
    EXPECT_TRUE(RestartCommandFor(1234).values.empty());
}

TEST(MonitorWindow, FollowsTheIdentifiedFamily)
{
    auto kindOf = [](int typeId) {
        CDeviceType t;
        t.SelectById(typeId);
        return MonitorWindowFor(t.Caps());
    };
    EXPECT_EQ(kindOf(64), MonitorWindowKind::PowerManagement);
    EXPECT_EQ(kindOf(83), MonitorWindowKind::Second);
    EXPECT_EQ(kindOf(84), MonitorWindowKind::Second);
    EXPECT_EQ(kindOf(70), MonitorWindowKind::Standard);
    EXPECT_EQ(kindOf(80), MonitorWindowKind::Standard);
}

} // namespace
