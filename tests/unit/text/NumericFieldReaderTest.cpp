#include <gtest/gtest.h>

#include "app/CPrivateException.h"
#include "text/CStringTable.h"
#include "text/NumericFieldReader.h"

namespace {

std::string Failure(const std::string& text, const NumericField& field)
{
    try {
        ReadNumericField(text, field);
    } catch (const CPrivateException& e) {
        return e.Text();
    }
    return "<accepted>";
}

const NumericField kPrimaryVoltage{1, 50, 400000, 15153, std::nullopt};

} // namespace

TEST(NumericFieldReader, IntegerFieldsUseCBasesAndRejectLeftovers)
{
    EXPECT_EQ(ReadNumericField("400000", kPrimaryVoltage), 400000);
    EXPECT_EQ(ReadNumericField("0x64", kPrimaryVoltage), 100);
    EXPECT_EQ(ReadNumericField("0100", kPrimaryVoltage), 64);
    const std::string notInteger = FormatText(11027, {LoadText(15153)});
    EXPECT_EQ(Failure("1e3", kPrimaryVoltage), notInteger);
    EXPECT_EQ(Failure("", kPrimaryVoltage), notInteger);
    EXPECT_EQ(Failure("12 V", kPrimaryVoltage), notInteger);
}

TEST(NumericFieldReader, RangeMessagesNameTheFieldAndScaledLimits)
{
    EXPECT_EQ(Failure("400001", kPrimaryVoltage),
              FormatText(11000, {LoadText(15153), "50", "400000"}));
    const NumericField pf{100, -50, 100, 15000, std::nullopt};
    EXPECT_EQ(Failure("1.5", pf), FormatText(11000, {LoadText(15000), "-0.50", "1.00"}));
    const NumericField withExtra{10, 10, 100, 15000, 0};
    EXPECT_EQ(ReadNumericField("0", withExtra), 0);
    EXPECT_EQ(Failure("0.5", withExtra),
              FormatText(11035, {LoadText(15000), "1.0", "10.0", "0.0"}));
}

TEST(NumericFieldReader, DecimalFieldsRoundHalfAwayFromZero)
{
    const NumericField f{100, -100000, 100000, 15000, std::nullopt};
    EXPECT_EQ(ReadNumericField("0.125", f), 13);
    EXPECT_EQ(ReadNumericField("-0.125", f), -13);
    EXPECT_EQ(ReadNumericField("1e2", f), 10000);
    EXPECT_EQ(Failure("nan", f), FormatText(11026, {LoadText(15000)}));
    EXPECT_EQ(Failure("inf", f), FormatText(11026, {LoadText(15000)}));
    EXPECT_EQ(Failure("1e300", f), FormatText(11000, {LoadText(15000), "-1000.00", "1000.00"}));
    EXPECT_EQ(FormatScaledValue(-5, 100), "-0.05");
    EXPECT_EQ(FormatScaledValue(7, 1), "7");
}
