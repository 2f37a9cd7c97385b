#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/CPrivateException.h"
#include "config/AnalogOutputTable.h"
#include "config/DiscreteIoRules.h"
#include "config/ModbusSettingsRules.h"
#include "device/CSettingsStocker.h"
#include "device/DeviceTypeRecord.h"
#include "support/ParameterSets.h"
#include "text/NumericFieldReader.h"

namespace {

Capabilities CapsOf(int typeId)
{
    return CatalogueRecordOfTypeId(typeId)->Caps();
}

bool Accepts(const NumericField& field, const std::string& text)
{
    try {
        ReadNumericField(text, field);
        return true;
    } catch (const CPrivateException&) {
        return false;
    }
}

TEST(DiscreteIoTest, InputFunctionsByFamily)
{
    EXPECT_EQ(DiscreteInputFunctionCount(CapsOf(70)), 5); // KTA gen2
    EXPECT_EQ(DiscreteInputFunctionCount(CapsOf(39)), 5); // KTB gen2
    EXPECT_EQ(DiscreteInputFunctionCount(CapsOf(49)), 5); // LKTA
    EXPECT_EQ(DiscreteInputFunctionCount(CapsOf(0)), 3);  // first KTA generation
    EXPECT_EQ(DiscreteInputFunctionCount(CapsOf(1)), 3);
}

TEST(DiscreteIoTest, InputFunctionMissingFromTheListSelectsNothing)
{
    EXPECT_EQ(DiscreteInputFunctionIndex(CapsOf(0), 2), 2);
    EXPECT_EQ(DiscreteInputFunctionIndex(CapsOf(0), 3), -1); // "Clear alarm" is not offered
    EXPECT_EQ(DiscreteInputFunctionIndex(CapsOf(0), 4), -1);
    EXPECT_EQ(DiscreteInputFunctionIndex(CapsOf(70), 4), 4);
    EXPECT_EQ(DiscreteInputFunctionIndex(CapsOf(70), 5), -1);
}

TEST(DiscreteIoTest, ZnOutputsOnlyCountEnergy)
{
    EXPECT_EQ(DiscreteOutputFunctionCount(CapsOf(70)), 3);
    EXPECT_EQ(DiscreteOutputFunctionCount(CapsOf(83)), 2);
    EXPECT_TRUE(DiscreteOutputFunctionFixed(CapsOf(84)));
    EXPECT_FALSE(DiscreteOutputFunctionFixed(CapsOf(81)));

    ParameterSet set = SetOf(83); // two outputs
    for (const auto& row : DigitalOutputTable())
        set[row.functionWord] = 2;
    PrepareDiscreteOutputs(set);
    EXPECT_EQ(set[186], 1);
    EXPECT_EQ(set[190], 1);
    EXPECT_EQ(set[192], 2) << "an absent output is left alone";
    EXPECT_EQ(set[194], 2);
}

TEST(DiscreteIoTest, OutputTableMatchesItsWordsAndButtons)
{
    const auto& table = DigitalOutputTable();
    const int functionWords[] = {186, 190, 192, 194};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(table[size_t(i)].capability, CapDo1 << i);
        EXPECT_EQ(table[size_t(i)].functionWord, functionWords[i]);
        EXPECT_EQ(table[size_t(i)].typeWord, functionWords[i] + 1);
        EXPECT_EQ(table[size_t(i)].functionList, 1025 + i);
        EXPECT_EQ(table[size_t(i)].energyButton, 1053 + i);
        EXPECT_EQ(table[size_t(i)].normalClose, table[size_t(i)].normalOpen + 1);
        EXPECT_EQ(table[size_t(i)].group, 1116 + 3 * i);
    }
}

TEST(DiscreteIoTest, StoredChoicePastTheListShowsTheLastEntry)
{
    EXPECT_EQ(ChoiceListIndex(7, 6), 5);
    EXPECT_EQ(ChoiceListIndex(4, 3), 2);
    EXPECT_EQ(ChoiceListIndex(0, 3), 0);
    EXPECT_EQ(ChoiceListIndex(0xFFFF, 2), 1);
}

