#include <gtest/gtest.h>

#include "CDeviceSimulator.h"
#include "SimBcdClock.h"
#include "SimDevice.h"
#include "device/CSettingsStocker.h"
#include "device/RegisterMap.h"

namespace {

class SimEveryVariant : public ::testing::TestWithParam<int> {};

TEST_P(SimEveryVariant, IdentityRegistersResolveToTheSimulatedType)
{
    SimDevice d(Type(GetParam()));
    CDeviceType t;
    t.modelCode = d.Read(9600, 1)[0];
    t.firmwareVersion = d.Read(9601, 1)[0];
    t.optionCode = d.Read(9622, 1)[0] & kOptionCodeMask;
    const auto io = d.Read(9623, 5);
    std::copy(io.begin(), io.end(), t.ioWords.begin());
    t.Resolve();
    EXPECT_EQ(t.TypeId(), GetParam());
}

TEST_P(SimEveryVariant, ParameterRegistersStartAtTheVariantDefaults)
{
    SimDevice d(Type(GetParam()));
    ParameterSet expected;
    CSettingsStocker().ChangeDeviceType(GetParam(), expected, true);
    int applied = 0;
    for (const RegisterBlock& e : RegisterMapFor(d.sim.Identity())) {
        if (!EntryApplies(e, d.sim.Identity()))
            continue;
        ++applied;
        const auto r = d.Read(e.reg, e.RegisterCount());
        ASSERT_EQ(r.size(), size_t(e.RegisterCount())) << "register " << e.reg;
        for (int w = 0; w < e.WordCount(); ++w) {
            if (e.firstWord == 30)
                EXPECT_EQ(r[0], expected[30] & 1);
            else
                EXPECT_EQ(r[size_t(w)], expected[e.firstWord + w]) << "register " << e.reg + w;
        }
    }
    EXPECT_GT(applied, 0);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SimEveryVariant, ::testing::Range(0, kDeviceTypeCount));

TEST(SimIdentity, RejectsAFirmwareOutsideTheVariantsRange)
{
    SimOptions o = Type(4); // KTA up to 0x00EF
    o.firmware = 0x00F0;
    EXPECT_THROW(CDeviceSimulator{o}, std::invalid_argument);
    o.firmware = 0x00EF;
    EXPECT_EQ(SimDevice(o).Read(9601, 1)[0], 0x00EF);
}

TEST(SimMemory, PlainBlocksServeLongRequestsOnlyWhereDefined)
{
    SimOptions o = Type(70);
    EXPECT_TRUE(IsException(SimDevice(o).Request(ReadPdu(40000, 125)), 2));
    o.memoryBlocks = {{40000, 125}};
    SimDevice d(o);
    std::vector<std::uint16_t> values(123);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<std::uint16_t>(i * 7);
    ASSERT_EQ(d.Write(40002, values)[0], 0x10);
    const auto read = d.Read(40000, 125);
    ASSERT_EQ(read.size(), 125u);
    EXPECT_EQ(read[2 + 122], 122 * 7);
    EXPECT_TRUE(IsException(d.Request(ReadPdu(40001, 125)), 2));
    o.memoryBlocks = {{65500, 100}};
    EXPECT_THROW(CDeviceSimulator{o}, std::invalid_argument);
}

TEST(SimWordOrder, HighWordFirstExchangesEveryPairOnTheWire)
{
    SimOptions o = Type(70);
    o.wordOrder = 1;
    SimDevice d(o);
    EXPECT_EQ(d.Read(5735, 1)[0], 1);
    ASSERT_EQ(d.Write(6753, {0x0001, 0x0002}),
              (Bytes{0x10, 0x1A, 0x61, 0x00, 0x02})); // 32-bit entry
    EXPECT_EQ(d.Read(6753, 2), (std::vector<std::uint16_t>{0x0001, 0x0002}));
    ASSERT_EQ(d.Write(5735, {0})[0], 0x10);
    EXPECT_EQ(d.Read(6753, 2), (std::vector<std::uint16_t>{0x0002, 0x0001}));
    EXPECT_TRUE(IsException(d.Write(5735, {2}), 3));
}

TEST(SimPasscode, UnlocksOnlyWithTheStoredPasscodeInEitherWordOrder)
{
    SimOptions o = Type(70);
    o.passcode = 123456789; // 0x075BCD15
    o.wordOrder = 1;
    SimDevice d(o);
    EXPECT_NE(d.Read32LowFirst(4942), 0); // protection is supported
    EXPECT_TRUE(IsException(d.Write(5600, {1}), 4));
    d.Write(4942, {0xCD15, 0x075B}); // low word first: wrong for this device
    d.Write(4944, {1});
    EXPECT_EQ(d.Read(4944, 1)[0], 0);
    d.Write(4942, {0x075B, 0xCD15});
    d.Write(4944, {2});
    EXPECT_EQ(d.Read(4944, 1)[0], 2);
    EXPECT_EQ(d.Write(5600, {1})[0], 0x10);
    d.Write(4944, {0});
    EXPECT_TRUE(IsException(d.Write(5600, {1}), 4));
    EXPECT_NE(d.Read32LowFirst(4942), 123456789); // never tells the passcode
}

TEST(SimPasscode, QhUsesItsOwnRegistersAndNeverSwaps)
{
    SimOptions o = Type(52);
    o.passcode = 70000; // 0x00011170
    SimDevice d(o);
    EXPECT_TRUE(IsException(d.Request(ReadPdu(5735, 1)), 2));
    EXPECT_EQ(d.Read(8993, 2), (std::vector<std::uint16_t>{0x1170, 0x0001}));
    EXPECT_TRUE(IsException(d.Write(9040, {1}), 4));
    d.Write(8976, {0x1170, 0x0001, 1});
    EXPECT_EQ(d.Read(8978, 1)[0], 1);
    EXPECT_EQ(d.Write(9040, {1})[0], 0x10);
}

TEST(SimPasscode, ChangingTheStoredPasscodeNeedsTheUnlock)
{
    SimDevice d(Type(13));
    d.Write(4944, {1}); // unprotected: any passcode opens
    ASSERT_EQ(d.Write(5333, {500, 0})[0], 0x10);
    d.Write(4944, {0});
    EXPECT_TRUE(IsException(d.Write(5333, {0, 0}), 4));
    d.Write(4942, {500, 0, 1});
    EXPECT_EQ(d.Write(5333, {0, 0})[0], 0x10);
}

TEST(SimDipSwitch, IsReadOnly)
{
    SimOptions o = Type(38);
    o.dipSwitch = 0;
    SimDevice d(o);
    EXPECT_EQ(d.Read(20302, 1)[0], 0);
    EXPECT_TRUE(IsException(d.Write(20302, {1}), 2));
}

TEST(SimRestart, PairCommandIsAnsweredThenRestarts)
{
    SimDevice d(Type(80));
    EXPECT_EQ(d.Write(9000, {3333, 4444}), (Bytes{0x10, 0x23, 0x28, 0x00, 0x02}));
    EXPECT_EQ(d.sim.Restarts(), 1);
    EXPECT_TRUE(d.Request(WritePdu(5330, {10001})).size() == 2); // no such register on ZM
}

TEST(SimClock, KeepsRunningFromTheWrittenBcdTime)
{
    SimDevice d(Type(52));
    ASSERT_EQ(d.Write(9104, {0x2412, 0x1508, 0x3059})[0], 0x10);
    d.unixTime += 61;
    EXPECT_EQ(d.Read(9104, 3), (std::vector<std::uint16_t>{0x2412, 0x1508, 0x3200}));
    EXPECT_TRUE(IsException(d.Write(9104, {0x2302, 0x2910, 0x0000}), 3)); // 2023/02/29
    EXPECT_TRUE(IsException(d.Write(9106, {0x005A}), 3));                 // not BCD
}

TEST(SimBcdClock, RoundTripsLeapDays)
{
    const std::int64_t t = SimCalendarSeconds(2024, 2, 29, 23, 59, 59);
    EXPECT_EQ(SimEncodeClock(t), (SimClockWords{0x2402, 0x2923, 0x5959}));
    EXPECT_EQ(SimDecodeClock(SimEncodeClock(t)), t);
}

TEST(SimMeasuredValues, MoveWithTimeAndAccumulateEnergy)
{
    SimDevice d(Type(70));
    const auto first = d.Read(0, 16);
    const std::int32_t energy = d.Read32LowFirst(128);
    d.seconds = 3600;
    EXPECT_NE(d.Read(0, 16), first);
    EXPECT_GT(d.Read32LowFirst(128), energy);
    const std::int32_t frequency = d.Read32LowFirst(12);
    EXPECT_GE(frequency, 4990);
    EXPECT_LE(frequency, 5010);
}

TEST(SimMeasuredValues, EnergyPresetAndResetTakeEffect)
{
    SimDevice d(Type(70));
    d.Write(4944, {1});
    ASSERT_EQ(d.Write(128, {12345, 0})[0], 0x10);
    ASSERT_EQ(d.Write(192, {0, 0x8000})[0], 0x10);
    EXPECT_EQ(d.Read32LowFirst(128), 12345);
    EXPECT_EQ(std::uint32_t(d.Read32LowFirst(192)), 0x80000000u);
    d.Write(5329, {1});
    EXPECT_EQ(d.Read(5329, 1)[0], 0);
    EXPECT_EQ(d.Read32LowFirst(128), 0);
    EXPECT_TRUE(IsException(d.Write(5329, {7}), 3));
}

TEST(SimLoopTest, MeasuredValuesTakeWrittenValuesOnlyInLoopTest)
{
    SimDevice d(Type(38)); // two inputs: channel 2 has its own switch
    d.Write(4944, {1});
    EXPECT_TRUE(IsException(d.Write(0, {1000, 0}), 4));
    d.Write(5335, {1});
    ASSERT_EQ(d.Write(0, {1000, 0})[0], 0x10);
    d.seconds = 30;
    EXPECT_EQ(d.Read32LowFirst(0), 1000);
    EXPECT_TRUE(IsException(d.Write(4000, {1000, 0}), 4));
    d.Write(5335, {0});
    EXPECT_NE(d.Read32LowFirst(0), 1000);
}

TEST(SimAnalogOutputs, FollowTheLoadUntilFixed)
{
    SimDevice d(Type(71)); // KTA, four 4-20 mA outputs
    EXPECT_EQ(d.Read(3135, 1)[0], 0);
    for (std::uint16_t v : d.Read(3136, 4)) {
        EXPECT_GE(v, 400);
        EXPECT_LE(v, 2000);
    }
    d.Write(4944, {1});
    EXPECT_TRUE(IsException(d.Write(3136, {1234}), 4));
    d.Write(5339, {1});
    d.Write(3136, {1234, 1600});
    d.seconds = 20;
    EXPECT_EQ(d.Read(3136, 2), (std::vector<std::uint16_t>{1234, 1600}));
}

} // namespace

