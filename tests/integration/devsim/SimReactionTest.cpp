#include <gtest/gtest.h>

#include "SimDevice.h"

// How the simulated device reacts to the write sequences of the utility,
// loop-test, loop-back and preset windows.

namespace {

constexpr std::uint32_t kPasscode = 123456789; // 0x075BCD15

// The test windows' unlock: the passcode (low word first here), then the mode.
bool EnterWriteMode(SimDevice& d, std::uint16_t mode, std::uint32_t passcode = kPasscode)
{
    d.Write(4942, {std::uint16_t(passcode & 0xFFFF), std::uint16_t(passcode >> 16)});
    d.Write(4944, {mode});
    return d.Read(4944, 1)[0] == mode;
}

void LeaveWriteMode(SimDevice& d)
{
    d.Write(4944, {0});
    if (d.Read32LowFirst(5333) != 0)
        d.Write(4942, {0, 0});
}

SimOptions Protected(int typeId)
{
    SimOptions o = Installation(typeId);
    o.passcode = kPasscode;
    return o;
}

std::vector<std::uint16_t> Words32(std::initializer_list<std::int32_t> values)
{
    std::vector<std::uint16_t> words;
    for (std::int32_t v : values) {
        words.push_back(std::uint16_t(std::uint32_t(v) & 0xFFFF));
        words.push_back(std::uint16_t(std::uint32_t(v) >> 16));
    }
    return words;
}

TEST(SimWriteMode, LoopTestValuesReplaceTheMeasurementUntilNormal)
{
    SimDevice d(Protected(70));
    ASSERT_TRUE(EnterWriteMode(d, 1));
    ASSERT_TRUE(d.WriteOk(5335, {1}));
    LeaveWriteMode(d);
    EXPECT_TRUE(IsException(d.Write(0, Words32({12345})), 4)); // locked again
    ASSERT_TRUE(EnterWriteMode(d, 2));
    const auto totals = Words32({12345, 23000, 5000, 1000, 5099, 9806, 5000, 0});
    ASSERT_TRUE(d.WriteOk(0, totals));
    LeaveWriteMode(d);
    d.seconds = 120;
    EXPECT_EQ(d.Read(0, 16), totals);
    EXPECT_EQ(d.Read(5335, 1)[0], 1);
    ASSERT_TRUE(EnterWriteMode(d, 1));
    ASSERT_TRUE(d.WriteOk(5335, {0}));
    LeaveWriteMode(d);
    EXPECT_NE(d.Read32LowFirst(0), 12345);
    EXPECT_GT(d.Read32LowFirst(0), 20000); // the measured current of a 100 A feeder
    EXPECT_FALSE(d.sim.Unlocked());
    // The whole sequence is in the log, in order.
    std::vector<int> writes;
    for (const SimRequestRecord& r : d.sim.Log().Records())
        if (r.function == 16)
            writes.push_back(r.address);
    EXPECT_EQ(writes, (std::vector<int>{4942, 4944, 5335, 4944, 4942, 0, 4942, 4944, 0, 4944, 4942,
                                        4942, 4944, 5335, 4944, 4942}));
}

TEST(SimWriteMode, AWrongPasscodeWritesNothing)
{
    SimDevice d(Protected(38));
    EXPECT_FALSE(EnterWriteMode(d, 1, 987654321));
    EXPECT_EQ(d.Read(4944, 1)[0], 0);
    EXPECT_TRUE(IsException(d.Write(5338, {1}), 4));
    EXPECT_TRUE(IsException(d.Write(4128, {1, 0}), 4));
    EXPECT_TRUE(IsException(d.Write(9606, {0x4142}), 4));
    EXPECT_EQ(d.Read(5338, 1)[0], 0);
    EXPECT_NE(d.Read32LowFirst(4128), 1);
}

TEST(SimWriteMode, SecondInputHasItsOwnLoopTestWord)
{
    SimDevice d(Protected(38));
    ASSERT_TRUE(EnterWriteMode(d, 1));
    ASSERT_TRUE(d.WriteOk(5338, {1}));
    EXPECT_TRUE(IsException(d.Write(0, Words32({1})), 4)); // channel 1 still measures
    ASSERT_TRUE(d.WriteOk(4000, Words32({7777})));
    d.seconds = 30;
    EXPECT_EQ(d.Read32LowFirst(4000), 7777);
    EXPECT_EQ(d.Read(5335, 1)[0], 0);
}

TEST(SimPreset, EnergyTakesTheIntegerAndFractionWordsOfTheDialog)
{
    SimDevice d(Protected(38));
    // 1234.5678 kWh on "Active in" of the second input: integer 12345, fraction for 678.
    const auto fraction = static_cast<std::uint32_t>((678ull << 32) / 1000 + 1);
    ASSERT_TRUE(EnterWriteMode(d, 2));
    ASSERT_TRUE(d.WriteOk(4128, Words32({12345})));
    ASSERT_TRUE(d.WriteOk(4192, Words32({std::int32_t(fraction)})));
    d.Write(4944, {0});
    EXPECT_EQ(d.Read32LowFirst(4128), 12345);
    EXPECT_EQ(std::uint32_t(d.Read32LowFirst(4192)) / 4294967, 678u);
    EXPECT_NE(d.Read32LowFirst(128), 12345); // the first input keeps its count
    d.seconds = 3600;
    EXPECT_GT(d.Read32LowFirst(4128), 12345); // and counting goes on from there
}

TEST(SimPreset, AnIntegerAloneStartsAtAZeroFraction)
{
    SimDevice d(Installation(70));
    d.Write(4944, {2});
    ASSERT_TRUE(d.WriteOk(146, Words32({500}))); // operating timer
    EXPECT_EQ(d.Read32LowFirst(146), 500);
    EXPECT_EQ(d.Read32LowFirst(146 + 64), 0);
}

TEST(SimPreset, CountersNeedNoUnlock)
{
    SimDevice d(Protected(35)); // four counters
    ASSERT_TRUE(d.WriteOk(3142, Words32({4242})));
    EXPECT_EQ(d.Read32LowFirst(3142), 4242);
    EXPECT_TRUE(IsException(d.Write(128, Words32({1})), 4)); // energy does
}

TEST(SimReset, MaxMinRestartsFromTheLatestValues)
{
    SimDevice d(Installation(70));
    for (double t : {0.0, 13.0, 29.0})
        d.seconds = t, d.Read(0, 2);
    ASSERT_GT(d.Read32LowFirst(768), d.Read32LowFirst(928)); // a spread of currents
    d.Write(4944, {1});
    ASSERT_TRUE(d.WriteOk(5329, {2}));
    d.Write(4944, {0});
    EXPECT_EQ(d.Read(5329, 1)[0], 0);
    const std::int32_t now = d.Read32LowFirst(0);
    EXPECT_EQ(d.Read32LowFirst(768), now);
    EXPECT_EQ(d.Read32LowFirst(928), now);
}

TEST(SimReset, DemandRestartsItsIntervals)
{
    SimDevice d(Installation(70));
    d.seconds = 4000;
    ASSERT_GT(d.Read32LowFirst(272), 0); // History1
    d.Write(4944, {1});
    ASSERT_TRUE(d.WriteOk(5329, {3}));
    EXPECT_EQ(d.Read32LowFirst(272), 0);
    EXPECT_EQ(d.Read32LowFirst(896), d.Read32LowFirst(256)); // the maximum is the latest
    EXPECT_GT(d.Read32LowFirst(256), 0);
}

TEST(SimReset, SecondInputAndCountersHaveTheirOwnCommands)
{
    SimDevice two(Installation(38));
    two.Write(4944, {1});
    ASSERT_TRUE(two.WriteOk(5337, {1}));
    EXPECT_EQ(two.Read32LowFirst(4128), 0);
    EXPECT_GT(two.Read32LowFirst(128), 0);
    ASSERT_TRUE(two.WriteOk(5329, {1}));
    EXPECT_EQ(two.Read32LowFirst(128), 0);
    EXPECT_TRUE(IsException(two.Write(5337, {15}), 3)); // no counters on this unit

    SimDevice four(Installation(35));
    ASSERT_GT(four.Read32LowFirst(3136), 0);
    four.Write(4944, {1});
    EXPECT_TRUE(IsException(four.Write(5337, {2}), 3)); // no second input
    ASSERT_TRUE(four.WriteOk(5337, {15}));
    EXPECT_EQ(four.Read32s(3136, 4), (std::vector<std::int32_t>{0, 0, 0, 0}));

    SimOptions o = Installation(38);
    o.alternativeIo = true;
    SimDevice eight(o);
    eight.Write(4944, {1});
    ASSERT_TRUE(eight.WriteOk(5339, {255}));
    EXPECT_EQ(eight.Read32s(3136, 8), std::vector<std::int32_t>(8, 0));
}

TEST(SimReset, ZnCircuitMasksClearTheirSystem)
{
    SimDevice d(Installation(83));
    d.Write(4944, {1});
    ASSERT_TRUE(d.WriteOk(5329, {4})); // energy of circuit C: the second system
    EXPECT_EQ(d.Read32LowFirst(4128), 0);
    EXPECT_GT(d.Read32LowFirst(128), 0);
    for (double t : {10.0, 20.0, 40.0})
        d.seconds = t, d.Read(0, 2);
    const std::int32_t maxCurrent = d.Read32LowFirst(768), maxVoltage = d.Read32LowFirst(770);
    ASSERT_TRUE(d.WriteOk(5329, {256})); // the common values only
    EXPECT_EQ(d.Read32LowFirst(768), maxCurrent);
    EXPECT_EQ(d.Read32LowFirst(770), d.Read32LowFirst(2));
    EXPECT_LE(d.Read32LowFirst(770), maxVoltage);
    EXPECT_TRUE(IsException(d.Write(5329, {512}), 3));
}

TEST(SimFixedOutputs, HoldWrittenValuesWithinTheOutputRange)
{
    SimDevice d(Protected(71)); // four 4-20 mA outputs
    ASSERT_TRUE(EnterWriteMode(d, 1));
    EXPECT_TRUE(IsException(d.Write(3136, {1200}), 4)); // not fixed yet
    ASSERT_TRUE(d.WriteOk(5339, {1}));
    ASSERT_TRUE(d.WriteOk(3136, {160, 2240, 1200, 400}));
    EXPECT_TRUE(IsException(d.Write(3136, {2241}), 3));
    LeaveWriteMode(d);
    d.seconds = 60;
    EXPECT_EQ(d.Read(3135, 5), (std::vector<std::uint16_t>{0, 160, 2240, 1200, 400}));
    EXPECT_EQ(d.Read(5339, 1)[0], 1);
    ASSERT_TRUE(EnterWriteMode(d, 1));
    ASSERT_TRUE(d.WriteOk(5339, {0}));
    EXPECT_NE(d.Read(3136, 4), (std::vector<std::uint16_t>{160, 2240, 1200, 400}));
}

TEST(SimTariff, TheSelectedTariffCounts)
{
    SimDevice d(Installation(70));
    const std::int32_t high = d.Read32LowFirst(128), low = d.Read32LowFirst(160);
    d.Write(4944, {1});
    ASSERT_TRUE(d.WriteOk(5328, {1}));
    d.seconds = 3600;
    EXPECT_EQ(d.Read32LowFirst(128), high);
    EXPECT_GT(d.Read32LowFirst(160), low);
}

TEST(SimTag, IsWrittenOnlyWhileUnlocked)
{
    SimDevice d(Protected(70));
    const std::vector<std::uint16_t> tag = {0x5041, 0x4E45, 0x4C2D, 0x3031, 0, 0, 0, 0}; // PANEL-01
    EXPECT_TRUE(IsException(d.Write(9606, tag), 4));
    ASSERT_TRUE(EnterWriteMode(d, 1));
    ASSERT_TRUE(d.WriteOk(9606, tag));
    LeaveWriteMode(d);
    EXPECT_EQ(d.Read(9606, 8), tag);
}

TEST(SimSimpleMeasurement, HoldsThePowerFactorOfTheSetting)
{
    SimDevice d(Installation(79));
    d.Write(4944, {1});
    ASSERT_TRUE(d.WriteOk(5991, {1, 8500}));
    const auto pf = d.Read32s(32 + 2 * 19, 3);
    EXPECT_EQ(pf, (std::vector<std::int32_t>{8500, 8500, 8500}));
    EXPECT_NEAR(AngleBetween(d.Degrees(30002), d.Degrees(30003)), 31.79, 0.05); // arccos 0.85
}

} // namespace
