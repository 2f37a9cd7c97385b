#pragma once

#include <array>
#include <cstdint>

#include "CSimRegisterSpace.h"
#include "SimFeatures.h"

// The measured values of a device with the standard layout (every family but
// QH): instantaneous values, demand, maximum and minimum, energy with
// fractions, THD and spectra, phase angles, pulse counters and analog outputs,
// one set per channel. Values follow slow waves around the ratings found in
// the parameter registers, so that a monitor shows plausible, moving numbers.
class CSimMeasurements {
public:
    CSimMeasurements(const SimFeatures& features, const CDeviceType& type);

    void DefineRegisters(CSimRegisterSpace& space) const;
    // Brings every measured register up to the device time (seconds since start).
    void Refresh(CSimRegisterSpace& space, double seconds);

    // Register ranges the device lets a master preset, and what a preset changes.
    // Channel whose instantaneous values (loop-test values) hold address, or -1.
    int InstantaneousChannelOf(int address) const;
    void OnPreset(const CSimRegisterSpace& space, int address, int count);

    void ResetEnergy(int channelMask);
    void ResetMaxMin(int channelMask);
    void ResetDemand();
    void ResetCounters(int counterMask);

    void SetLoopTest(int channel, bool on) { loopTest_[static_cast<size_t>(channel)] = on; }
    bool LoopTest(int channel) const { return loopTest_[static_cast<size_t>(channel)]; }
    void SetOutputsFixed(bool on) { outputsFixed_ = on; }
    bool OutputsFixed() const { return outputsFixed_; }

    // One channel's instantaneous values in physical units (A, V, W, var, VA, Hz).
    struct Instant;

    static constexpr int kEnergyCounters = 14;
    static constexpr int kMaxMinValues = 29;
    static constexpr int kDemandValues = 10;
    static constexpr int kThdRows = 10;
    static constexpr int kHarmonics = 30;

private:
    struct Channel {
        // Fixed point: integer part in the high 32 bits, fraction in the low.
        std::array<std::array<std::int64_t, kEnergyCounters>, 2> energy{};
        std::array<std::int32_t, kMaxMinValues> maximum{};
        std::array<std::int32_t, kMaxMinValues> minimum{};
        std::array<std::int32_t, kDemandValues> maxDemand{};
        std::array<std::int32_t, kThdRows> maxThd{};
        bool maxMinValid = false;
    };
    struct Ratings {
        double current;
        double voltage;
    };

    double PowerScale() const;
    Ratings RatingsOf(const CSimRegisterSpace& space) const;
    Instant Compute(const Ratings& r, double t, int channel) const;
    void WriteInstant(CSimRegisterSpace& space, int base, const Instant& m) const;
    void TrackMaxMin(Channel& ch, const Instant& m);
    void WriteMaxMin(CSimRegisterSpace& space, int channel) const;
    void WriteDemand(CSimRegisterSpace& space, const Ratings& r, double t, int channel);
    void Integrate(Channel& ch, const Instant& m, double dt);
    void WriteEnergy(CSimRegisterSpace& space, int channel) const;
    void WriteHarmonics(CSimRegisterSpace& space, double t, int channel);
    void WriteAngles(CSimRegisterSpace& space, const Instant& m, int channel) const;
    void WriteCounters(CSimRegisterSpace& space, double dt);
    void WriteOutputs(CSimRegisterSpace& space, const Instant& m) const;

    SimFeatures features_;
    CDeviceType type_;
    std::array<Channel, 2> channels_{};
    std::array<bool, 2> loopTest_{};
    std::array<double, 8> counters_{};
    bool outputsFixed_ = false;
    double lastSeconds_ = 0;
    double demandResetAt_ = 0;
};
