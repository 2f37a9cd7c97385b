#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "CSimRegisterSpace.h"
#include "SimLoadModel.h"
#include "SimOptions.h"

// Measured values of the multi-circuit QH family: common voltages and
// frequency, per channel currents, powers and demand with their extremes,
// hourly energy records, pulse-input records, THD and spectra. Channels share
// the supply and differ in their loads; ratings and wiring come from the QH
// parameter registers at each read. QH registers are never word-swapped.
class CSimQhMeasurements {
public:
    static constexpr int kMaxChannels = 16;
    static constexpr int kPulseInputs = 8;

    // Bits of a channel reset code (register 8995 + channel).
    enum ResetBit : std::uint16_t {
        ResetEnergy = 1,
        ResetHourly = 2,
        ResetCurrentDemand = 4,
        ResetPowerDemand = 8,
        ResetVoltageMaxMin = 16, // common to every channel
        ResetCurrentMaxMin = 32,
        ResetPowerMaxMin = 64,
        ResetPowerFactorMaxMin = 128,
        ResetFrequencyMaxMin = 256, // common to every channel
        ResetCurrentDemandMaxMin = 512,
        ResetPowerDemandMaxMin = 1024,
    };
    static constexpr std::uint16_t kResetCodes = 0x7FF;

    CSimQhMeasurements(int channels, int pulseInputs, const SimScenario& scenario);

    int Channels() const { return channels_; }
    void DefineRegisters(CSimRegisterSpace& space) const;
    // Records and counts as a unit in service has them; call once the settings are in place.
    void Start(CSimRegisterSpace& space, double seconds, std::int64_t calendarSeconds);
    void Refresh(CSimRegisterSpace& space, double seconds, std::int64_t calendarSeconds);

    // Channel whose loop test lets a master write this register (-1: none;
    // the common voltages belong to channel 1).
    int LoopTestChannelOf(int address) const;
    void SetLoopTest(int channel, bool on) { loopTest_[static_cast<std::size_t>(channel)] = on; }
    bool LoopTest(int channel) const { return loopTest_[static_cast<std::size_t>(channel)]; }
    void Reset(int channel, std::uint16_t code);
    // A master wrote the energy part of a record: the written values are the new counts.
    void OnPreset(const CSimRegisterSpace& space, int address, int count);

private:
    // An energy or pulse record: three totals, then hourly values of the last 24 hours.
    struct Record {
        std::array<double, 3> totals{}; // active in, reactive LAG, reactive LEAD (0.1 units)
        std::array<double, 24> hours{};
        double previousHour = 0;
    };
    struct Extreme {
        std::int32_t value = 0;
        std::int64_t at = 0; // device clock, calendar seconds
    };
    struct Channel {
        Record record;
        std::array<std::int32_t, 5> maxCurrent{}, minCurrent{};
        std::array<std::int32_t, 16> maxPower{}, minPower{};
        std::uint32_t currentValid = 0, powerValid = 0; // bit per value
        std::array<std::uint16_t, 4> maxThd{};
        double currentDemandFrom = -1e18, powerDemandFrom = -1e18;
        std::array<double, 5> currentDemand{}, powerDemand{}; // I, I1-I3, IN; P, Q, S
        double demandAt = -1e18; // device time the demand was worked out at
        std::array<Extreme, 8> maxDemand{}, minDemand{};
        std::uint32_t demandValid = 0;
    };
    struct Moment {
        double seconds;
        double calendarOffset; // calendar seconds minus device seconds
        double HourAt(double t) const;
    };

    static int EnergyRecord(int channel);
    SimChannelSetup SetupOf(const CSimRegisterSpace& space, int channel) const;
    void RollHour(long long hour);
    // Energy and pulses over dt seconds into the totals and the hour in slot.
    void Count(const std::array<SimPhaseValues, kMaxChannels>& values, const Moment& now, double dt,
               int slot);
    void WriteCommon(CSimRegisterSpace& space, const SimPhaseValues& m);
    void WriteChannel(CSimRegisterSpace& space, int c, const SimPhaseValues& m);
    void WriteDemand(CSimRegisterSpace& space, int c, const SimChannelSetup& setup,
                     const Moment& now, std::int64_t calendarSeconds);
    void WriteRecord(CSimRegisterSpace& space, int first, const Record& r, long long hour) const;
    void WriteHarmonics(CSimRegisterSpace& space, const SimPhaseValues& common, double t);
    double PulseRate(int input, double hourOfDay) const;

    int channels_;
    int pulseInputs_;
    SimScenario scenario_;
    std::array<Channel, kMaxChannels> state_{};
    std::array<Record, kPulseInputs> pulses_{};
    std::array<bool, kMaxChannels> loopTest_{};
    std::array<std::int32_t, 8> commonMax_{}, commonMin_{};
    std::uint32_t commonValid_ = 0;
    std::array<std::uint16_t, 6> maxVoltageThd_{};
    std::array<std::array<bool, 4>, kMaxChannels> currentPresent_{}; // I1-I3, IN measured
    double lastSeconds_ = 0;
    long long hour_ = 0; // calendar hour of the last refresh
};
