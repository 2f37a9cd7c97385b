#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "monitor/CMeasurandsKTA.h"
#include "monitor/ChartColours.h"
#include "monitor/HarmonicsGraphGeometry.h"
#include "monitor/VectorChartGeometry.h"

namespace {

constexpr std::uint16_t kKta = 0x1267;
constexpr std::uint16_t kKtb = 0x1271;
constexpr std::uint16_t kZn = 0x1299;
constexpr std::uint16_t kQuarterTurn = 16384;

std::vector<int> Drawn(const VectorChartLayout& layout)
{
    std::vector<int> v;
    for (const ChartVectorShape& s : layout.vectors)
        v.push_back(s.vector);
    return v;
}

// A 3-phase 4-wire KTA at rated values: 110 V and 5 A primary, the voltages at
// rating, the currents at half of it.
class VectorChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        image.modelCode = kKta;
        image.wiringSystem = 5;
        image.ratedVoltage = 110;
        image.ratedCurrent = 5;
        for (int i = 0; i < 3; ++i) {
            image.items[15 + i] = 11000; // 110.00 V
            image.items[8 + i] = 2500;   // 2.500 A
        }
    }
    VectorChartData Chart(int circuit = 0) const { return VectorChartFromImage(image, circuit); }

    CMeasurandsKTA image;
    const VectorChartMetrics metrics{10, 12};
};

TEST_F(VectorChartTest, MagnitudesArePerUnitOfTheRatings)
{
    const VectorChartData d = Chart();
    for (int v = kU1N; v <= kU3N; ++v)
        EXPECT_DOUBLE_EQ(d.magnitude[v], 1.0);
    for (int v = kI1; v <= kI3; ++v)
        EXPECT_DOUBLE_EQ(d.magnitude[v], 0.5);
    image.ratedCurrent = -5;
    EXPECT_EQ(Chart().magnitude[kI2], 0.0);
}

TEST_F(VectorChartTest, AngleRegistersInterleaveCurrentsAndVoltages)
{
    for (int i = 0; i < 6; ++i)
        image.angles[i] = std::uint16_t(1000 * (i + 1));
    const VectorChartData d = Chart();
    // 30000 I1, 30001 U1N, 30002 I2, 30003 U2N, 30004 I3, 30005 U3N.
    EXPECT_DOUBLE_EQ(d.angle[kI1], ChartAngleDegrees(1000));
    EXPECT_DOUBLE_EQ(d.angle[kU1N], ChartAngleDegrees(2000));
    EXPECT_DOUBLE_EQ(d.angle[kU3N], ChartAngleDegrees(6000));
}

TEST_F(VectorChartTest, QuarterTurnPointsStraightRight)
{
    image.angles[1] = kQuarterTurn; // U1N
    const VectorChartData d = Chart();
    EXPECT_DOUBLE_EQ(d.angle[kU1N], 90.0);
    const VectorChartLayout layout = LayOutVectorChart(d, 200, 160, metrics);
    const ChartVectorShape& u1 = layout.vectors.at(0);
    EXPECT_NEAR(u1.end.x, layout.cx + layout.radius, 1e-9);
    EXPECT_NEAR(u1.end.y, layout.cy, 1e-9);
    // Angle 0 points up.
    EXPECT_NEAR(layout.vectors.at(3).end.y, layout.cy - 0.5 * layout.radius, 1e-9);
}

TEST_F(VectorChartTest, RadiusLeavesRoomForTheLabels)
{
    EXPECT_EQ(VectorChartRadius(100, 80, {10, 12}), 80 - 24);
    EXPECT_EQ(VectorChartRadius(100, 80, {14, 12}), 80 - 28);
    EXPECT_EQ(VectorChartRadius(5, 5, {10, 12}), 0);
    const VectorChartLayout layout = LayOutVectorChart(Chart(), 200, 160, metrics);
    EXPECT_EQ(layout.cx, 100);
    EXPECT_EQ(layout.cy, 80);
    EXPECT_EQ(layout.radius, 56);
    // Voltage labels 1.5 text heights beyond the circle, currents half of one.
    EXPECT_NEAR(layout.cy - layout.vectors[0].labelCentre.y, 56 + 15, 1e-9);
    EXPECT_NEAR(layout.cy - layout.vectors[3].labelCentre.y, 56 + 5, 1e-9);
    EXPECT_TRUE(LayOutVectorChart(Chart(), 0, 0, metrics).vectors.size() == 6);
}

