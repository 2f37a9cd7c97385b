// The enable table of the main window's buttons, checked over the whole
// catalogue against the family and I/O lists of the variants (type ids), so
// that a wrong mask in the rules shows up as a wrong variant.
#include <gtest/gtest.h>

#include <set>

#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "device/DeviceTypeRecord.h"

namespace {
using Ids = std::set<int>;

Ids Range(int first, int last)
{
    Ids ids;
    for (int i = first; i <= last; ++i)
        ids.insert(i);
    return ids;
}
Ids operator+(Ids a, const Ids& b)
{
    a.insert(b.begin(), b.end());
    return a;
}
Ids operator-(Ids a, const Ids& b)
{
    for (int i : b)
        a.erase(i);
    return a;
}

const Ids kAll = Range(0, 85);
const Ids kKta = Ids{0} + Range(4, 12) + Range(70, 78);
const Ids kKtaGen2 = Range(4, 12) + Range(70, 78);
const Ids kKtb = Range(1, 3) + Range(13, 32) + Range(39, 48);
const Ids kKtbGen2 = Range(13, 32) + Range(39, 48);
const Ids kMain = kKta + kKtb;
const Ids kQg = Range(33, 38) + Ids{62, 63};
const Ids kLkta = Range(49, 51) + Range(53, 58);
const Ids kLktas = {68, 69};
const Ids kZm = Range(79, 82);
const Ids kZn = {83, 84, 85};

struct ButtonCase {
    const char* name;
    int controlId;
    Ids enabledOn;
};

std::vector<ButtonCase> Cases()
{
    using namespace MainControl;
    return {
        {"Protect", Protect, kAll - kZm - kZn},
        {"Alarm", Alarm, kMain + kLkta + Ids{81}},
        {"Display", Display, kMain + Ids{84}},
        {"Tariff", Tariff, kMain + kQg + kLkta},
        {"Passcode", Passcode, kMain},
        {"Others", Others, kAll},
        {"ConvValue", ConvValue, kZn},
        {"Modbus", Modbus,
         kKta + kLkta + Ids{1, 13, 16, 19, 22, 39, 42} + Ids{37, 38, 62, 63} + Ids{52, 64, 61, 67} +
             Ids{79, 82} + kZn},
        {"CcLink", CcLink, Range(29, 32) + Ids{47, 48}},
        {"Ao", Ao,
         Range(5, 10) + Range(71, 76) + Ids{2, 3, 14, 15, 17, 18, 20, 21, 23, 24, 40, 41, 43, 44} +
             Ids{50, 51, 53, 54, 55, 56} + kLktas + Ids{80}},
        {"Expression", Expression, kKta + kKtbGen2},
        {"Di", Di, Ids{0,  1,  2,  3,  4,  7,  8,  13, 14, 15, 19, 20, 21, 25,
                       27, 29, 31, 39, 40, 41, 45, 47, 49, 53, 54, 70, 73, 74}},
        {"DoPo", DoPo,
         Ids{0, 1, 2, 3, 4} + Range(7, 12) + kKtbGen2 + Ids{49} + Range(53, 58) + Ids{70} +
             Range(73, 78) + Ids{81} + kZn},
        {"ShortCut", ShortCut, kKtaGen2 + kKtbGen2},
        {"SigmaDisp", SigmaDisp, kKtb + kKtaGen2},
        {"ExtBar", ExtBar, kKtb},
        {"Upload", Upload, kAll},
        {"Language", Language, kAll},
    };
}

class MainButtonTableTest : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(MainButtonTableTest, EnabledExactlyOnItsVariants)
{
    const ButtonCase& c = GetParam();
    for (const auto& row : DeviceCatalogue()) {
        SCOPED_TRACE(row.typeId);
        EXPECT_EQ(MainButtonEnabled(c.controlId, row.Caps()), c.enabledOn.count(row.typeId) == 1);
    }
}

INSTANTIATE_TEST_SUITE_P(AllButtons, MainButtonTableTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MainLayoutTest, VtCtLayoutOnlyForTheFamiliesWithRatings)
{
    const Ids vtCt = kMain + kLkta + kLktas;
    for (const auto& row : DeviceCatalogue()) {
        SCOPED_TRACE(row.typeId);
        EXPECT_EQ(InputLayoutFor(row.Caps()) == InputLayout::VtCt, vtCt.count(row.typeId) == 1);
        EXPECT_EQ(BarGraphEnabled(row.Caps()), kKta.count(row.typeId) == 1);
        EXPECT_EQ(DemandGroupEnabled(row.Caps()), kZn.count(row.typeId) == 0);
    }
}

} // namespace
