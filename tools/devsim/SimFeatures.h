#pragma once

#include <cstdint>

#include "device/CDeviceType.h"

enum class SimRestartKind { None, Code5330, Code8992, Pair9000 };

// What a simulated variant has, derived once from its identity.
struct SimFeatures {
    bool qh = false; // multi-circuit family: own register sets, no word order
    bool zn = false; // two systems, bit-mask resets, 0.1 W and 0.01 kWh units
    bool qg = false;
    bool passcodeSupported = false;
    int channels = 1;      // measuring channels with the standard layout
    int counters = 0;      // pulse counters (I/O word 5)
    int analogOutputs = 0; // present analog outputs
    bool clearAlarm = false;
    bool separateChannel2LoopTest = false; // register 5338
    SimRestartKind restart = SimRestartKind::None;

    int PasscodeInput() const;
    int PasscodeCommand() const;
    int StoredPasscode() const;
};

SimFeatures SimFeaturesOf(const CDeviceType& type);

// A firmware version inside the variant's range that resolves back to the same
// type id; -1 when none does (never for a catalogue row).
int SimDefaultFirmware(int typeId);
