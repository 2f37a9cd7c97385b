#include <gtest/gtest.h>

#include "device/CParameterReport.h"
#include "device/ParameterDescriptor.h"
#include "device/ReportColours.h"
#include "support/CatalogueIds.h"
#include "support/ParameterSets.h"

namespace {
const ReportRow* RowOf(const CParameterReport& report, int word)
{
    for (const ReportRow& row : report.Rows())
        if (row.word == word)
            return &row;
    return nullptr;
}

int IndexOf(const CParameterReport& report, int word)
{
    const auto& rows = report.Rows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].word == word)
            return static_cast<int>(i);
    return -1;
}

ReportRowState StateOf(const CParameterReport& report, int word)
{
    const ReportRow* row = RowOf(report, word);
    EXPECT_NE(row, nullptr) << word;
    return row ? row->state : ReportRowState::Applies;
}

} // namespace

TEST(ReportRows, CoverEveryWordOnceInWordOrder)
{
    const CParameterReport report(ZeroedSetOf(kKtaGen1Modbus));
    int next = 0;
    for (const ReportRow& row : report.Rows()) {
        EXPECT_EQ(row.word, next);
        EXPECT_EQ(row.wordCount, ValueWordCount(GetParameterDescriptor(row.word).type));
        next += row.wordCount;
    }
    EXPECT_EQ(next, kParameterWords);
    EXPECT_EQ(RowOf(report, 36)->wordCount, 2);  // num32
    EXPECT_EQ(RowOf(report, 156)->wordCount, 2); // IPv4
    EXPECT_EQ(RowOf(report, 44)->wordCount, 2);  // unit text
    EXPECT_EQ(RowOf(report, 37), nullptr);
}

TEST(ReportRows, MarkTheFirstRowOfEachGroup)
{
    const CParameterReport report(ZeroedSetOf(kKtaGen1Modbus));
    EXPECT_TRUE(RowOf(report, 0)->firstOfGroup);
    EXPECT_FALSE(RowOf(report, 1)->firstOfGroup);
    EXPECT_TRUE(RowOf(report, 28)->firstOfGroup); // Tariff
    EXPECT_TRUE(RowOf(report, 29)->firstOfGroup); // Passcode
    EXPECT_TRUE(RowOf(report, 30)->firstOfGroup); // Input
    EXPECT_FALSE(RowOf(report, 31)->firstOfGroup);
}

TEST(ReportRows, HiddenRowsMoveTheGroupMarkToTheFirstShownRow)
{
    // Configuration mode (word 30) opens the Input group but no KTA has it.
    CParameterReport report(ZeroedSetOf(kKtaGen1Modbus));
    report.SetHideUnable(true);
    EXPECT_EQ(RowOf(report, 30), nullptr);
    EXPECT_TRUE(RowOf(report, 31)->firstOfGroup);
}

TEST(ReportOnly, StateFollowsThePcVariant)
{
    const CParameterReport report(ZeroedSetOf(kKtaGen1Modbus));
    EXPECT_FALSE(report.IsComparing());
    EXPECT_EQ(StateOf(report, 0), ReportRowState::Applies);
    EXPECT_EQ(StateOf(report, 4), ReportRowState::NotApplicable);
    EXPECT_EQ(report.DifferentCount(), 0);
    EXPECT_EQ(report.ResultText(), "");
    EXPECT_FALSE(report.ResultIsRed());
    EXPECT_EQ(report.ColumnHeadings(), (std::vector<std::string>{"Group", "Name", "PC"}));
    EXPECT_FALSE(report.ComparisonSet());
}

TEST(ReportOnly, HideDropsOnlyRowsThePcVariantLacks)
{
    CParameterReport report(ZeroedSetOf(kKtaGen1Modbus));
    const size_t all = report.Rows().size();
    report.SetHideUnable(true);
    EXPECT_LT(report.Rows().size(), all);
    for (const ReportRow& row : report.Rows())
        EXPECT_FALSE(row.state == ReportRowState::NotApplicable && row.ValuesEmpty()) << row.word;
    EXPECT_EQ(RowOf(report, 162), nullptr);
    EXPECT_NE(RowOf(report, 0), nullptr);
    report.SetHideUnable(false);
    EXPECT_EQ(report.Rows().size(), all);
}

