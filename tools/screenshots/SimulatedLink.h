#pragma once

#include <QObject>

#include "CDeviceSimulator.h"
#include "CSimTcpServer.h"
#include "app/CSettingsStore.h"
#include "comm/CModbusInterface.h"

// A simulated device in this process, the connection to it over loopback
// Modbus/TCP and a window's settings store. Handed to the window as its
// child, so it goes once the window's own reads have ended.
class CSimulatedLink : public QObject {
public:
    explicit CSimulatedLink(const SimOptions& options);

    CModbusInterface& Connection() { return connection_; }
    CSettingsStore& Store() { return store_; }
    // The device as a monitor's worker identifies it, with its I/O words.
    const CDeviceType& Identity() const { return sim_.Identity(); }

private:
    ComSettings Settings() const;

    CDeviceSimulator sim_;
    CSimTcpServer server_;
    CModbusInterface connection_;
    CMemorySettingsStore store_;
};
