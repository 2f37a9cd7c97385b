#pragma once

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include <cstdint>
#include <string>

enum class SimTransport { Tcp, Rtu, Direct };

// Faults the servers inject into their answers. Counts are 1-based over the
// requests the device answers ("every k-th": responses k, 2k, 3k, ...); 0 = off.
struct SimFaults {
    int delayMs = 0;               // each response waits this long
    int dropEvery = 0;             // every k-th response is not sent
    int badCrcEvery = 0;           // RTU: every k-th response carries a wrong CRC
    int wrongTransactionEvery = 0; // TCP: every k-th response answers another transaction id
    int exceptionAddress = -1;     // requests covering this register get exceptionCode
    int exceptionCode = 4;
    int splitBytes = 0;      // TCP: responses go out in segments of this many bytes
    int disconnectAfter = 0; // TCP: a connection is closed after n answered requests;
                             // RTU: the device falls silent after n requests
    int hangUpAfter = 0;     // request n+1 finds the link lost: TCP resets the connection,
                             // RTU closes the pseudo-terminal like a pulled adapter

    // Writes covering this register are acknowledged and the register keeps
    // its value; the rest of such a write lands. -1 = off.
    int ignoreWriteAddress = -1;
};

// The installation the device measures. Settings left at their "unset" value
// keep the variant's default parameters, so a plain simulator uploads as a
// factory-new unit; the others are written into the parameter registers at
// start, where a master can read and change them like any setting.
struct SimScenario {
    int wiring = -1;         // register 5600 (QH: 9040); -1: the default parameter
    int primaryCurrent = -1; // A, every channel and circuit; -1: the default parameters
    int primaryVoltage = -1; // V between the outer conductors; -1: the default parameter
    double frequency = 50;   // Hz, 50 or 60
    double powerFactor = 0.92;
    bool leading = false;              // a capacitive load: reactive power and the lead flags turn
    double load = 0.55;                // mean current as a fraction of the rated current
    bool simpleMeasurement = false;    // ZM/ZN: register 5991 = 1 with the power factor above
    std::string tag;                   // at most 16 bytes
    std::string serial;                // 8 characters; empty: derived from the type id
    std::vector<int> loopTestChannels; // 1-based channels that start in loop test
    bool fixedOutputs = false;         // analog outputs start fixed (register 5339 = 1)
    std::int64_t clockStart = -1;      // device clock at start, calendar seconds; -1: local time
};

struct SimOptions {
    int typeId = -1;
    int unit = 1;               // RTU unit id; Modbus/TCP answers every unit id
    int wordOrder = 0;          // register 5735: 1 = high word first (not on QH)
    std::uint32_t passcode = 0; // stored Modbus passcode, 0 = unprotected
    int firmware = -1;          // -1: a version inside the variant's range
    int dipSwitch = -1;         // QG/QH DIP SW1-8 bit; -1: as the default parameter set
    int restartSilenceMs = 0;   // the device answers nothing for this long after a restart
    SimFaults faults;
    SimScenario scenario;
    bool alternativeIo = false; // report the catalogue row's second set of I/O words
    // Reported I/O words (9623-9627) instead of the row's: the device keeps the
    // type's behaviour but counts channels, outputs and counters by these words,
    // and a master may find that the catalogue does not know the result.
    std::optional<std::array<std::uint16_t, 5>> ioWords;
    // Plain read/write registers beyond the variant's own (first, count), for
    // load tests that need long blocks; a real device has none of them.
    std::vector<std::pair<int, int>> memoryBlocks;
};
