#pragma once

#include "config/DeviceRestart.h"

class CDeviceType;
class CModbusInterface;
class QWidget;

// The Monitor command's opener: runs the monitor window that fits an
// identified device modally with the command's interface and returns its
// result (1: identify the device again and reopen). The standard window
// serves every family but QH and ZN, which have windows of their own. A
// kind without a window gets a message that its monitor is not available,
// and 0 returns to the main window.
int OpenMonitorWindow(MonitorWindowKind kind, const CDeviceType& device,
                      CModbusInterface& connection, QWidget* parent);