TEST(Compare, ASetWithItselfMatches)
{
    for (int typeId : {kKtaGen1Modbus, kQhModbus, kZnpw}) {
        const ParameterSet set = ZeroedSetOf(typeId);
        CParameterReport report(set);
        report.CompareWithDevice(set);
        EXPECT_EQ(report.DifferentCount(), 0) << typeId;
        EXPECT_EQ(report.FirstDifferentRow(), -1);
        EXPECT_EQ(report.ResultText(), "All parameters matching.");
        EXPECT_FALSE(report.ResultIsRed());
        EXPECT_EQ(report.ColumnHeadings().back(), "Device");
    }
}

TEST(Compare, CountsRawDifferencesOfBothVariantsParameters)
{
    const ParameterSet pc = ZeroedSetOf(kQhTcp);
    ParameterSet other = pc;
    other[37] = 1;  // high word of Primary voltage
    other[157] = 2; // second word of the IP address
    other[45] = 7;  // Conv value unit: QH has none
    other[34] = 3;  // sensor: the Primary current text vanishes, its word is equal
    CParameterReport report(pc);
    report.CompareWithDevice(other);
    EXPECT_EQ(StateOf(report, 36), ReportRowState::Different);
    EXPECT_EQ(StateOf(report, 156), ReportRowState::Different);
    EXPECT_EQ(StateOf(report, 44), ReportRowState::NotApplicable);
    EXPECT_EQ(StateOf(report, 34), ReportRowState::Different);
    EXPECT_EQ(StateOf(report, 33), ReportRowState::Applies);
    EXPECT_EQ(RowOf(report, 33)->compareValue, "");
    EXPECT_EQ(report.DifferentCount(), 3);
    EXPECT_EQ(report.FirstDifferentRow(), IndexOf(report, 34));
    EXPECT_EQ(report.ResultText(), "3 parameter(s) not matching.");
    EXPECT_TRUE(report.ResultIsRed());
}

TEST(Compare, BitSetRowsAreComparedRaw)
{
    const ParameterSet pc = ZeroedSetOf(kZnpw);
    ParameterSet other = pc;
    other[200] = 0x05;
    CParameterReport report(pc);
    report.CompareWithDevice(other);
    EXPECT_EQ(StateOf(report, 200), ReportRowState::Different);
    EXPECT_EQ(RowOf(report, 200)->compareValue, "Circuit A, Circuit C");
    EXPECT_EQ(report.DifferentCount(), 1);
}

class KtaAgainstQhFile : public testing::Test {
protected:
    KtaAgainstQhFile() : report_(ZeroedSetOf(kKtaGen1Modbus)) {}
    void SetUp() override
    {
        report_.CompareWithFile(ZeroedSetOf(kQhModbus), "/tmp/configs/site qh.cfg");
    }
    CParameterReport report_;
};

TEST_F(KtaAgainstQhFile, ParametersOneVariantLacksAreNotApplicable)
{
    const CDeviceType& kta = report_.PcSet().type;
    const CDeviceType& qh = report_.ComparisonSet()->type;
    for (const ReportRow& row : report_.Rows()) {
        const bool both = DescriptorApplies(row.word, kta) && DescriptorApplies(row.word, qh);
        EXPECT_EQ(row.state == ReportRowState::NotApplicable, !both) << row.word;
    }
    EXPECT_EQ(report_.ColumnHeadings().back(), "site qh.cfg");
}

TEST_F(KtaAgainstQhFile, HideDropsUnableRowsOnlyWhenBothCellsAreEmpty)
{
    report_.SetHideUnable(true);
    EXPECT_EQ(RowOf(report_, 4), nullptr);  // Sigma1 line1: neither has it
    EXPECT_EQ(RowOf(report_, 42), nullptr); // Conv value coef: ZN only
    EXPECT_NE(RowOf(report_, 0), nullptr);  // Operation mode: KTA only
    EXPECT_NE(RowOf(report_, 48), nullptr); // Input2 sensor: QH only
    EXPECT_EQ(StateOf(report_, 0), ReportRowState::NotApplicable);
    EXPECT_EQ(StateOf(report_, 48), ReportRowState::NotApplicable);
    for (const ReportRow& row : report_.Rows())
        EXPECT_FALSE(row.state == ReportRowState::NotApplicable && row.ValuesEmpty()) << row.word;
}

