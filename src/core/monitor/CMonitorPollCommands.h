#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>

#include "background/CBackThread.h"
#include "device/CDeviceType.h"
#include "monitor/PollCommand.h"

class CMeasurandsKTA;
class CModbusInterface;

// One block of a poll command: count 32-bit values (2 x count registers) from
// the first register into the items from the first item on. Channel 2 reads
// the same items from its own first register.
struct PollBlock {
    int firstRegister;
    int values;
    int firstItem;
    int channel2Register;
};

// The blocks commands 2-7 and 9 read, in reading order; empty for the others.
std::span<const PollBlock> PollBlocksOf(PollCommand command);

// The poll commands of the standard monitor window, run by its CBackThread.
// Every command takes the master's access lock, opens the connection, reads,
// notifies the image's observers while the worker is running, and closes the
// connection; a communication error ends the command with the worker's error
// flag set and keeps what was read before it.
class CMonitorPollCommands : public CBackThread::CommandHandler {
public:
    // Neither is owned; both outlive the worker thread that runs this handler.
    CMonitorPollCommands(CMeasurandsKTA& image, CModbusInterface& master);

    void ExecuteCommand(CBackThread& worker, std::int32_t command, std::intptr_t argument) override;

    // The device that the last command 1 identified (unresolved before it).
    CDeviceType ConnectedDevice() const;
    // Text of the error that ended the last command; empty when it completed
    // or an abort cut it short.
    std::string LastError() const;
    // Word order of 32-bit values, from register 5735 at the last command 1.
    bool HighWordFirst() const { return highWordFirst_; }
    // A new device address for the connection, taken over by the next command
    // under the master's lock (the worker may be using the settings right now).
    void SetDeviceAddress(int address) { pendingAddress_ = address; }

private:
    class Reader;

    void Run(Reader& reader, PollCommand command, std::intptr_t argument);
    void ReadDeviceInformation(Reader& reader);
    void ReadRatings(Reader& reader);
    void ReadBlocks(Reader& reader, PollCommand command);
    void ReadThd(Reader& reader);
    void ReadSpectrum(Reader& reader, std::intptr_t row);
    void ReadCounters(Reader& reader);
    void ReadAnalogOutputs(Reader& reader);
    void ApplyPendingAddress();
    std::uint32_t Combine(std::uint16_t first, std::uint16_t second) const;

    CMeasurandsKTA& image_;
    CModbusInterface& master_;
    std::atomic<bool> highWordFirst_{false};
    std::atomic<int> pendingAddress_{-1};
    mutable std::mutex deviceMutex_;
    CDeviceType device_;    // guarded by deviceMutex_
    std::string lastError_; // guarded by deviceMutex_
};
