#pragma once

class CDeviceType;
class CModbusInterface;
class CMyORMELDlg;
class QWidget;

// The loop-test, loop-back and preset windows. Each opener runs the window
// modally over parent on the monitor's connection, for the connected device
// as the monitor identified it (with its I/O words), and shows its own
// errors; a window whose first reads fail is not opened. A window opened from
// (a window over) the standard monitor works on the input the monitor shows.

// The loop test of the measured values that fits the device: the QH loop
// test, the ZN loop test of both systems, or the loop test of one input.
void RunLoopTestWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent);
// The preset that fits the device: the QH preset, the ZN preset, or the
// preset of one input's counters.
void RunPresetWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent);
// The loop test of the analog outputs. Without a monitor behind it the grid
// keeps the outputs it read when it opened.
void RunLoopBackWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent);

// The windows of one family, for the monitors of that family.
void RunQhLoopTestWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent);
void RunQhPresetWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent);
void RunZnLoopTestWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent);
void RunZnPresetWindow(CModbusInterface& connection, const CDeviceType& device, QWidget* parent);

// "Loop Test" of the standard monitor window: the loop test of the analog
// outputs, its grid following the outputs the window reads while "Normal" is
// selected.
void RunMonitorLoopBackWindow(CMyORMELDlg& window);

// The input a window over the standard monitor works on: 1 while the monitor
// shows channel 2, else 0 (also when no monitor is behind it).
int MonitorChannelOf(QWidget* window);
