#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "SimDevice.h"

// What the standard monitor window reads, and whether the values agree with
// each other the way a real measurement does.

namespace {

struct Block {
    int first;
    int registers;
};

// The reads of poll commands 1-10 for one channel (0 or 1) of a device.
std::vector<Block> MonitorBlocks(const CDeviceType& t, int channel)
{
    const int base = 4000 * channel, mm = 2000 * channel;
    std::vector<Block> b = {{5735, 1}, {5333, 2}, {9597, 17}, {9622, 5}, {5600, 1}};
    b.push_back({channel ? 5338 : 5335, 1});
    b.push_back({30000 + 100 * channel, 6});
    switch (t.modelCode) {
    case 4711:
    case 4751:
        b.insert(b.end(), {{6752, 1}, {6753, 2}});
        break;
    case 4721:
        b.insert(b.end(), {{6768, 2}, {6772, 2}});
        break;
    case 4731:
        b.insert(b.end(), {{channel ? 5610 : 5602, 1}, {channel ? 5609 : 5601, 1}, {5603, 2}});
        break;
    default:
        b.insert(b.end(), {{5601, 1}, {5603, 2}});
    }
    if (t.modelCode == 4751)
        b.push_back({5991, 2});
    b.insert(b.end(), {{base, 16}, {base + 32, 50}});
    for (int g = 0; g < 5; ++g)
        b.insert(b.end(), {{base + 256 + 16 * g, 10}, {base + 512 + 16 * g, 6}});
    b.insert(b.end(), {{mm + 768, 14}, {mm + 800, 44}, {mm + 896, 20}, {mm + 928, 14}});
    b.insert(b.end(), {{mm + 960, 44}, {base + 128, 28}, {base + 192, 28}});
    b.insert(b.end(), {{base + 160, 28}, {base + 224, 28}});
    if (!t.Has(CapZmpv)) {
        b.insert(b.end(), {{channel ? 8280 : 1280, 20}, {mm + 864, 20}});
        for (int r = 0; r < 10; ++r)
            b.push_back({(channel ? 8536 : 1536) + 64 * r, 30});
    }
    if (t.ioWords[4] > 0)
        b.push_back({3136, 16});
    if (t.ioWords[2] > 0)
        b.push_back({3135, 5});
    if ((t.modelCode == 4712 && t.firmwareVersion >= 120) ||
        (t.modelCode == 4751 && (t.optionCode & 5) == 5))
        b.push_back({5339, 1});
    return b;
}

// KTA, KTA with outputs, KTB, KTBL, LKTA with outputs, LKTAS, QG with
// counters, QG with two inputs, ZM, ZM with an output, ZMPV.
class SimMonitorBlocks : public ::testing::TestWithParam<int> {};

TEST_P(SimMonitorBlocks, ServeEveryReadOfThePollCommandsOnEveryChannel)
{
    SimDevice d(Type(GetParam()));
    const CDeviceType& t = d.sim.Identity();
    for (int channel = 0; channel < t.ioWords[3] + (t.ioWords[3] == 0); ++channel)
        for (const Block& b : MonitorBlocks(t, channel))
            EXPECT_EQ(d.Read(b.first, b.registers).size(), size_t(b.registers))
                << "channel " << channel + 1 << " register " << b.first;
}

INSTANTIATE_TEST_SUITE_P(Families, SimMonitorBlocks,
                         ::testing::Values(70, 71, 13, 25, 50, 68, 35, 38, 79, 80, 82));

// The 8 totals and 25 phase values of a channel, as the monitor reads them.
struct Instant {
    std::vector<std::int32_t> totals, phases;
    std::int32_t I(int k) const { return phases[size_t(k)]; }
    std::int32_t Ull(int k) const { return phases[size_t(4 + k)]; }
    std::int32_t U(int k) const { return phases[size_t(7 + k)]; }
    std::int32_t P(int k) const { return phases[size_t(10 + k)]; }
    std::int32_t Q(int k) const { return phases[size_t(13 + k)]; }
    std::int32_t S(int k) const { return phases[size_t(16 + k)]; }
    std::int32_t Pf(int k) const { return phases[size_t(19 + k)]; }
    std::int32_t Lead(int k) const { return phases[size_t(22 + k)]; }
};

Instant ReadInstant(SimDevice& d, int channel = 0)
{
    return {d.Read32s(4000 * channel, 8), d.Read32s(4000 * channel + 32, 25)};
}

struct WiringCase {
    int typeId;
    int wiring;
    int channel;
    std::array<bool, 3> phases; // phase slots with a current
    bool threePhase;
};

void PrintTo(const WiringCase& c, std::ostream* os)
{
    *os << "type " << c.typeId << " wiring " << c.wiring << " channel " << c.channel + 1;
}

class SimConsistency : public ::testing::TestWithParam<WiringCase> {};

TEST_P(SimConsistency, PowersPowerFactorsVoltagesAndAnglesAgree)
{
    const WiringCase& c = GetParam();
    SimDevice d(Installation(c.typeId, c.wiring));
    for (double t : {0.0, 37.0, 611.0, 4321.0}) {
        d.seconds = t;
        const Instant m = ReadInstant(d, c.channel);
        const std::int32_t p = m.totals[2], q = m.totals[3], s = m.totals[4];
        EXPECT_NEAR(m.P(0) + m.P(1) + m.P(2), p, 3);
        EXPECT_NEAR(m.Q(0) + m.Q(1) + m.Q(2), q, 3);
        EXPECT_NEAR(s, std::hypot(p, q), 2);
        EXPECT_NEAR(m.totals[5], 10000.0 * p / s, 1);
        EXPECT_EQ(m.totals[7], q < 0 ? 1 : 0);
        const int first = 30000 + 100 * c.channel;
        for (int k = 0; k < 3; ++k) {
            SCOPED_TRACE("phase " + std::to_string(k + 1) + " at " + std::to_string(t));
            if (!c.phases[size_t(k)]) {
                EXPECT_EQ(m.I(k), 0);
                EXPECT_EQ(m.P(k), 0);
                EXPECT_EQ(d.Read(first + 2 * k, 1)[0], 0);
                continue;
            }
            EXPECT_GT(m.I(k), 0);
            EXPECT_NEAR(m.Pf(k), 10000.0 * m.P(k) / m.S(k), 2);
            EXPECT_EQ(m.Lead(k), 0);
            // Currents lag their voltage by the phase angle of the power factor.
            const double phi = std::acos(m.Pf(k) / 10000.0) * 180 / std::numbers::pi;
            EXPECT_NEAR(AngleBetween(d.Degrees(first + 2 * k), d.Degrees(first + 2 * k + 1)), phi,
                        0.3);
            if (c.threePhase) {
                EXPECT_NEAR(d.Degrees(first + 2 * k + 1), 120.0 * k, 0.1);
                EXPECT_NEAR(m.Ull(k), std::sqrt(3.0) * m.U(k), 0.015 * m.Ull(k));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Wirings, SimConsistency,
    ::testing::Values(WiringCase{70, 0, 0, {true, false, false}, false},
                      WiringCase{70, 1, 0, {true, true, false}, false}, // KTA: legs 1 and 2
                      WiringCase{13, 1, 0, {true, false, true}, false}, // KTB: legs 1 and 3
                      WiringCase{70, 2, 0, {true, true, true}, true},
                      WiringCase{70, 3, 0, {true, true, true}, true},
                      WiringCase{13, 4, 0, {true, true, true}, true},
                      WiringCase{70, 5, 0, {true, true, true}, true},
                      WiringCase{49, 6, 0, {true, true, true}, true},
                      WiringCase{38, 5, 1, {true, true, true}, true},
                      WiringCase{79, 5, 0, {true, true, true}, true}));

TEST(SimConsistency, LeadingLoadsTurnReactivePowerAndTheLeadFlags)
{
    SimOptions o = Installation(70);
    o.scenario.leading = true;
    SimDevice d(o);
    const Instant m = ReadInstant(d);
    EXPECT_LT(m.totals[3], 0);
    EXPECT_EQ(m.totals[7], 1);
    EXPECT_EQ(m.Lead(0) + m.Lead(1) + m.Lead(2), 3);
    EXPECT_LT(AngleBetween(d.Degrees(30000), d.Degrees(30001)), 0);
}

TEST(SimConsistency, SinglePhaseThreeWireSplitsTheNeutralCurrentAndTheLineVoltage)
{
    SimDevice d(Installation(13, 1));
    const Instant m = ReadInstant(d);
    EXPECT_NEAR(m.Ull(2), m.U(0) + m.U(2), 2);
    EXPECT_NEAR(AngleBetween(d.Degrees(30005), d.Degrees(30001)), 180, 0.1);
    EXPECT_NEAR(m.I(3), std::abs(m.I(0) - m.I(2)), 0.05 * m.I(0)); // legs nearly opposite
}

struct Rating {
    int typeId;
    int currentRegister;
    int currentScale; // register units per A
    int voltageRegister;
    int voltageScale;
};

class SimRatings : public ::testing::TestWithParam<Rating> {};

TEST_P(SimRatings, RatedRegistersOfTheModelMatchTheMeasuredMagnitudes)
{
    const Rating& r = GetParam();
    SimDevice d(Installation(r.typeId));
    const std::int32_t current =
        r.currentScale == 1 ? d.Read(r.currentRegister, 1)[0] : d.Read32LowFirst(r.currentRegister);
    EXPECT_EQ(current, 100 * r.currentScale);
    EXPECT_EQ(d.Read32LowFirst(r.voltageRegister), 400 * r.voltageScale);
    const Instant m = ReadInstant(d);
    for (int k = 0; k < 3; ++k) {
        EXPECT_GT(m.I(k), 20000); // tens of amperes from 100 A CTs
        EXPECT_LT(m.I(k), 100000);
        EXPECT_NEAR(m.Ull(k), 40000, 400);
    }
    EXPECT_NEAR(m.totals[6], 5000, 5);
    EXPECT_NEAR(m.totals[5], 9200, 300);
}

INSTANTIATE_TEST_SUITE_P(Models, SimRatings,
                         ::testing::Values(Rating{70, 6752, 1, 6753, 1},
                                           Rating{13, 6768, 1000, 6772, 100},
                                           Rating{49, 5601, 1, 5603, 1},
                                           Rating{68, 5601, 1, 5603, 1},
                                           Rating{35, 5601, 1, 5603, 1},
                                           Rating{79, 6752, 1, 6753, 1})); // ZM reports its CTs

TEST(SimRatings, QgSensorTypeDecidesTheCurrentOfItsInput)
{
    SimDevice d(Installation(38));
    d.Write(4944, {1});
    ASSERT_TRUE(d.WriteOk(5610, {3})); // second input: 200 A sensor
    const Instant first = ReadInstant(d), second = ReadInstant(d, 1);
    EXPECT_GT(second.I(0), 1.3 * first.I(0)); // against the first input's 100 A at more load
}

TEST(SimDerivedValues, DemandStaysBelowItsMaximumAndExtremesEncloseTheLatest)
{
    SimDevice d(Installation(70));
    for (double t : {0.0, 900.0, 1850.0, 3700.0, 7300.0}) {
        d.seconds = t;
        const auto maxDemand = d.Read32s(896, 10);
        for (int g = 0; g < 5; ++g) {
            const auto current = d.Read32s(256 + 16 * g, 5);
            const auto power = d.Read32s(512 + 16 * g, 3);
            for (int i = 0; i < 5; ++i)
                EXPECT_LE(current[size_t(i)], maxDemand[size_t(i)]) << "group " << g;
            EXPECT_LE(power[0], maxDemand[5]);
            EXPECT_LE(power[1], maxDemand[7]);
            EXPECT_LE(power[2], maxDemand[9]);
        }
        const auto total = d.Read32s(0, 7), max = d.Read32s(768, 7), min = d.Read32s(928, 7);
        for (int i = 0; i < 7; ++i) {
            EXPECT_LE(min[size_t(i)], total[size_t(i)]);
            EXPECT_LE(total[size_t(i)], max[size_t(i)]);
        }
    }
}

TEST(SimDerivedValues, EnergyCountsUpWithItsFraction)
{
    SimDevice d(Installation(70));
    auto count = [&](int reg) {
        const std::uint64_t integer = std::uint32_t(d.Read32LowFirst(reg));
        return (integer << 32) | std::uint32_t(d.Read32LowFirst(reg + 64));
    };
    const std::uint64_t before = count(128), timer = count(146);
    d.seconds = 60;
    const std::uint64_t after = count(128);
    EXPECT_GT(after, before);
    // About P x 60 s in 0.1 kWh.
    const double expected = d.Read32LowFirst(4) / 1000.0 / 60 * 10;
    EXPECT_NEAR(double(after - before) / 4294967296.0, expected, 0.1 * expected);
    EXPECT_NEAR(double(count(146) - timer) / 4294967296.0, 10.0 / 60, 0.001); // 0.1 h units
}

TEST(SimDerivedValues, ThdIsTheRootSumOfItsSpectrumWithOddOrdersDominant)
{
    SimDevice d(Installation(70));
    const auto thd = d.Read32s(1280, 10);
    for (int row = 0; row < 10; ++row) {
        const auto spectrum = d.Read(1536 + 64 * row, 30);
        double sum = 0, odd = 0, even = 0;
        for (int i = 0; i < 30; ++i) {
            sum += double(spectrum[size_t(i)]) * spectrum[size_t(i)];
            ((i + 2) % 2 ? odd : even) += spectrum[size_t(i)];
        }
        EXPECT_NEAR(thd[size_t(row)], std::sqrt(sum), 1) << "row " << row;
        EXPECT_GT(odd, 5 * even) << "row " << row;
        EXPECT_GT(thd[size_t(row)], 10) << "row " << row;
    }
}

TEST(SimIdentity, TextHasItsFirstCharacterInTheHighByte)
{
    SimOptions o = Type(35);
    o.scenario.serial = "A1234567";
    o.scenario.tag = "FEEDER-7";
    SimDevice d(o);
    EXPECT_EQ(d.Read(9602, 4), (std::vector<std::uint16_t>{0x4131, 0x3233, 0x3435, 0x3637}));
    EXPECT_EQ(d.Read(9606, 8),
              (std::vector<std::uint16_t>{0x4645, 0x4544, 0x4552, 0x2D37, 0, 0, 0, 0}));
    SimDevice zm(Type(80)); // reports no serial, but a version triple
    EXPECT_EQ(zm.Read(9602, 4), (std::vector<std::uint16_t>{0, 0, 0, 0}));
    EXPECT_EQ(zm.Read(9597, 3)[0], zm.Read(9601, 1)[0] / 100);
}

TEST(SimIdentity, ReportsOtherIoWordsWhenAsked)
{
    SimOptions o = Type(38);
    o.alternativeIo = true; // two inputs with eight counters
    SimDevice d(o);
    EXPECT_EQ(d.Read(9623, 5), (std::vector<std::uint16_t>{0, 0, 0, 2, 8}));
    EXPECT_EQ(d.Read(3136, 16).size(), 16u);
    o.alternativeIo = false;
    o.ioWords = std::array<std::uint16_t, 5>{0, 0, 0, 20, 0};
    EXPECT_EQ(SimDevice(o).Read(9626, 1)[0], 20);
    o = Type(70);
    o.alternativeIo = true;
    EXPECT_THROW(CDeviceSimulator{o}, std::invalid_argument);
}

} // namespace