TEST(Copy, TakesTheComparisonSideIntoTheReportOnly)
{
    const ParameterSet working = ZeroedSetOf(kKtaGen1Modbus);
    ParameterSet device = working;
    device[33] = 100;
    CParameterReport report(working);
    EXPECT_FALSE(report.CopyComparisonToPc());
    report.CompareWithDevice(device);
    ASSERT_EQ(report.DifferentCount(), 1);
    EXPECT_TRUE(report.CopyComparisonToPc());
    EXPECT_EQ(report.PcSet()[33], 100);
    EXPECT_EQ(RowOf(report, 33)->pcValue, "100");
    EXPECT_EQ(report.DifferentCount(), 0);
    EXPECT_EQ(report.ResultText(), "All parameters matching.");
    EXPECT_EQ(working[33], 5);
}

TEST(Copy, TakesTheComparisonVariantToo)
{
    CParameterReport report(ZeroedSetOf(kKtaGen1Modbus));
    report.CompareWithFile(ZeroedSetOf(kQhModbus), "qh.cfg");
    report.CopyComparisonToPc();
    EXPECT_EQ(report.PcSet().type.TypeId(), kQhModbus);
    EXPECT_EQ(StateOf(report, 0), ReportRowState::NotApplicable);
}

TEST(ReportColours, ShadeLightensDarkAndDarkensLightColours)
{
    EXPECT_EQ(ShadeColour({255, 255, 255}, 0.1), (Rgb{229, 229, 229}));
    EXPECT_EQ(ShadeColour({100, 100, 100}, 0.1), (Rgb{110, 110, 110}));
    EXPECT_EQ(ShadeColour({240, 20, 20}, 0.1), (Rgb{255, 22, 22}));      // mean 93: capped
    EXPECT_EQ(ShadeColour({127, 128, 128}, 0.05), (Rgb{133, 134, 134})); // mean just below 128
    EXPECT_EQ(ShadeColour({128, 128, 128}, 0.05), (Rgb{121, 121, 121}));
    EXPECT_EQ(ShadeColour({0, 0, 0}, 0.1), (Rgb{0, 0, 0}));
}

TEST(ReportColours, CellsFollowRowStateAndGroupStart)
{
    const ReportPalette p{{0, 0, 0}, {255, 255, 255}, {109, 109, 109}, {240, 240, 240}};
    ReportRow row;
    row.firstOfGroup = true;
    EXPECT_EQ(ReportCellColours(row, ReportColumn::Group, p),
              (CellColours{{0, 0, 0}, {229, 229, 229}}));
    EXPECT_EQ(ReportCellColours(row, ReportColumn::Name, p),
              (CellColours{{0, 0, 0}, {242, 242, 242}}));
    row.firstOfGroup = false;
    EXPECT_EQ(ReportCellColours(row, ReportColumn::Group, p).background, (Rgb{242, 242, 242}));
    EXPECT_EQ(ReportCellColours(row, ReportColumn::Name, p).background, (Rgb{229, 229, 229}));
    EXPECT_EQ(ReportCellColours(row, ReportColumn::Pc, p), (CellColours{p.windowText, p.window}));
    row.state = ReportRowState::Different;
    EXPECT_EQ(ReportCellColours(row, ReportColumn::Compare, p),
              (CellColours{p.windowText, kDifferentCellBackground}));
    EXPECT_EQ(ReportCellColours(row, ReportColumn::Name, p).text, p.windowText);
    row.state = ReportRowState::NotApplicable;
    EXPECT_EQ(ReportCellColours(row, ReportColumn::Pc, p), (CellColours{p.grayText, p.buttonFace}));
}
