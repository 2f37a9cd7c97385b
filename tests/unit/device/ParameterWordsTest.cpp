#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/ParameterDescriptor.h"
#include "device/ParameterWords.h"
#include "text/CStringTable.h"

namespace {

namespace W = ParameterWord;

std::string EnglishName(int word)
{
    const auto& table = CStringTable::English();
    const auto it = table.find(GetParameterDescriptor(word).nameId);
    return it == table.end() ? std::string("<no text>") : it->second;
}

// A named word: the parameter the descriptor table must hold there, and the
// families that the code reads or writes it for.
struct NamedWord {
    int word;
    const char* name;
    std::vector<Capabilities> families;
};

// The word is the first (or only) word of that parameter, and the parameter
// applies to every family the code uses it for.
void ExpectNamedWord(const NamedWord& w)
{
    SCOPED_TRACE("word " + std::to_string(w.word));
    ASSERT_GE(w.word, 0);
    ASSERT_LT(w.word, kParameterWords);
    const ParameterDescriptor& d = GetParameterDescriptor(w.word);
    EXPECT_EQ(EnglishName(w.word), w.name);
    EXPECT_FALSE(d.secondWord);
    for (const Capabilities family : w.families)
        EXPECT_TRUE(DescriptorApplies(d, family)) << std::hex << family;
}

} // namespace

TEST(ParameterWords, SingleWordsNameTheParameterTheTableHoldsThere)
{
    const std::vector<Capabilities> inputFamilies = {CapKtaKtbMain, CapQg,   CapQh,
                                                     CapZm,         CapZnpw, CapZnepw};
    const std::vector<NamedWord> words = {
        {W::DataView, "Data display view", {CapKtaKtbMain}},
        {W::EnergyView, "Energy display view", {CapKtaKtbMain}},
        {W::FirstSigmaLine, "Sigma1 line1", {CapKtaGen2, CapKtb}},
        {W::ConfigurationMode, "Configuration mode(SW1-8)", {CapQg, CapQh}},
        {W::System, "System", inputFamilies},
        {W::CtSecondary, "Secondary current / CT sensor", inputFamilies},
        {W::FrequencyInput, "Frequency input", {CapKtaKtbMain, CapZm, CapZnpw, CapZnepw}},
        {W::LongRegister, "Long register", {CapModbusRtu, CapZmZnModbus}},
        {W::DemandCurrentInterval, "Current interval", {CapKtaKtbMain, CapQg, CapQh, CapZm}},
        {W::DemandPowerInterval, "Power interval", {CapKtaKtbMain, CapQg, CapQh, CapZm}},
        {W::PowerFormat, "Power format", {CapKtaGen2, CapKtbGen2}},
        {W::OledAutoOff, "OLED auto off", {CapZnepw}},
        {W::OledBrightness, "OLED brightness", {CapZnepw}},
        {W::PhaseReactiveMethod, "Phase reactive power Qn", {CapKtaKtbMain, CapQg, CapZnepw}},
        {W::DiscreteInputFunction, "Discrete input function", {CapDi1}},
        {W::MyDataView, "Data display view", {CapKtaKtbMain}},
        {W::MyEnergyView, "Energy display view", {CapKtaKtbMain}},
        {W::FirstAlarmItem, "High setpoint", {CapKtaKtbMain, CapLkta}},
        {W::FirstAlarmItem + W::AlarmOutputOffset, "Output", {CapKtaKtbMain, CapLkta}},
        {W::FirstAoWord, "Output type", {CapZmAo}},
    };
    for (const NamedWord& w : words)
        ExpectNamedWord(w);
    // The "My Default" views come after the power-on views in their own group.
    EXPECT_NE(GetParameterDescriptor(W::MyDataView).groupId,
              GetParameterDescriptor(W::DataView).groupId);
}

TEST(ParameterWords, PerInputAndPerOutputWordsNameTheirParameter)
{
    const Capabilities outputs[] = {CapDo1, CapDo2, CapDo3, CapDo4};
    for (size_t i = 0; i < 4; ++i) {
        ExpectNamedWord({W::ActivateDisplay[i], "Activate display", {CapZnepw}});
        ExpectNamedWord({W::ConvValueCoef[i], "Conv value coef", {CapZnpw, CapZnepw}});
        ExpectNamedWord({W::ConvValueUnit[i], "Conv value unit", {CapZnepw}});
        ExpectNamedWord({W::EnergyCount[i], "Energy count", {outputs[i]}});
        // The coefficient is 32 bit and the unit four characters: two words each.
        EXPECT_EQ(GetParameterDescriptor(W::ConvValueCoef[i]).type, ValueType::Num32);
        EXPECT_EQ(GetParameterDescriptor(W::ConvValueUnit[i]).type, ValueType::UnitText);
    }
}

TEST(ParameterWords, BlockLayoutsTileTheirPartOfTheTable)
{
    for (int line = 0; line < W::SigmaLines; ++line)
        EXPECT_EQ(EnglishName(W::FirstSigmaLine + line),
                  "Sigma" + std::to_string(line / 4 + 1) + " line" + std::to_string(line % 4 + 1));
    EXPECT_NE(EnglishName(W::FirstSigmaLine + W::SigmaLines).rfind("Sigma", 0), 0u);

    for (int k = 0; k < W::AlarmItems; ++k) {
        const int first = W::FirstAlarmItem + W::AlarmItemWords * k;
        EXPECT_EQ(EnglishName(first), "High setpoint") << k;
        EXPECT_EQ(EnglishName(first + W::AlarmOutputOffset), "Output") << k;
    }
    EXPECT_NE(EnglishName(W::FirstAlarmItem + W::AlarmItemWords * W::AlarmItems), "High setpoint");

    const Capabilities aoFamilies[] = {CapAo1, CapAo2, CapAo3, CapAo4};
    for (int k = 0; k < W::AoOutputs; ++k) {
        const int block = W::FirstAoWord + W::AoBlockWords * k;
        EXPECT_EQ(EnglishName(block), "Output type") << k;
        ExpectNamedWord({block + W::AoOutput0Offset, "Output 0%", {aoFamilies[k]}});
        ExpectNamedWord({block + W::AoOutput100Offset, "Output 100%", {aoFamilies[k]}});
        // The linearizer's points end the block: X[0], Y[0] ... X[9], Y[9].
        EXPECT_EQ(EnglishName(block + W::AoBlockWords - 2 * W::AoTablePoints), "Table X[0]") << k;
        EXPECT_EQ(EnglishName(block + W::AoBlockWords - 1), "Table Y[9]") << k;
    }
    EXPECT_EQ(W::FirstAoWord + W::AoBlockWords * W::AoOutputs, kParameterWords);
}