TEST_F(VectorChartTest, RatedVoltageZeroLeavesOnlyDotsAtTheCentre)
{
    image.ratedVoltage = 0; // loop test
    const VectorChartLayout layout = LayOutVectorChart(Chart(), 200, 160, metrics);
    for (const ChartVectorShape& s : layout.vectors) {
        const bool voltage = IsVoltageVector(s.vector);
        EXPECT_EQ(s.labelled, !voltage) << s.vector;
        if (voltage) {
            EXPECT_DOUBLE_EQ(s.end.x, layout.cx);
            EXPECT_DOUBLE_EQ(s.end.y, layout.cy);
        }
    }
}

TEST_F(VectorChartTest, WiringDecidesWhichVectorsAreDrawn)
{
    const auto drawn = [&](std::uint16_t wiring, std::uint16_t model) {
        image.wiringSystem = wiring;
        image.modelCode = model;
        return Drawn(LayOutVectorChart(Chart(), 200, 160, metrics));
    };
    EXPECT_EQ(drawn(0, kKta), (std::vector<int>{kU1N, kI1}));
    EXPECT_EQ(drawn(0, kZn), (std::vector<int>{kU1N, kI1}));
    EXPECT_EQ(drawn(1, kKta), (std::vector<int>{kU1N, kU2N, kI1, kI2}));
    EXPECT_EQ(drawn(1, kKtb), (std::vector<int>{kU1N, kU3N, kI1, kI3}));
    EXPECT_EQ(drawn(1, kZn).size(), 6u);
    EXPECT_EQ(drawn(5, kKta).size(), 6u);
}

class BalancedWiringTest : public VectorChartTest, public ::testing::WithParamInterface<int> {};

TEST_P(BalancedWiringTest, OneCtTurnsTheFirstPhaseByThirds)
{
    image.wiringSystem = std::uint16_t(GetParam());
    image.angles[0] = 1820; // I1, 10 degrees
    image.angles[1] = 0;    // U1N
    image.angles[3] = 999;  // ignored: U2N follows U1N
    const VectorChartData d = Chart();
    EXPECT_NEAR(d.angle[kU2N], 120.0, 1e-9);
    EXPECT_NEAR(d.angle[kU3N], 240.0, 1e-9);
    EXPECT_NEAR(d.angle[kI2], d.angle[kI1] + 120.0, 1e-9);
    EXPECT_NEAR(d.angle[kI3], d.angle[kI1] + 240.0, 1e-9);
}
INSTANTIATE_TEST_SUITE_P(Wirings2And4, BalancedWiringTest, ::testing::Values(2, 4));

TEST_F(VectorChartTest, UnbalancedAnglesAreDrawnAsRead)
{
    image.wiringSystem = 3;
    image.angles[1] = kQuarterTurn;
    image.angles[3] = 999;
    const VectorChartData d = Chart();
    EXPECT_DOUBLE_EQ(d.angle[kU1N], 90.0); // no rotation outside simple measurement
    EXPECT_DOUBLE_EQ(d.angle[kU2N], ChartAngleDegrees(999));
}

// Simple measurement: PF 0.5, so each current lags its voltage by 60 degrees.
class SimpleMeasurementTest : public VectorChartTest {
protected:
    void SetUp() override
    {
        VectorChartTest::SetUp();
        image.modelWords = {1, 5000};
        image.angles[1] = kQuarterTurn; // read angles are replaced
    }
};

