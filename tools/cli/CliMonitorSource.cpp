#include "CliMonitorSource.h"

#include <algorithm>
#include <string>

#include "CliCommandLine.h"
#include "background/CBackThread.h"
#include "comm/CModbusInterface.h"
#include "device/CDeviceType.h"
#include "device/Capabilities.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/CMonitorPollCommands.h"
#include "monitor/CMonitorPollCycle.h"
#include "monitor/MonitorTexts.h"
#include "text/CStringTable.h"

namespace {

constexpr int kThdRows = 10;

// The window's cycle with every tab shown: each step's command under every
// selection that posts it, in step order, each request once. The spectrum
// step thus reads every THD row.
std::vector<PollRequest> FullCycle()
{
    std::vector<PollRequest> cycle;
    for (int step = 0; step < CMonitorPollCycle::kSteps; ++step)
        for (int valueTab = 0; valueTab < 3; ++valueTab)
            for (int energyTab = 0; energyTab < 5; ++energyTab)
                for (int row = 0; row < kThdRows; ++row) {
                    const auto request =
                        CMonitorPollCycle::CommandOfStep(step, {valueTab, energyTab, row});
                    if (request && std::find(cycle.begin(), cycle.end(), *request) == cycle.end())
                        cycle.push_back(*request);
                }
    return cycle;
}

bool HasOwnMonitor(const CDeviceType& device)
{
    return device.Has(CapQh | CapZn);
}

bool HasSecondChannel(const CDeviceType& device)
{
    return device.ioWords[3] >= 2;
}

// KTA, KTB and its variants, LKTA, LKTAS, QG and ZM: the standard monitor
// window's poll commands and items.
class CStandardMonitorSource : public IMonitorSource {
public:
    CStandardMonitorSource(CModbusInterface& master, int channel)
        : master_(master), commands_(*image_, master), flags_(commands_), channel_(channel)
    {
        // The thread itself never starts: the commands run on the caller's
        // thread, and this object only carries the flags and the channel.
        flags_.SetRunning(true);
        flags_.SetChannel(channel == 2 ? 1 : 0);
    }

    const std::vector<MonitorItemName>& Items() const override
    {
        return StandardMonitorItemNames();
    }

    MonitorSnapshot Poll() override
    {
        for (const PollRequest& request : cycle_) {
            commands_.ExecuteCommand(flags_, CommandNumber(request.command), request.argument);
            if (!flags_.IsRunning())
                throw CPrivateException::Aborted();
            if (flags_.HasError())
                throw CPrivateException(ErrorText());
            if (request.command == PollCommand::DeviceInformation)
                CheckDevice(commands_.ConnectedDevice());
        }
        return Snapshot();
    }

    void Stop() override
    {
        // The flag first: an abort alone is forgotten by the next request.
        flags_.SetRunning(false);
        master_.Abort();
    }

private:
    std::string ErrorText() const { return CommandErrorText(commands_.LastError()); }

    void CheckDevice(const CDeviceType& device) const
    {
        if (HasOwnMonitor(device))
            throw CMonitorSourceEnded("ormel-cli: the device at the address is now of another "
                                      "family; start the monitor again");
        if (channel_ == 2 && !HasSecondChannel(device))
            throw CMonitorSourceEnded("ormel-cli: the device no longer has a second input channel");
    }

    MonitorSnapshot Snapshot() const
    {
        return ImageSnapshot(*image_, Items(), kThdRows, CMeasurandsKTA::kSpectrumValues);
    }

    CModbusInterface& master_;
    // 128 KiB of items: on the heap, like the rest of the source.
    std::unique_ptr<CMeasurandsKTA> image_ = std::make_unique<CMeasurandsKTA>();
    CMonitorPollCommands commands_;
    CBackThread flags_;
    const int channel_;
    const std::vector<PollRequest> cycle_ = FullCycle();
};

} // namespace

std::unique_ptr<IMonitorSource> CreateMonitorSource(const CDeviceType& device,
                                                    CModbusInterface& master, int channel,
                                                    std::optional<int> detail)
{
    if (device.Has(CapQh)) {
        if (channel != 1)
            throw CliUsageError("--channel: the QH monitor shows every channel; --detail CH "
                                "shows one");
        return CreateQhMonitorSource(device, master, detail);
    }
    if (detail)
        throw CliUsageError("--detail: only QH devices have a channel detail window");
    if (device.Has(CapZn)) {
        if (channel != 1)
            throw CliUsageError("--channel: a ZN device shows both systems at once, on channel 1");
        return CreateZnMonitorSource(master);
    }
    if (channel != 1 && channel != 2)
        throw CliUsageError("--channel: the monitor reads channel 1 or 2");
    if (channel == 2 && !HasSecondChannel(device))
        throw CliUsageError("--channel 2: the device has one input channel");
    return std::make_unique<CStandardMonitorSource>(master, channel);
}

MonitorSnapshot ImageSnapshot(const CMeasurandsKTA& image,
                              const std::vector<MonitorItemName>& items, int rows, int values)
{
    MonitorSnapshot s;
    for (const MonitorItemName& i : items)
        s.texts.push_back(image.FormatItem(i.item));
    for (int row = 0; row < rows; ++row) {
        std::string line = "spectrum " + std::to_string(row) + "\t";
        const auto& spectrum = image.spectrum[static_cast<std::size_t>(row)];
        for (int v = 0; v < values; ++v)
            line += (v == 0 ? "" : " ") + std::to_string(spectrum[static_cast<std::size_t>(v)]);
        s.extraLines.push_back(line);
    }
    return s;
}

std::string CommandErrorText(const std::string& lastError)
{
    if (!lastError.empty())
        return lastError;
    const std::string text = LoadText(MonitorText::kCommunicationError);
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