namespace {

TEST(SimQhMeasuredValues, ServeTheMonitorBlocksOfEveryChannel)
{
    SimDevice d(Type(64)); // sixteen channels
    for (int c = 0; c < 16; ++c) {
        EXPECT_EQ(d.Read(64 + 32 * c, 6).size(), 6u) << c;
        EXPECT_EQ(d.Read(576 + 96 * c, 32).size(), 32u) << c;
        EXPECT_EQ(d.Read(2195 + 144 * c + 35, 2).size(), 2u) << c;
        EXPECT_EQ(d.Read((419 + 4 * c + 3) * 16, 15).size(), 15u) << c;
    }
    EXPECT_EQ(d.Read(5440, 58).size(), 58u);
    EXPECT_EQ(d.Read(5735, 1).size(), 1u); // inside an energy record, not a word order
    const std::int32_t energy = d.Read32LowFirst(4416);
    d.seconds = 3600;
    EXPECT_GT(d.Read32LowFirst(4416), energy);
}

TEST(SimQhMeasuredValues, LoopTestOfOneChannelHoldsItsWrittenValues)
{
    SimDevice d(Type(52));
    d.Write(8978, {1});
    EXPECT_TRUE(IsException(d.Write(64 + 32 * 2, {5000, 0}), 4));
    d.Write(9136 + 2, {1});
    ASSERT_EQ(d.Write(64 + 32 * 2, {5000, 0})[0], 0x10);
    EXPECT_TRUE(IsException(d.Write(0, {1, 0}), 4)); // common values follow channel 1
    d.seconds = 50;
    EXPECT_EQ(d.Read32LowFirst(64 + 32 * 2), 5000);
    EXPECT_NE(d.Read32LowFirst(64 + 32 * 3), 5000);
}

} // namespace