TEST_F(SimpleMeasurementTest, SinglePhaseTwoWireCurrentsAllLag)
{
    image.wiringSystem = 0;
    const VectorChartData d = Chart();
    EXPECT_NEAR(d.angle[kU1N], 0.0, 1e-9);
    EXPECT_NEAR(d.angle[kU3N], -180.0, 1e-9);
    for (int v = kI1; v <= kI3; ++v)
        EXPECT_NEAR(d.angle[v], 60.0, 1e-9);
}

TEST_F(SimpleMeasurementTest, ThreePhaseCurrentsLagTheirVoltages)
{
    image.wiringSystem = 3;
    const VectorChartData d = Chart();
    EXPECT_NEAR(d.angle[kU2N], 120.0, 1e-9);
    EXPECT_NEAR(d.angle[kU3N], 240.0, 1e-9);
    EXPECT_NEAR(d.angle[kI2], 180.0, 1e-9);
    EXPECT_NEAR(d.angle[kI3], 300.0, 1e-9);
}

TEST_F(SimpleMeasurementTest, SinglePhaseThreeWireHasNoSecondCurrent)
{
    image.wiringSystem = 1;
    const VectorChartData d = Chart();
    EXPECT_NEAR(d.angle[kI1], 60.0, 1e-9);
    EXPECT_NEAR(d.angle[kI2], 0.0, 1e-9);
    EXPECT_NEAR(d.angle[kI3], -120.0, 1e-9);
}

TEST_F(SimpleMeasurementTest, RotatesEverythingByU1NWhereTheWiringKeepsAnglesAsRead)
{
    image.wiringSystem = 6;
    image.angles[0] = kQuarterTurn + 8192; // I1 at 135 degrees
    const VectorChartData d = Chart();
    EXPECT_DOUBLE_EQ(d.angle[kU1N], 0.0);
    EXPECT_NEAR(d.angle[kI1], 45.0, 1e-9);
    EXPECT_NEAR(d.angle[kU2N], -90.0, 1e-9); // U2N read as 0
}

TEST_F(SimpleMeasurementTest, PowerFactorPastOneIsClampedBeforeArccos)
{
    image.wiringSystem = 0;
    image.modelWords[1] = 20000;
    const VectorChartData d = Chart();
    EXPECT_FALSE(std::isnan(d.angle[kI1]));
    EXPECT_NEAR(d.angle[kI1], 0.0, 1e-9);
}

// A ZN device: two systems, four circuits with their own ratings.
class ZnChartTest : public VectorChartTest {
protected:
    void SetUp() override
    {
        VectorChartTest::SetUp();
        image.modelCode = kZn;
        image.circuitRatings = {5, 10, 20, 40};
        for (int i = 0; i < 3; ++i)
            image.items[41 + i] = 4000 * (i + 1);
        for (int i = 0; i < 12; ++i)
            image.angles[i] = std::uint16_t(100 * (i + 1));
    }
};

TEST_F(ZnChartTest, SinglePhaseCircuitsTakeTheirCurrentAndSystem)
{
    image.wiringSystem = 16;
    const VectorChartData d = Chart(3);
    EXPECT_EQ(d.circuit, 3);
    EXPECT_DOUBLE_EQ(d.angle[kU1N], ChartAngleDegrees(800));  // B1
    EXPECT_DOUBLE_EQ(d.angle[kU3N], ChartAngleDegrees(1200)); // B5
    EXPECT_DOUBLE_EQ(d.angle[kI1], ChartAngleDegrees(900));   // B2
    EXPECT_DOUBLE_EQ(d.magnitude[kI1], 8000 / 1000.0 / 40);   // item 42, circuit D
    EXPECT_EQ(d.magnitude[kU2N], 0.0);
    EXPECT_EQ(d.magnitude[kI2], 0.0);
    EXPECT_EQ(d.magnitude[kI3], 0.0);
    const VectorChartData b = Chart(1);
    EXPECT_DOUBLE_EQ(b.angle[kI1], ChartAngleDegrees(300)); // A2
    EXPECT_DOUBLE_EQ(b.magnitude[kI1], 2500 / 1000.0 / 10); // item 9, circuit B
}

