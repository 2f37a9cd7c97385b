#pragma once

#include <QDeadlineTimer>
#include <QSignalSpy>

#include <map>
#include <memory>
#include <vector>

#include "app/CSettingsStore.h"
#include "comm/CModbusInterface.h"
#include "gui/commands/SimulatedTcpDevice.h"
#include "monitor/CMonitorPollCommands.h"
#include "monitor/CMonitorPollCycle.h"
#include "monitor/CMyORMELDlg.h"

constexpr int kWaitMs = 20000;

// Waits until the window has handled notifications that satisfy `done`,
// given each as (step, failed), for at most kWaitMs in all. False on time-out.
template <typename Done> bool WaitForCommands(CMyORMELDlg& window, Done done)
{
    QSignalSpy shown(&window, &CMyORMELDlg::CommandShown);
    const QDeadlineTimer deadline(kWaitMs);
    for (qsizetype seen = 0;;) {
        while (seen < shown.size()) {
            const QList<QVariant>& args = shown.at(seen++);
            if (done(args.at(0).toInt(), args.at(1).toBool()))
                return true;
        }
        if (deadline.hasExpired() || !shown.wait(int(deadline.remainingTime())))
            return false;
    }
}

// Until `turns` turns have ended with a successful step 9.
inline bool WaitForTurns(CMyORMELDlg& window, int turns)
{
    int completed = 0;
    return WaitForCommands(window, [&](int step, bool failed) {
        return step == CMonitorPollCycle::kSteps - 1 && !failed && ++completed >= turns;
    });
}

// The poll command that reads a register first, for the reads of channel 1.
inline int CommandReading(int address)
{
    constexpr int kSpectrumFirst = 1536, kSpectrumLast = 1536 + 64 * 9;
    constexpr int kOutputs = 3135, kFixedOutput = 5339;
    for (int c = CommandNumber(PollCommand::InstantaneousAndDemand);
         c <= CommandNumber(PollCommand::AnalogOutputs); ++c)
        for (const PollBlock& b : PollBlocksOf(static_cast<PollCommand>(c)))
            if (b.firstRegister == address)
                return c;
    if (address >= kSpectrumFirst && address <= kSpectrumLast)
        return CommandNumber(PollCommand::Spectrum);
    if (address == kOutputs || address == kFixedOutput)
        return CommandNumber(PollCommand::AnalogOutputs);
    return CommandNumber(PollCommand::DeviceInformation);
}

// The commands a request log shows, in order, each once per run of reads.
inline std::vector<int> CommandsIn(const std::vector<SimRequestRecord>& log)
{
    std::vector<int> commands;
    for (const SimRequestRecord& r : log) {
        if (r.function != 4)
            continue;
        const int c = CommandReading(r.address);
        if (commands.empty() || commands.back() != c)
            commands.push_back(c);
    }
    return commands;
}

inline bool ReadsAt(const std::vector<SimRequestRecord>& log, int address)
{
    for (const SimRequestRecord& r : log)
        if (r.function == 4 && r.address == address)
            return true;
    return false;
}

// A monitor window polling a simulated device over Modbus/TCP.
struct MonitoredDevice {
    explicit MonitoredDevice(SimOptions options) : device(options), connection(device.Settings()) {}
    CMyORMELDlg& Open()
    {
        window = std::make_unique<CMyORMELDlg>(connection, store);
        return *window;
    }

    SimulatedTcpDevice device;
    CModbusInterface connection;
    CMemorySettingsStore store;
    std::unique_ptr<CMyORMELDlg> window; // last: closed before the link goes
};