TEST(ModbusRulesTest, VariantDecisions)
{
    EXPECT_TRUE(UsesModbusTcpDialog(CapsOf(61)));  // QH Modbus/TCP
    EXPECT_TRUE(UsesModbusTcpDialog(CapsOf(62)));  // QG Modbus/TCP
    EXPECT_FALSE(UsesModbusTcpDialog(CapsOf(37))); // QG Modbus
    EXPECT_TRUE(ModbusOnFieldBusModule(CapsOf(37)));
    EXPECT_TRUE(ModbusOnFieldBusModule(CapsOf(64)));
    EXPECT_FALSE(ModbusOnFieldBusModule(CapsOf(70)));
    EXPECT_FALSE(ModbusTimersEditable(CapsOf(83)));
    EXPECT_FALSE(ModbusTimersEditable(CapsOf(79)));
    EXPECT_TRUE(ModbusTimersEditable(CapsOf(70)));
}

TEST(ModbusRulesTest, T35LowerLimitFollowsT15)
{
    EXPECT_FALSE(Accepts(T35Field(30), "3.0"));
    EXPECT_TRUE(Accepts(T35Field(30), "3.1"));
    EXPECT_FALSE(Accepts(T35Field(59), "5.9"));
    EXPECT_TRUE(Accepts(T35Field(59), "6.0"));
    EXPECT_FALSE(Accepts(T35Field(59), "6.1"));
    EXPECT_FALSE(Accepts(T15Field(), "6.0"));
    EXPECT_FALSE(Accepts(T15Field(), "0.0"));
    EXPECT_TRUE(Accepts(T15Field(), "0.1"));
}

TEST(ModbusRulesTest, FieldRanges)
{
    EXPECT_FALSE(Accepts(DeviceAddressField(), "0"));
    EXPECT_TRUE(Accepts(DeviceAddressField(), "247"));
    EXPECT_FALSE(Accepts(DeviceAddressField(), "248"));
    EXPECT_TRUE(Accepts(PortField(), "65535"));
    EXPECT_FALSE(Accepts(PortField(), "65536"));
    EXPECT_FALSE(Accepts(ConnectionTimeoutField(), "0.9"));
    EXPECT_TRUE(Accepts(ConnectionTimeoutField(), "3200.0"));
    EXPECT_TRUE(Accepts(RunLedTimeoutField(), "0.0"));
    EXPECT_FALSE(Accepts(RunLedTimeoutField(), "3200.1"));
    EXPECT_FALSE(Accepts(CcLinkNodeField(), "65"));
    EXPECT_EQ(ReadNumericField("60.0", ConnectionTimeoutField()), 600);
}

TEST(AnalogOutputTest, RowsAndColumnsByVariant)
{
    EXPECT_EQ(AnalogOutputRows(CapsOf(80)).size(), 29u);
    EXPECT_EQ(AnalogOutputRows(CapsOf(80)).front().kind, AoRowKind::OutputType);
    const auto rows = AnalogOutputRows(CapsOf(71));
    ASSERT_EQ(rows.size(), 28u);
    EXPECT_EQ(rows.front().kind, AoRowKind::Input);
    EXPECT_EQ(AoWord(0, rows.front()), 360);
    EXPECT_EQ(AoRowNameId(rows.front()), 3850);
    // Input 0 %, Output 0 %, Input 100 %, Output 100 %, then X[i], Y[i].
    EXPECT_EQ(rows[4].kind, AoRowKind::InputPercent);
    EXPECT_EQ(rows[5].kind, AoRowKind::Output);
    EXPECT_EQ(rows[26].kind, AoRowKind::InputPercent);
    EXPECT_EQ(AoWord(3, rows[27]), 474);
    EXPECT_EQ(AoRowNameId(rows[27]), 3877);

    EXPECT_EQ(AnalogOutputColumns(CapsOf(71)), 4);
    EXPECT_EQ(AnalogOutputColumns(CapsOf(73)), 2);
    EXPECT_EQ(AnalogOutputColumns(CapsOf(80)), 1);
}

