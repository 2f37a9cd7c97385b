#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "CSimDeviceModel.h"
#include "CSimRequestLog.h"
#include "SimOptions.h"

// What a server sends back for one request.
struct SimReply {
    std::vector<std::uint8_t> pdu; // function code onwards; empty: send nothing
    int delayMs = 0;
    bool corruptCrc = false;       // RTU
    bool wrongTransaction = false; // TCP
    int splitBytes = 0;            // TCP
};

// A simulated device behind any number of servers: decodes request PDUs,
// serves function 4 (read) and 16 (write) from one register space, answers
// exception 1 for every other function, logs each request and applies the
// configured faults. Thread-safe.
class CDeviceSimulator {
public:
    // Throws std::invalid_argument when the options do not describe a device.
    explicit CDeviceSimulator(const SimOptions& options);

    const SimOptions& Options() const { return options_; }
    const CDeviceType& Identity() const { return identity_; }
    CSimRequestLog& Log() { return log_; }

    SimReply Handle(SimTransport transport, const std::uint8_t* pdu, std::size_t length);

    // Direct access for tests and tools, bypassing faults and the log.
    std::vector<std::uint16_t> ReadRegisters(int address, int count);
    bool Unlocked() const;
    int Restarts() const;

    // Device running time and wall clock; tests inject fixed ones.
    using SecondsSource = std::function<double()>;
    using UnixTimeSource = std::function<std::int64_t()>;
    void SetTimeSources(SecondsSource seconds, UnixTimeSource unixTime);

private:
    SimNow Now() const;
    std::vector<std::uint8_t> Serve(const std::uint8_t* pdu, std::size_t length,
                                    SimRequestRecord& record, bool& silent);
    std::vector<std::uint8_t> ServeRead(const std::uint8_t* pdu, std::size_t length,
                                        SimRequestRecord& record);
    std::vector<std::uint8_t> ServeWrite(const std::uint8_t* pdu, std::size_t length,
                                         SimRequestRecord& record, bool& silent);
    bool InjectedException(int address, int count) const;
    bool IgnoresWrite(int address, int count) const;
    void ApplyFaults(SimReply& reply, SimRequestRecord& record);

    const SimOptions options_;
    mutable std::mutex mutex_;
    CSimDeviceModel model_;
    const CDeviceType identity_;
    CSimRequestLog log_;
    std::uint64_t answered_ = 0;
    double silentUntil_ = -1;
    SecondsSource seconds_;
    UnixTimeSource unixTime_;
};
