#pragma once

#include <array>
#include <cstdint>

#include "CSimRegisterSpace.h"
#include "SimFeatures.h"
#include "SimLoadModel.h"
#include "SimOptions.h"

// The measured values of a device with the standard layout (every family but
// QH): instantaneous values, demand, maximum and minimum, energy with
// fractions, THD and spectra, phase angles, pulse counters and analog outputs,
// one set per channel (the second input of a QG, the second system of a ZN).
// Everything follows the wiring, ratings and modes in the parameter registers
// at the moment of each read, so a changed setting shows at once.
class CSimMeasurements {
public:
    static constexpr int kEnergyCounters = 14;
    static constexpr int kMaxMinValues = 29;
    static constexpr int kDemandValues = 10;
    static constexpr int kThdRows = 10;
    static constexpr int kCounterCount = 8;

    // Positions in the 29 maximum/minimum values that a common reset clears:
    // the voltages and the frequency, which every circuit shares.
    static constexpr std::uint32_t kCommonMaxMin = (1u << 1) | (1u << 6) | (0x3Fu << 11);
    static constexpr std::uint32_t kAllMaxMin = (1u << kMaxMinValues) - 1;

    CSimMeasurements(const SimFeatures& features, const CDeviceType& type,
                     const SimScenario& scenario);

    void DefineRegisters(CSimRegisterSpace& space) const;
    // Counters as a unit in service has them; call once the settings are in place.
    void Start(CSimRegisterSpace& space, double seconds, std::int64_t calendarSeconds);
    // Brings every measured register up to the device time (seconds since
    // start) and the device clock (calendar seconds).
    void Refresh(CSimRegisterSpace& space, double seconds, std::int64_t calendarSeconds);

    // Channel whose instantaneous values (loop-test values) hold address, or -1.
    int InstantaneousChannelOf(int address) const;
    // A master wrote energy or counter registers: they become the new counts.
    void OnPreset(CSimRegisterSpace& space, int address, int count);
    // Whether an analog output accepts this value, by option code and output type.
    bool OutputValueAllowed(const CSimRegisterSpace& space, std::int16_t value) const;

    void ResetEnergy(int channelMask);
    void ResetMaxMin(int channelMask, std::uint32_t positions = kAllMaxMin);
    void ResetDemand(int channelMask);
    void ResetCounters(int counterMask);

    void SetLoopTest(int channel, bool on) { loopTest_[static_cast<size_t>(channel)] = on; }
    bool LoopTest(int channel) const { return loopTest_[static_cast<size_t>(channel)]; }
    void SetOutputsFixed(bool on) { outputsFixed_ = on; }
    bool OutputsFixed() const { return outputsFixed_; }

private:
    // Fixed point: integer part in the high 32 bits, fraction in the low.
    using EnergySet = std::array<std::int64_t, kEnergyCounters>;
    struct Demand {
        std::array<double, 5> current{}; // I, I1, I2, I3, IN
        std::array<double, 3> power{};   // P, Q, S
    };
    struct History {
        long long block = 0;
        double interval = 0, resetAt = 0;
        bool valid = false;
        std::array<Demand, 4> values{};
    };
    struct Channel {
        std::array<EnergySet, 2> energy{};
        std::array<std::int32_t, kMaxMinValues> maximum{}, minimum{};
        std::uint32_t maxMinValid = 0; // bit per position
        std::array<std::int32_t, kDemandValues> maxDemand{};
        std::array<std::int32_t, kThdRows> maxThd{};
        double demandResetAt = -1e18;
        History currentHistory, powerHistory;
        Demand latest;
        double latestAt = -1e18; // device time latest was worked out at
    };
    // Device calendar seconds at device time 0: turns device time into an hour of the day.
    struct Clock {
        double seconds = 0;
        double calendarOffset = 0;
        double HourAt(double t) const;
    };

    SimChannelSetup SetupOf(const CSimRegisterSpace& space, int channel) const;
    double PowerScale() const { return features_.zn ? 10.0 : 1.0; }
    double EnergyScale() const { return features_.zn ? 100.0 : 10.0; }
    int TariffOf(const CSimRegisterSpace& space) const;

    void WriteInstant(CSimRegisterSpace& space, int channel, const SimPhaseValues& m) const;
    void TrackMaxMin(Channel& ch, const SimPhaseValues& m) const;
    void WriteMaxMin(CSimRegisterSpace& space, int channel) const;
    void Accumulate(EnergySet& e, const SimPhaseValues& m, double dt) const;
    void WriteEnergy(CSimRegisterSpace& space, int channel) const;
    Demand Average(const SimChannelSetup& setup, const Clock& clock, double from, double to) const;
    void UpdateHistory(History& h, const SimChannelSetup& setup, const Clock& clock,
                       double interval, double resetAt) const;
    void WriteDemand(CSimRegisterSpace& space, int channel, const SimChannelSetup& setup,
                     const Clock& clock);
    void WriteHarmonics(CSimRegisterSpace& space, int channel, const SimPhaseValues& m, double t);
    void WriteAngles(CSimRegisterSpace& space, int channel, const SimPhaseValues& m) const;
    void WriteCounters(CSimRegisterSpace& space, double dt);
    void WriteOutputs(CSimRegisterSpace& space, const SimPhaseValues& m, double rated) const;
    void WriteRatedMirror(CSimRegisterSpace& space) const;

    SimFeatures features_;
    CDeviceType type_;
    SimScenario scenario_;
    std::array<Channel, 2> channels_{};
    std::array<bool, 2> loopTest_{};
    std::array<double, kCounterCount> counters_{};
    bool outputsFixed_ = false;
    double lastSeconds_ = 0;
};