TEST(AnalogOutputTest, InputListKeepsNeutralItemsWhereThereIsANeutral)
{
    const auto with = AoChoicesFor(AoRowKind::Input, CapsOf(71)).values;
    const auto without = AoChoicesFor(AoRowKind::Input, CapsOf(2)).values;
    EXPECT_EQ(with.size(), 42u);
    EXPECT_EQ(without.size(), 40u);
    EXPECT_EQ(std::count(without.begin(), without.end(), 11), 0);
    EXPECT_EQ(std::count(without.begin(), without.end(), 33), 0);
    EXPECT_EQ(with.back(), 44);
    EXPECT_EQ(without.back(), 44);
    EXPECT_EQ(AoChoicesFor(AoRowKind::Input, CapsOf(20)).values.size(), 42u); // KTB 3P4W
    const AoChoices choices{without, 3600};
    EXPECT_EQ(AoChoiceIndex(choices, 12), 11);
    EXPECT_EQ(AoChoiceIndex(choices, 43), 38);
}

struct LimitCase {
    int typeId;
    std::uint16_t outputType;
    AoLimits limits;
};

class AoOutputLimitsTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(AoOutputLimitsTest, ByOutputKind)
{
    const auto& c = GetParam();
    const auto limits = AoRowLimits(AoRowKind::Output, CapsOf(c.typeId), c.outputType);
    ASSERT_TRUE(limits);
    EXPECT_EQ(limits->minimum, c.limits.minimum);
    EXPECT_EQ(limits->maximum, c.limits.maximum);
    EXPECT_EQ(limits->scale, c.limits.scale);
    EXPECT_EQ(limits->unitId, c.limits.unitId);
}

INSTANTIATE_TEST_SUITE_P(Kinds, AoOutputLimitsTest,
                         ::testing::Values(LimitCase{71, 0, {160, 2240, 100, 23062}},  // 4-20 mA
                                           LimitCase{72, 0, {400, 5600, 1000, 23061}}, // 1-5 V
                                           LimitCase{80, 0, {-100, 2300, 100, 23062}},
                                           LimitCase{80, 1, {-5750, 5750, 1000, 23061}},
                                           LimitCase{80, 2, {-1150, 1150, 100, 23061}}));

TEST(AnalogOutputTest, CellsShowScaledValuesWithUnits)
{
    ParameterSet set = SetOf(71);
    const auto rows = AnalogOutputRows(set.type.Caps());
    set[AoWord(1, rows[1])] = static_cast<std::uint16_t>(-250);
    EXPECT_EQ(AoCellText(set, 1, rows[1]), "-2.50 (%)");
    EXPECT_EQ(AoCellText(set, 0, rows[5]), "4.00 (mA)");
    EXPECT_EQ(AoEditText(set, 0, rows[5]), "4.00");
    EXPECT_EQ(AoCellText(set, 0, rows[0]), "(NULL)");
    EXPECT_EQ(AoCellText(set, 0, rows[3]), "Linear");
}

TEST(AnalogOutputTest, StoringANumberChecksTheRowLimits)
{
    ParameterSet set = SetOf(80);
    const auto rows = AnalogOutputRows(set.type.Caps());
    ChangeAoOutputType(set, 0, 1);
    StoreAoNumber(set, 0, rows[6], "-5.75");
    EXPECT_EQ(static_cast<std::int16_t>(set[365]), -5750);
    EXPECT_THROW(StoreAoNumber(set, 0, rows[6], "5.751"), CPrivateException);
    EXPECT_EQ(static_cast<std::int16_t>(set[365]), -5750);
    EXPECT_THROW(StoreAoNumber(set, 0, rows[2], "5.01"), CPrivateException); // Adjust zero
}