TEST_F(ZnChartTest, ThreeWireCircuitCShowsTheSecondSystem)
{
    image.wiringSystem = 1;
    const VectorChartData d = Chart(2);
    EXPECT_DOUBLE_EQ(d.angle[kU2N], ChartAngleDegrees(1000)); // B3
    EXPECT_DOUBLE_EQ(d.angle[kI3], ChartAngleDegrees(1100));  // B4
    EXPECT_DOUBLE_EQ(d.magnitude[kI3], 12000 / 1000.0 / 20);  // item 43, circuit C
    image.circuitRatings[2] = 0;
    EXPECT_EQ(Chart(2).magnitude[kI1], 0.0);
    // Circuit B is not one of this wiring's: the chart falls back to A.
    EXPECT_EQ(Chart(1).circuit, 0);
}

TEST_F(ZnChartTest, SimpleMeasurementHangsACircuitOnItsPhase)
{
    image.wiringSystem = 16;
    image.modelWords = {1, 5000};
    image.items[386 + 2] = 1; // circuit C on "3-N"
    EXPECT_NEAR(Chart(2).angle[kI1], 60.0 - 180.0, 1e-9);
    EXPECT_NEAR(Chart(1).angle[kI1], 60.0, 1e-9);
}

struct ClickCase {
    std::uint16_t model;
    std::uint16_t wiring;
    std::vector<int> circuits; // after each click, from circuit A
};

class CircuitClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(CircuitClickTest, ClicksStepThroughTheWiringsCircuits)
{
    const ClickCase& c = GetParam();
    VectorChartData d;
    d.modelCode = c.model;
    d.wiringSystem = c.wiring;
    for (int expected : c.circuits) {
        d.magnitude.fill(0.7);
        const bool changed = AdvanceChartCircuit(d);
        EXPECT_EQ(d.circuit, expected);
        EXPECT_EQ(d.magnitude[kU1N], changed ? 0.0 : 0.7);
        EXPECT_EQ(changed, c.circuits.size() > 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Wirings, CircuitClickTest,
                         ::testing::Values(ClickCase{kZn, 1, {2, 0}}, ClickCase{kZn, 3, {2, 0}},
                                           ClickCase{kZn, 5, {0}}, ClickCase{kZn, 17, {2, 3, 0}},
                                           ClickCase{kZn, 0, {1, 2, 3, 0}},
                                           ClickCase{kZn, 16, {1, 2, 3, 0}},
                                           ClickCase{0x129A, 16, {1, 2, 3, 0}},
                                           ClickCase{kKta, 0, {0}}));

TEST(ChartColours, ColorRefHoldsRedInTheLowByte)
{
    EXPECT_EQ(RgbFromColorRef(0x0000FF), (ChartRgb{255, 0, 0}));
    EXPECT_EQ(RgbFromColorRef(0xC83232), (ChartRgb{0x32, 0x32, 0xC8}));
}

// A 373-pixel graph (12 per slot) with bands from 14- and 30-pixel texts.
class HarmonicsGraphTest : public ::testing::Test {
protected:
    HarmonicsGraphLayout Layout() const { return LayOutHarmonicsGraph(data, 373, 200, metrics); }

    HarmonicsGraphData data;
    const HarmonicsGraphMetrics metrics{14, 30};
};

TEST_F(HarmonicsGraphTest, WidthIsCutToThirtyOneSlotsPlusOne)
{
    EXPECT_EQ(HarmonicsGraphWidth(400), 373);
    EXPECT_EQ(HarmonicsGraphWidth(373), 373);
    EXPECT_EQ(HarmonicsGraphWidth(31), 1);
    EXPECT_EQ(HarmonicsGraphWidth(0), 0);
}

TEST_F(HarmonicsGraphTest, BandsAndLinesFromTheBottom)
{
    const HarmonicsGraphLayout g = Layout();
    EXPECT_EQ(g.slotWidth, 12);
    EXPECT_EQ(g.bottom, 199);
    EXPECT_EQ(g.orderTop, 199 - 18);
    EXPECT_EQ(g.plotBottom, 199 - 18 - 34);
    EXPECT_EQ(g.verticalLines.size(), 32u);
    EXPECT_EQ(g.verticalLines.back(), 372);
    EXPECT_EQ(g.horizontalLines, (std::vector<int>{0, g.plotBottom, g.orderTop, 199}));
}

TEST_F(HarmonicsGraphTest, StepOneShowsEveryOrder)
{
    data.values[4] = 250;
    const HarmonicsGraphLayout g = Layout();
    ASSERT_EQ(g.orders.size(), 31u);
    EXPECT_EQ(g.orders[0].orderText, "01");
    EXPECT_EQ(g.orders[30].orderText, "31");
    EXPECT_EQ(g.orders[0].valueText, "100.0");
    const HarmonicsSlot& fifth = g.orders[4];
    EXPECT_EQ(fifth.valueText, "25.0");
    const int plotHeight = g.plotBottom - g.plotTop;
    EXPECT_EQ(fifth.bar, (GraphRect{4 * 12 + 2, g.plotBottom - 250 * (plotHeight - 2) / 1000,
                                    5 * 12 - 1, g.plotBottom}));
    // 100 % fills the plot up to just below its top line.
    EXPECT_EQ(g.orders[0].bar.top, g.plotTop + 2);
    EXPECT_FALSE(g.orders[1].hasBar); // value 0
}

TEST_F(HarmonicsGraphTest, StepTwoShowsOrderOneAndTheOddOrders)
{
    data.step = 2;
    data.values[1] = 300; // the third order
    const HarmonicsGraphLayout g = LayOutHarmonicsGraph(data, 373, 200, metrics);
    ASSERT_EQ(g.orders.size(), 16u);
    EXPECT_EQ(g.slotWidth, 373 / 16);
    EXPECT_EQ(g.orders[1].orderText, "03");
    EXPECT_EQ(g.orders[1].valueText, "30.0");
    EXPECT_EQ(g.orders[15].orderText, "31");
}

TEST_F(HarmonicsGraphTest, ValueOverFullScaleReachesAboveThePlot)
{
    data.values[3] = 1234;
    const HarmonicsSlot s = Layout().orders[3];
    EXPECT_EQ(s.valueText, "123.4");
    EXPECT_TRUE(s.hasBar);
    EXPECT_LT(s.bar.top, Layout().plotTop);
}

TEST_F(HarmonicsGraphTest, HiddenDrawsOnlyTheOrders)
{
    data.hidden = true;
    data.values[3] = 500;
    for (const HarmonicsSlot& s : Layout().orders) {
        EXPECT_FALSE(s.hasBar);
        EXPECT_TRUE(s.valueText.empty());
        EXPECT_FALSE(s.orderText.empty());
    }
}

TEST_F(HarmonicsGraphTest, UpdateCopiesTheRowInRegisterOrder)
{
    CMeasurandsKTA image;
    for (int i = 0; i < 30; ++i)
        image.spectrum[7][i] = std::uint16_t(10 + i);
    image.spectrum[7][0] = 1234;
    data.row = 7;
    data.hidden = true;
    UpdateHarmonicsFromImage(data, image);
    EXPECT_FALSE(data.hidden);
    EXPECT_EQ(data.values[0], 1000);
    EXPECT_EQ(data.values[1], 1234);          // order 2
    EXPECT_EQ(data.values[30], 39);           // order 31
    data.row = CMeasurandsKTA::kSpectrumRows; // no such row
    UpdateHarmonicsFromImage(data, image);
    EXPECT_EQ(data.values[1], 0);
    EXPECT_EQ(data.values[0], 1000);
}

} // namespace
