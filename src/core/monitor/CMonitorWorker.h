#pragma once

#include <cstdint>

#include "background/CBackThread.h"
#include "monitor/CMonitorPollCommands.h"
#include "monitor/PollCommand.h"

class CMeasurandsKTA;
class CModbusInterface;

// The monitor worker of the standard monitor window: the thread, the poll
// commands it runs and the state the window reads between commands (error
// flag, running flag, connected device, channel).
class CMonitorWorker {
public:
    // Neither is owned; both must outlive this object. Nothing runs before Start().
    CMonitorWorker(CMeasurandsKTA& image, CModbusInterface& master);
    // Closes (see Close()).
    ~CMonitorWorker();
    CMonitorWorker(const CMonitorWorker&) = delete;
    CMonitorWorker& operator=(const CMonitorWorker&) = delete;

    void Start() { thread_.Start(); }
    // False once the worker is closing.
    bool Post(PollCommand command, std::intptr_t argument = 0);

    // The window's closing sequence: clear the running flag, cut the master's
    // pending transfer short (the worker closes its own connection), queue
    // command 0 and wait for the thread to end. No notification of the image
    // is sent once this has begun. A worker that was never started is simply
    // discarded. Safe to call more than once.
    void Close();

    bool HasError() const { return thread_.HasError(); }
    bool IsRunning() const { return thread_.IsRunning(); }
    CDeviceType ConnectedDevice() const { return commands_.ConnectedDevice(); }
    // 0 = channel 1, 1 = channel 2; taken by the next command.
    int Channel() const { return thread_.Channel(); }
    void SetChannel(int channel) { thread_.SetChannel(channel == 1 ? 1 : 0); }
    void SetDeviceAddress(int address) { commands_.SetDeviceAddress(address); }

    CModbusInterface& Master() { return master_; }
    CBackThread& Thread() { return thread_; }

private:
    CModbusInterface& master_;
    CMonitorPollCommands commands_;
    CBackThread thread_; // after commands_: it joins before the handler goes
};
