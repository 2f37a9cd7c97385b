#pragma once

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
    // Plain read/write registers beyond the variant's own (first, count), for
    // load tests that need long blocks; a real device has none of them.
    std::vector<std::pair<int, int>> memoryBlocks;
};