TEST(AnalogOutputTest, OutputTypeChangeResetsOutputsAndTable)
{
    ParameterSet set = SetOf(80);
    for (int w = 365; w <= 387; w += 2)
        set[w] = 1234;
    set[368] = 777; // X[0] stays
    ChangeAoOutputType(set, 0, 1);
    EXPECT_EQ(set[359], 1);
    EXPECT_EQ(set[365], 0);
    EXPECT_EQ(set[367], 5000);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(set[369 + 2 * i], 0) << "Y[" << i << "]";
    EXPECT_EQ(set[368], 777);
    ChangeAoOutputType(set, 0, 0);
    EXPECT_EQ(set[365], 400);
    EXPECT_EQ(set[367], 2000);
    ChangeAoOutputType(set, 0, 2);
    EXPECT_EQ(set[365], 0);
    EXPECT_EQ(set[367], 1000);
}

TEST(AnalogOutputTest, ChoosingTheSameOutputTypeKeepsTheOutputs)
{
    ParameterSet set = SetOf(80);
    const AoRow typeRow = AnalogOutputRows(set.type.Caps()).front();
    const AoChoices types = AoChoicesFor(AoRowKind::OutputType, set.type.Caps());
    set[365] = 1234;
    EXPECT_TRUE(StoreAoChoice(set, 0, typeRow, AoChoiceIndex(types, set[359])));
    EXPECT_EQ(set[365], 1234);
    EXPECT_TRUE(StoreAoChoice(set, 0, typeRow, AoChoiceIndex(types, 1)));
    EXPECT_EQ(set[359], 1);
    EXPECT_EQ(set[365], 0) << "a new type starts from its defaults";
    EXPECT_FALSE(StoreAoChoice(set, 0, typeRow, int(types.values.size())));
    EXPECT_EQ(set[359], 1);
}

TEST(DiscreteIoFormTest, InputFunctionOutsideTheListIsKept)
{
    ParameterSet set = SetOf(0);
    set[DiscreteWord::InputFunction] = 4; // "Change tariff", which gen 1 does not list
    DiscreteInputForm form = DiscreteInputFormOf(set);
    EXPECT_EQ(form.function, -1);
    form.normalClose = true;
    ReadDiscreteInputForm(form, set);
    EXPECT_EQ(set[DiscreteWord::InputFunction], 4);
    EXPECT_EQ(set[DiscreteWord::InputType], 1);
}

TEST(DiscreteIoFormTest, OutputsTheDeviceLacksAreNotStored)
{
    ParameterSet set = SetOf(0); // Do1 only
    DiscreteOutputForm form = DiscreteOutputFormOf(set);
    for (auto& output : form.outputs)
        output = {2, true};
    ReadDiscreteOutputForm(form, set);
    EXPECT_EQ(set[186], 2);
    EXPECT_EQ(set[187], 1);
    const ParameterSet defaults = SetOf(0);
    for (const int word : {190, 191, 192, 193, 194, 195})
        EXPECT_EQ(set[word], defaults[word]) << word;
}

class InterfaceFormTest : public ::testing::Test {
protected:
    FocusControl Focus()
    {
        return [this](int controlId) { focused.push_back(controlId); };
    }
    std::vector<int> focused;
};

TEST_F(InterfaceFormTest, SerialModbusLeavesTheModuleWords)
{
    ParameterSet set = SetOf(70);
    set[ModbusWord::Mode] = 1;
    set[ModbusWord::RunLedTimeout] = 25;
    ModbusForm form = ModbusFormOf(set);
    EXPECT_EQ(form.mode, -1);
    EXPECT_TRUE(form.runLedTimeout.empty());
    form.deviceAddress = "247";
    form.transferRate = 2;
    form.stopBits = 1;
    form.runLedTimeout = "not read";
    ReadModbusForm(form, set, Focus());
    EXPECT_EQ(set[ModbusWord::DeviceAddress], 247);
    EXPECT_EQ(set[ModbusWord::TransferRate], 2);
    EXPECT_EQ(set[ModbusWord::StopBits], 1);
    EXPECT_EQ(set[ModbusWord::Mode], 1);
    EXPECT_EQ(set[ModbusWord::RunLedTimeout], 25);
}

