#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CliMonitorFormat.h"
#include "app/CPrivateException.h"
#include "monitor/MonitorItemNames.h"

class CDeviceType;
class CMeasurandsKTA;
class CModbusInterface;

// What one monitor family polls and how its items read. The monitor command
// runs a source cycle by cycle; each family's monitor window has one.
class IMonitorSource {
public:
    virtual ~IMonitorSource() = default;

    // The items of a cycle in ascending item order, each with its quantity's name.
    virtual const std::vector<MonitorItemName>& Items() const = 0;
    // One full cycle, on the calling thread. A failed command throws
    // CPrivateException with its text; after Stop() it throws an abort.
    virtual MonitorSnapshot Poll() = 0;
    // From any thread: the running cycle ends at its next read, and the
    // master's pending call is cut short.
    virtual void Stop() = 0;
};

// A cycle that trying again cannot mend: the device at the address is now of
// another family, or lost the channel that is monitored.
class CMonitorSourceEnded : public CPrivateException {
public:
    using CPrivateException::CPrivateException;
};

// The source that fits the identified device, reading channel 1 or 2 through
// master (not owned, outlives the source); detail: the QH channel (1-16)
// whose detail window is read instead of the main page. Throws
// CPrivateException for a family whose monitor this version does not offer,
// and CliUsageError for a channel the device does not have.
std::unique_ptr<IMonitorSource> CreateMonitorSource(const CDeviceType& device,
                                                    CModbusInterface& master, int channel,
                                                    std::optional<int> detail = std::nullopt);

// The QH family's source (CliQhMonitorSource.cpp): the main page of each
// module, or the detail window of one channel.
std::unique_ptr<IMonitorSource> CreateQhMonitorSource(const CDeviceType& device,
                                                      CModbusInterface& master,
                                                      std::optional<int> detail);

// The source of the ZN family: both systems in one cycle (channel 1 only).
std::unique_ptr<IMonitorSource> CreateZnMonitorSource(CModbusInterface& master);

// What the sources print of an image: each item's text, then its first
// `rows` spectrum rows as "spectrum ROW<TAB>" and their first `values`
// register values, separated by single blanks.
MonitorSnapshot ImageSnapshot(const CMeasurandsKTA& image,
                              const std::vector<MonitorItemName>& items, int rows, int values);
// The text of a failed command, or the communication error when it left none.
std::string CommandErrorText(const std::string& lastError);
