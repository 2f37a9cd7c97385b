#pragma once

#include <string>

#include "device/CDeviceType.h"
#include "monitor/QhMonitorCells.h"
#include "utility/UtilityRules.h"

class CMeasurandsKTA;
class CModbusInterface;

// The read jobs of the multi-circuit monitor and its channel detail window.
// Each takes the connection's access lock, opens the connection, reads into
// the image and closes the connection on every path. They never throw: a
// failed read is reported in the result, and what was read before it stays
// in the image.

struct QhMonitorRead {
    bool failed = false;
    std::string error; // the failing request's text
    // The identified device; unset when no device answered or the device
    // matches no catalogue row (then the window keeps the type it had).
    bool identified = false;
    CDeviceType device;
    // Read only when the device is of the QH family.
    bool valuesRead = false;
    QhCells::QhView view = QhCells::QhView::Basic;
    QhTestButtons buttons;
};

// Identifies the device and, on a QH device, reads the blocks of the view
// and the device clock.
QhMonitorRead ReadQhMonitor(CModbusInterface& connection, CMeasurandsKTA& image,
                            QhCells::QhView view);

struct QhDetailRead {
    bool failed = false;
    std::string error;
    int tab = 0;
    int thdRow = 0;
};

// The blocks of the tab for channel 0-15, then the channel's THD and the
// spectrum of one THD row (0-9).
QhDetailRead ReadQhDetail(CModbusInterface& connection, CMeasurandsKTA& image, int channel, int tab,
                          int thdRow);
