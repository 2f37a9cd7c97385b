#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "SimBcdClock.h"
#include "SimDevice.h"

// The QH multi-circuit monitor and the ZN monitor: every register their
// windows read, consistent per channel and per system, and the QH commands.

namespace {

int RecordOf(int channel)
{
    const int within = channel % 8;
    return (channel < 8 ? 4416 : 5440) + (within / 2) * 256 + (within % 2) * 64;
}

struct QhCase {
    int typeId;
    bool alternativeIo;
    int channels;
    int pulseInputs;
};

void PrintTo(const QhCase& c, std::ostream* os)
{
    *os << "type " << c.typeId << (c.alternativeIo ? " with pulse inputs" : "");
}

class SimQhBlocks : public ::testing::TestWithParam<QhCase> {};

TEST_P(SimQhBlocks, ServeEveryReadOfTheMonitorDetailAndTestWindows)
{
    const QhCase& c = GetParam();
    SimOptions o = Type(c.typeId);
    o.alternativeIo = c.alternativeIo;
    SimDevice d(o);
    EXPECT_EQ(d.Read(9626, 2), (std::vector<std::uint16_t>{std::uint16_t(c.channels),
                                                           std::uint16_t(c.pulseInputs)}));
    auto readable = [&](int first, int count) {
        return d.Read(first, count).size() == size_t(count);
    };
    for (int ch = 0; ch < c.channels; ++ch) {
        SCOPED_TRACE("channel " + std::to_string(ch + 1));
        EXPECT_TRUE(readable(RecordOf(ch), 58));
        for (int first : {64, 74, 84})
            EXPECT_TRUE(readable(first + 32 * ch, 10));
        for (int first : {576, 608, 640})
            EXPECT_TRUE(readable(first + 96 * ch, 32));
        EXPECT_TRUE(readable(2115 + 144 * ch, 8));
        EXPECT_TRUE(readable(2128 + 144 * ch, 8));
        for (int i = 0; i < 8; ++i)
            EXPECT_TRUE(readable(2140 + 144 * ch + 5 * i, 2) &&
                        readable(2195 + 144 * ch + 5 * i, 2));
        EXPECT_TRUE(readable(6480 + 8 * ch, 8));
        for (int a = 0; a < 4; ++a)
            EXPECT_TRUE(readable((419 + 4 * ch + a) * 16, 15));
        EXPECT_TRUE(readable(9136 + ch, 1) && readable(8995 + ch, 1));
    }
    for (int input = 0; input < c.pulseInputs; ++input)
        EXPECT_TRUE(readable(RecordOf(8 + input), 58));
    for (const auto& [first, count] : {std::pair{0, 16},
                                       {16, 16},
                                       {32, 16},
                                       {6464, 14},
                                       {9104, 3},
                                       {8993, 2},
                                       {9597, 17},
                                       {9622, 5}})
        EXPECT_TRUE(readable(first, count)) << first;
    for (int a = 4; a < 10; ++a)
        EXPECT_TRUE(readable((409 + a) * 16, 15));
    // Nothing past the last channel: neither its loop test nor its reset.
    EXPECT_TRUE(IsException(d.Request(ReadPdu(9135, 1)), 2));
    EXPECT_TRUE(IsException(d.Request(ReadPdu(9136 + c.channels, 1)), 2));
    EXPECT_TRUE(IsException(d.Request(ReadPdu(8995 + c.channels, 1)), 2));
}

INSTANTIATE_TEST_SUITE_P(Modules, SimQhBlocks,
                         ::testing::Values(QhCase{52, false, 8, 0}, QhCase{52, true, 8, 8},
                                           QhCase{64, false, 16, 0}));

TEST(SimQh, ChannelsShareTheSupplyAndAddUpTheirPhases)
{
    SimOptions o = Installation(64);
    SimDevice d(o);
    const auto common = d.Read32s(0, 8); // U12, U23, U31, U1N, U2N, U3N, Sigma, F
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(common[size_t(k)], std::sqrt(3.0) * common[size_t(3 + k)], 0.015 * common[0]);
    EXPECT_NEAR(common[0], 40000, 400);
    EXPECT_NEAR(common[7], 5000, 5);
    std::set<std::int32_t> currents;
    for (int c = 0; c < 16; ++c) {
        const auto i = d.Read32s(64 + 32 * c, 5); // I1, I2, I3, IN, Sigma
        const auto p = d.Read32s(576 + 96 * c, 16);
        EXPECT_NEAR(p[0] + p[1] + p[2], p[3], 3) << c;
        EXPECT_NEAR(p[4] + p[5] + p[6], p[7], 3) << c;
        EXPECT_NEAR(p[11], std::hypot(p[3], p[7]), 2) << c;
        EXPECT_NEAR(p[15], 10000.0 * p[3] / p[11], 1) << c;
        EXPECT_NEAR(i[4], (i[0] + i[1] + i[2]) / 3.0, 2) << c;
        currents.insert(i[0] / 5000);
    }
    EXPECT_GT(currents.size(), 5u); // branch circuits carry different loads
}

TEST(SimQh, HourlyRecordsRollWithTheDeviceClock)
{
    SimOptions o = Installation(52);
    o.scenario.clockStart = SimCalendarSeconds(2024, 12, 15, 8, 30, 0);
    SimDevice d(o);
    auto record = [&] { return d.Read32s(RecordOf(2), 29); };
    const auto before = record();
    EXPECT_EQ(before[3], before[5 + 8]); // the running hour is 08:00-09:00
    EXPECT_EQ(before[4], before[5 + 7]); // the hour before
    EXPECT_GT(before[5 + 7], before[3]); // a whole hour against half of one
    d.seconds = 1800;
    d.unixTime += 1800; // 09:00:00
    const auto after = record();
    EXPECT_EQ(after[4], after[5 + 8]);
    EXPECT_GT(after[5 + 8], before[5 + 8]);
    EXPECT_EQ(after[3], after[5 + 9]);
    EXPECT_LT(after[3], 2); // the new hour has just begun
    EXPECT_GT(after[0], before[0]);
    EXPECT_EQ(d.Read(9104, 3), (std::vector<std::uint16_t>{0x2412, 0x1509, 0x0000}));
}

TEST(SimQh, ResetCodesClearWhatTheyName)
{
    SimOptions o = Installation(52);
    o.passcode = 4321;
    SimDevice d(o);
    for (double t : {0.0, 17.0, 33.0})
        d.seconds = t, d.Read(0, 2);
    EXPECT_TRUE(IsException(d.Write(8995 + 3, {1}), 4)); // QH unlock first
    d.Write(8976, {4321, 0, 1});
    ASSERT_TRUE(d.WriteOk(8995 + 3, {1}));
    auto r = d.Read32s(RecordOf(3), 29);
    EXPECT_EQ(r[0], 0);
    EXPECT_GT(r[5 + 12], 0); // hourly values stay
    ASSERT_TRUE(d.WriteOk(8995 + 3, {2 | 32}));
    r = d.Read32s(RecordOf(3), 29);
    EXPECT_EQ(std::vector<std::int32_t>(r.begin() + 5, r.end()), std::vector<std::int32_t>(24, 0));
    EXPECT_EQ(d.Read32s(74 + 32 * 3, 5), d.Read32s(64 + 32 * 3, 5)); // maximum = latest
    EXPECT_NE(d.Read32s(74 + 32 * 4, 5), d.Read32s(64 + 32 * 4, 5)); // other channels keep theirs
    EXPECT_EQ(d.Read(8995 + 3, 1)[0], 0);
    EXPECT_TRUE(IsException(d.Write(8995 + 3, {0x800}), 3));
    EXPECT_TRUE(IsException(d.Write(8995 + 8, {1}), 2)); // an 8-channel unit
    EXPECT_TRUE(IsException(d.Write(4942, {0, 0}), 2));  // inside a record, not a passcode input
}

TEST(SimQh, DemandExtremesCarryTheirMoment)
{
    SimOptions o = Installation(52);
    o.scenario.clockStart = SimCalendarSeconds(2024, 3, 1, 12, 0, 0);
    SimDevice d(o);
    for (double t : {0.0, 300.0, 900.0}) {
        d.seconds = t;
        d.unixTime = 1700000000 + std::int64_t(t);
        const auto demand = d.Read32s(2115, 4);
        const auto max = d.Read(2140, 5), min = d.Read(2195, 5);
        EXPECT_LE(std::int32_t(min[0] | (min[1] << 16)), demand[0]);
        EXPECT_GE(std::int32_t(max[0] | (max[1] << 16)), demand[0]);
        EXPECT_TRUE(SimDecodeClock({max[2], max[3], max[4]}));
        EXPECT_EQ(max[2], 0x2403);
    }
}

TEST(SimQh, LoopTestAndPresetWriteOneChannel)
{
    SimDevice d(Installation(64));
    d.Write(8978, {1});
    ASSERT_TRUE(d.WriteOk(9136 + 12, {1}));
    ASSERT_TRUE(d.WriteOk(64 + 32 * 12, {5000, 0, 6000, 0, 7000, 0, 0, 0, 6000, 0}));
    EXPECT_TRUE(IsException(d.Write(0, {1, 0}), 4)); // voltages follow channel 1
    ASSERT_TRUE(d.WriteOk(RecordOf(12), {0x4240, 0x000F, 100, 0, 0, 0})); // 1000000, 100, 0
    d.seconds = 60;
    EXPECT_EQ(d.Read32s(64 + 32 * 12, 5), (std::vector<std::int32_t>{5000, 6000, 7000, 0, 6000}));
    EXPECT_GE(d.Read32LowFirst(RecordOf(12)), 1000000);
    EXPECT_LT(d.Read32LowFirst(RecordOf(12)), 1000100);
    EXPECT_GE(d.Read32LowFirst(RecordOf(12) + 2), 100);
    EXPECT_TRUE(IsException(d.Write(RecordOf(12) + 6, {0, 0}), 2)); // hourly values are not preset
}

TEST(SimZn, SystemsFollowTheWiringAndTheirCircuits)
{
    SimOptions o = Installation(83, 17); // 1P3W on system 1, two branched circuits on system 2
    SimDevice d(o);
    d.Write(4944, {1});
    ASSERT_TRUE(d.WriteOk(5616, {2}));  // circuit D: 100 A sensor
    ASSERT_TRUE(d.WriteOk(5612, {50})); // circuit C: 50 A primary
    ASSERT_TRUE(d.WriteOk(5699, {1}));  // circuit D on the 3-N leg
    const auto first = d.Read32s(32, 25), second = d.Read32s(4032, 25);
    EXPECT_GT(first[0], 0);
    EXPECT_EQ(first[1], 0); // legs 1 and 3
    EXPECT_GT(first[2], 0);
    EXPECT_GT(second[1], second[0]); // D's 100 A against C's 50 A
    EXPECT_EQ(second[2], 0);
    EXPECT_EQ(second[8], 0); // no 2-N voltage on a single-phase 3-wire supply
    EXPECT_NEAR(d.Degrees(30105), 180, 0.1);
    EXPECT_NEAR(AngleBetween(d.Degrees(30102), d.Degrees(30105)),
                std::acos(second[20] / 10000.0) * 180 / 3.14159265358979, 0.3);
    // Powers in 0.1 W: P of a circuit is its voltage x current x power factor.
    EXPECT_NEAR(second[10], second[7] / 100.0 * second[0] / 1000.0 * second[19] / 10000.0 * 10,
                0.002 * second[10]);
    for (const auto& [first, count] : {std::pair{5696, 4},
                                       {5601, 16},
                                       {5991, 2},
                                       {2768, 14},
                                       {2800, 44},
                                       {2928, 14},
                                       {2960, 44},
                                       {4160, 28},
                                       {4224, 28},
                                       {8280, 20},
                                       {2864, 20},
                                       {30100, 6}})
        EXPECT_EQ(d.Read(first, count).size(), size_t(count)) << first;
    EXPECT_TRUE(IsException(d.Request(ReadPdu(256, 10)), 2)); // no demand on ZN
}

} // namespace
