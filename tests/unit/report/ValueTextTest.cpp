#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "device/CParameterEnumerationInterface.h"
#include "device/ParameterDescriptor.h"
#include "device/UnitText.h"
#include "support/CatalogueIds.h"
#include "support/ParameterSets.h"
#include "text/CStringTable.h"

namespace {

constexpr int kPrimaryCurrentName = 15151;

std::string Value(const ParameterSet& set, int word)
{
    return DefaultParameterEnumeration().ValueText(word, set);
}

struct ValueCase {
    const char* rule;
    int typeId;
    std::vector<std::pair<int, int>> words;
    int word;
    std::string expected;
};

void PrintTo(const ValueCase& c, std::ostream* os)
{
    *os << c.rule;
}

class ValueTextRule : public testing::TestWithParam<ValueCase> {};

TEST_P(ValueTextRule, ShowsTheExpectedText)
{
    const ValueCase& c = GetParam();
    EXPECT_EQ(Value(ZeroedSetOf(c.typeId, c.words), c.word), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Report, ValueTextRule, testing::Values(
    ValueCase{"num16 scale 1 is signed", kKtaGen1Modbus, {{1, 0xFFFF}}, 1, "-1"},
    ValueCase{"num16 scale 10 keeps one decimal", kKtaGen1Modbus, {}, 152, "1.5"},
    ValueCase{"num16 negative fraction", kKtaGen1Modbus, {{231, 0xFFFB}}, 231, "-0.5"},
    ValueCase{"num16 scale 10000", kZnpw, {{185, 9876}}, 185, "0.9876"},
    ValueCase{"port is unsigned", kQhTcp, {{162, 50000}}, 162, "50000"},
    ValueCase{"num32 over two words", kKtaGen1Modbus, {{110, 0x86A0}, {111, 0x0001}}, 110, "100000"},
    ValueCase{"num32 negative", kKtbGen2Modbus, {}, 146, "-180"},
    ValueCase{"num32 scale 10000", kKtbGen2Modbus, {}, 132, "1.0000"},
    ValueCase{"second word shows its row", kKtaGen1Modbus, {}, 37, "110"},
    ValueCase{"pulse rate scale 10", kKtaGen1Modbus, {{197, 1234}}, 197, "123.4"},
    ValueCase{"pulse rate scale 100 on ZNPW", kZnpw, {{197, 1234}}, 197, "12.34"},
    ValueCase{"pulse rate scale 100 on ZNEPW", kZnepw, {{203, 5}}, 203, "0.05"},
    ValueCase{"choice", kKtaGen1Modbus, {{0, 1}}, 0, "All key operations are locked"},
    ValueCase{"choice beyond its list", kKtaGen1Modbus, {{0, 40}}, 0, ""},
    ValueCase{"energy count first-generation KTA", kKtaGen1Modbus, {{196, 1}}, 196, "EQ / Reactive energy, LAG"},
    ValueCase{"energy count second-generation KTB", kKtbGen2Modbus, {{196, 1}}, 196, "T-EQ / Reactive energy, LAG"},
    ValueCase{"energy count KTA 2.40", kKtaGen3Modbus, {{196, 301}}, 196, "L-EQ / Reactive energy, LAG, off peak"},
    ValueCase{"energy count LKTA", kLktaModbus, {{196, 210}}, 196, "EQ+P / Reactive energy, incoming, peak"},
    ValueCase{"energy count ZM", kZmDo, {{196, 213}}, 196, "EQA / Reactive energy"},
    ValueCase{"energy count ZNPW", kZnpw, {{202, 200}}, 202, "EP / Active energy, incoming"},
    ValueCase{"energy count first-generation KTB", kKtbGen1Modbus, {{196, 9}}, 196, "TIMER"},
    ValueCase{"alarm output", kKtaGen1Modbus, {{230, 2}}, 230, "Display + Do1"},
    ValueCase{"alarm output LKTA", kLktaModbus, {{237, 2}}, 237, "Comm + Do1"},
    ValueCase{"system up to 15", kKtaGen1Modbus, {{31, 5}}, 31, "3-phase / 4-wire, unbalanced load (3CT)"},
    ValueCase{"system 16", kZnpw, {{31, 16}}, 31, "Single-phase / 2-wire branced from Single-phase / 3-wire"},
    ValueCase{"system 17", kZnpw, {{31, 17}}, 31, "Single-phase / 3-wire + Single-phase / 2-wire"},
    ValueCase{"OLED auto off listed", kZnepw, {{172, 3000}}, 172, "5min"},
    ValueCase{"OLED auto off not listed", kZnepw, {{172, 450}}, 172, "Off"},
    ValueCase{"OLED brightness", kZnepw, {{173, 10}}, 173, "Normal"},
    ValueCase{"OLED brightness not listed", kZnepw, {{173, 7}}, 173, "Low"},
    ValueCase{"passcode", kKtaGen1Modbus, {{29, 1234}}, 29, "****"},
    ValueCase{"num16 x factor", kKtaGen1Modbus, {{199, 3}}, 199, "300"},
    ValueCase{"Ao value 4-20 mA", kKtbGen1Ao4to20mA, {{365, 400}}, 365, "4.00"},
    ValueCase{"Ao value 1-5 V", kKtbGen1Ao1to5V, {{367, 5000}}, 367, "5.000"},
    ValueCase{"Ao value ZM 0-20 mA", kZmAo, {{359, 0}, {365, 1234}}, 365, "12.34"},
    ValueCase{"Ao value ZM -5 - +5 V", kZmAo, {{359, 1}, {365, 0xFE0C}}, 365, "-0.500"},
    ValueCase{"Ao value ZM -10 - +10 V", kZmAo, {{359, 2}, {369, 1000}}, 369, "10.00"},
    ValueCase{"IPv4", kQhTcp, {}, 156, "192.168.0.1"},
    ValueCase{"IPv4 second word", kQhTcp, {}, 159, "255.255.255.0"},
    ValueCase{"bit set", kZnpw, {{200, 0x0B}}, 200, "Circuit A, Circuit B, Circuit D"},
    ValueCase{"bit set empty", kZnpw, {{206, 0x30}}, 206, ""},
    ValueCase{"not applicable is empty", kKtaGen1Modbus, {}, 162, ""},
    ValueCase{"secondary current on KTA", kKtaGen1Modbus, {}, 34, "5"},
    ValueCase{"sensor name on QH", kQhModbus, {{34, 2}}, 34, "100A sensor"},
    ValueCase{"sensor choice on ZNPW", kZnpw, {{31, 0}, {48, 7}}, 48, "Custom-2"},
    ValueCase{"primary current shown beside a secondary current", kKtaGen1Modbus, {{34, 1}}, 33, "5"},
    ValueCase{"primary current shown with no sensor", kQhModbus, {{34, 0}}, 33, "5"},
    ValueCase{"primary current hidden by a sensor", kQhModbus, {{34, 1}}, 33, ""},
    ValueCase{"primary current of Input16 hidden", kQhModbusEx8, {{107, 3}}, 106, ""},
    ValueCase{"primary current of Input2 on ZNPW", kZnpw, {{31, 0}, {48, 1}}, 47, ""},
    ValueCase{"QH inputs do not depend on the system", kQhModbus, {{31, 1}}, 47, "5"},
    ValueCase{"ZN Input2 blank for system 17", kZnpw, {{31, 17}}, 46, ""},
    ValueCase{"ZN Input2 shown for system 0", kZnepw, {{31, 0}, {46, 1}}, 46, "ON"},
    ValueCase{"ZN Input4 shown for system 17", kZnepw, {{31, 17}}, 64, "OFF"},
    ValueCase{"ZN Input4 blank for system 1", kZnepw, {{31, 1}}, 68, ""},
    ValueCase{"ZN Input3 blank for system 5", kZnpw, {{31, 5}}, 59, ""},
    ValueCase{"ZN Input3 shown for system 4", kZnpw, {{31, 4}}, 59, "1.0"},
    ValueCase{"ZN conv coef row blanked through its second word", kZnpw, {{31, 1}, {51, 5}}, 51, ""},
    ValueCase{"ZN conv coef row shown", kZnpw, {{31, 0}, {51, 5}}, 51, "0.005"},
    ValueCase{"ZN unit row blanked through its second word", kZnepw, {{31, 4}}, 71, ""},
    ValueCase{"ZN CT location for system 16", kZnpw, {{31, 16}}, 35, "1-N"},
    ValueCase{"ZN CT location blank for system 17", kZnpw, {{31, 17}}, 49, ""},
    ValueCase{"ZN later CT location for system 17", kZnpw, {{31, 17}}, 58, "1-N"},
    ValueCase{"ZN later CT location blank for system 3", kZnpw, {{31, 3}}, 58, ""},
    ValueCase{"ZN later CT location for system 16", kZnpw, {{31, 16}}, 67, "1-N"}
));
// clang-format on

TEST(ValueText, UnitTextAgreesWithTheEditingHelper)
{
    ParameterSet set = ZeroedSetOf(kZnepw);
    SetUnitText(set, 44, "kWh");
    EXPECT_EQ(Value(set, 44), " kWh");
    EXPECT_EQ(Value(set, 44), UnitText(set, 44));
}

TEST(ValueText, ZnpwUNamesItsSensorsFromItsOwnList)
{
    // Input1 on every sensor family, Input2-Input4 only where the variant
    // has both ZNPW bits.
    const ParameterSet set = ZeroedSetOf(kZnpwU, {{31, 0}, {34, 2}, {48, 3}, {57, 4}, {66, 5}});
    EXPECT_EQ(Value(set, 34), LoadText(7002));
    EXPECT_EQ(Value(set, 48), LoadText(7003));
    EXPECT_EQ(Value(set, 57), LoadText(7004));
    EXPECT_EQ(Value(set, 66), LoadText(7005));
    EXPECT_NE(Value(set, 34), "100A sensor");
}

TEST(ValueText, SensorCodesPastTheirListShowAsNumbers)
{
    EXPECT_EQ(Value(ZeroedSetOf(kZnpw, {{31, 0}, {34, 7}}), 34), LoadText(5607));
    EXPECT_EQ(Value(ZeroedSetOf(kZnpw, {{31, 0}, {34, 8}}), 34), "8");
    EXPECT_EQ(Value(ZeroedSetOf(kZnpw, {{31, 0}, {34, 50}}), 34), "50");
    EXPECT_EQ(Value(ZeroedSetOf(kZnpwU, {{31, 0}, {48, 6}}), 48), "6");
}

TEST(ValueText, ZnpwWithSystem5ShowsNothingForInput2ToInput4)
{
    const ParameterSet set = ZeroedSetOf(kZnpw, {{31, 5}});
    for (int word = 46; word <= 72; ++word)
        EXPECT_EQ(Value(set, word), "") << word;
    EXPECT_EQ(Value(set, 38), "110");
    EXPECT_EQ(Value(set, 40), "1.0");
}

TEST(ValueText, EverySensorHidesItsPrimaryCurrent)
{
    ParameterSet set = ZeroedSetOf(kQhModbusEx8);
    int pairs = 0;
    for (int word = 0; word < kParameterWords; ++word) {
        if (GetParameterDescriptor(word).nameId != kPrimaryCurrentName)
            continue;
        ++pairs;
        set[word + 1] = 0;
        EXPECT_EQ(Value(set, word), "5") << word;
        set[word + 1] = 4;
        EXPECT_EQ(Value(set, word), "") << word;
        EXPECT_EQ(Value(set, word + 1), "400A sensor") << word;
    }
    EXPECT_EQ(pairs, 16);
}

TEST(ValueText, WordsOutsideTheSetAreEmpty)
{
    const ParameterSet set = ZeroedSetOf(kKtaGen1Modbus);
    EXPECT_EQ(Value(set, -1), "");
    EXPECT_EQ(Value(set, kParameterWords), "");
}

TEST(GroupText, ZnVariantsNameInputGroupsAfterCircuits)
{
    const auto& e = DefaultParameterEnumeration();
    const ParameterSet zn = ZeroedSetOf(kZnpw), kta = ZeroedSetOf(kKtaGen1Modbus),
                       qh = ZeroedSetOf(kQhModbus);
    EXPECT_EQ(e.GroupText(33, zn), "Circuit A");
    EXPECT_EQ(e.GroupText(47, zn), "Circuit B");
    EXPECT_EQ(e.GroupText(56, ZeroedSetOf(kZnepw)), "Circuit C");
    EXPECT_EQ(e.GroupText(65, ZeroedSetOf(kZnpwU)), "Circuit D");
    EXPECT_EQ(e.GroupText(33, kta), "Input");
    EXPECT_EQ(e.GroupText(47, qh), "Input2");
    EXPECT_EQ(e.GroupText(28, zn), "Tariff");
    EXPECT_EQ(e.NameText(29), LoadText(15654));
}

} // namespace
