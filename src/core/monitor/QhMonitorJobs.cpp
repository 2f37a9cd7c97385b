#include "monitor/QhMonitorJobs.h"

#include <exception>

#include "app/CPrivateException.h"
#include "app/DebugLog.h"
#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "device/Capabilities.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/QhMonitorReads.h"
#include "utility/CConnectionBracket.h"

namespace {

// Runs body under the access lock on an open connection; an error is stored
// in the result and ends the read there.
template <class Result, class Body> void Guarded(CModbusInterface& connection, Result& r, Body body)
{
    try {
        const CAccessRight lock(connection);
        const CConnectionBracket open(connection);
        body();
    } catch (const CPrivateException& e) {
        r.failed = true;
        r.error = e.Text();
    } catch (const std::exception& e) {
        r.failed = true;
        r.error = e.what();
    }
    if (r.failed)
        DebugPrintf("QH monitor read failed: %s\n", r.error.c_str());
}

// The identity of the connected device, or false when it matches no
// catalogue row. Read errors throw.
bool Identify(CModbusInterface& connection, CDeviceType& device)
{
    CDeviceType read;
    try {
        read.Identify(connection);
    } catch (const CPrivateException& e) {
        // All four reads answered, but the catalogue has no row for them.
        if (e.Kind() != FaultKind::RefusedInput)
            throw;
        return false;
    }
    device = read;
    return true;
}

} // namespace

QhMonitorRead ReadQhMonitor(CModbusInterface& connection, CMeasurandsKTA& image,
                            QhCells::QhView view)
{
    QhMonitorRead r;
    r.view = view;
    Guarded(connection, r, [&] {
        r.identified = Identify(connection, r.device);
        if (!r.identified || !r.device.Has(CapQh))
            return;
        r.buttons = QhMonitorTestButtons(r.device.firmwareVersion);
        QhReads::ReadBlocks(connection, image, QhReads::MainPageBlocks(view));
        QhReads::ReadClock(connection, image);
        r.valuesRead = true;
    });
    return r;
}

QhDetailRead ReadQhDetail(CModbusInterface& connection, CMeasurandsKTA& image, int channel, int tab,
                          int thdRow)
{
    QhDetailRead r;
    r.tab = tab;
    r.thdRow = thdRow;
    Guarded(connection, r, [&] {
        QhReads::ReadBlocks(connection, image, QhReads::DetailBlocks(tab, channel));
        QhReads::ReadThd(connection, image, channel, thdRow);
    });
    return r;
}
