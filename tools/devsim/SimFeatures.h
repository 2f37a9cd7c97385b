#pragma once

#include <cstdint>

#include "device/CDeviceType.h"

enum class SimRestartKind { None, Code5330, Code8992, Pair9000 };

// What a simulated variant has, derived once from its identity.
struct SimFeatures {
    bool qh = false; // multi-circuit family: own register sets, no word order
    bool zn = false; // two systems, bit-mask resets, 0.1 W and 0.01 kWh units
    bool qg = false;
    bool zm = false;
    bool zmpv = false;              // no harmonics
    bool kta = false;               // the second leg of a single-phase 3-wire system is phase 2
    bool demand = false;            // current and power demand, with their maxima
    bool simpleMeasurement = false; // registers 5991-5992 choose it
    bool ratedMirror = false;       // registers 6752-6754 report the input ratings (ZM)
    std::uint16_t modelCode = 0;
    bool passcodeSupported = false;
    int channels = 1;      // measuring channels with the standard layout
    int counters = 0;      // pulse counters (I/O word 5)
    int analogOutputs = 0; // present analog outputs
    int qhChannels = 0;    // QH: measuring channels (I/O word 4), 1-16
    int qhPulseInputs = 0; // QH: pulse inputs (I/O word 5)
    bool clearAlarm = false;
    bool separateChannel2LoopTest = false; // register 5338
    SimRestartKind restart = SimRestartKind::None;

    int PasscodeInput() const;
    int PasscodeCommand() const;
    int StoredPasscode() const;
};

// The type (a catalogue identity) gives the behaviour; the reported I/O words
// count channels, counters and, when they are not the catalogue's, outputs.
SimFeatures SimFeaturesOf(const CDeviceType& type, const IoWords& reported);
SimFeatures SimFeaturesOf(const CDeviceType& type);

// A firmware version inside the variant's range that resolves back to the same
// type id; -1 when none does (never for a catalogue row).
int SimDefaultFirmware(int typeId);