TEST_F(InterfaceFormTest, FieldBusModuleLeavesAddressAndRate)
{
    ParameterSet set = SetOf(37); // QG
    set[ModbusWord::DeviceAddress] = 9;
    set[ModbusWord::TransferRate] = 3;
    ModbusForm form = ModbusFormOf(set);
    EXPECT_EQ(form.transferRate, -1);
    EXPECT_TRUE(form.deviceAddress.empty());
    form.mode = 1;
    form.runLedTimeout = "3200.0";
    ReadModbusForm(form, set, Focus());
    EXPECT_EQ(set[ModbusWord::Mode], 1);
    EXPECT_EQ(set[ModbusWord::RunLedTimeout], 32000);
    EXPECT_EQ(set[ModbusWord::DeviceAddress], 9);
    EXPECT_EQ(set[ModbusWord::TransferRate], 3);
}

TEST_F(InterfaceFormTest, PortAboveTheSignedRangeStaysUnsigned)
{
    ParameterSet set = SetOf(61);
    set[ModbusWord::Port] = 40000;
    ModbusTcpForm form = ModbusTcpFormOf(set);
    EXPECT_EQ(form.port, "40000");
    form.port = "65535";
    ReadModbusTcpForm(form, set, Focus());
    EXPECT_EQ(set[ModbusWord::Port], 65535);
}

TEST_F(InterfaceFormTest, FixedTimersAreNeitherShownNorRead)
{
    ParameterSet set = SetOf(83); // ZN
    set[ModbusWord::T15] = 99;
    AdvancedModbusForm form = AdvancedModbusFormOf(set);
    EXPECT_TRUE(form.t15.empty());
    form = {true, "x", "y"};
    ReadAdvancedModbusForm(form, set, Focus());
    EXPECT_EQ(set[ModbusWord::T15], 99);
    EXPECT_EQ(set[ModbusWord::LongRegister], 1);
}

// A refused field names its control and nothing of the form is stored, not
// even the fields read before it.
struct RefusalCase {
    const char* name;
    int typeId;
    std::function<void(ParameterSet&, const FocusControl&)> read;
    int control;
};

class InterfaceRefusalTest : public InterfaceFormTest,
                             public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(InterfaceRefusalTest, KeepsTheWholeSet)
{
    ParameterSet set = SetOf(GetParam().typeId);
    const ParameterSet before = set;
    EXPECT_THROW(GetParam().read(set, Focus()), CPrivateException);
    EXPECT_EQ(focused, std::vector<int>{GetParam().control});
    EXPECT_TRUE(set.words == before.words);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, InterfaceRefusalTest,
    ::testing::Values(RefusalCase{"Address", 70,
                                  [](ParameterSet& set, const FocusControl& focus) {
                                      ModbusForm form = ModbusFormOf(set);
                                      form.parity = 0;
                                      form.deviceAddress = "248";
                                      ReadModbusForm(form, set, focus);
                                  },
                                  ModbusControl::DeviceAddress},
                      RefusalCase{"ConnectionTimeout", 61,
                                  [](ParameterSet& set, const FocusControl& focus) {
                                      ModbusTcpForm form = ModbusTcpFormOf(set);
                                      form.ipAddress = {10, 1, 2, 3};
                                      form.port = "503";
                                      form.connectionTimeout = "0.9";
                                      ReadModbusTcpForm(form, set, focus);
                                  },
                                  ModbusTcpControl::ConnectionTimeout},
                      RefusalCase{"T35NotAboveT15", 70,
                                  [](ParameterSet& set, const FocusControl& focus) {
                                      ReadAdvancedModbusForm({true, "3.0", "3.0"}, set, focus);
                                  },
                                  AdvancedModbusControl::T35},
                      RefusalCase{"NodeAddress", 29,
                                  [](ParameterSet& set, const FocusControl& focus) {
                                      ReadCcLinkForm({"65", 4}, set, focus);
                                  },
                                  CcLinkControl::NodeAddress}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
