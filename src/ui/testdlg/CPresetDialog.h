#pragma once

#include <QDialog>

class CDeviceType;
class CModbusInterface;
class CPresetPanel;

// The preset of energy counters, operating timers and pulse counters of one
// input: a typed value is written to the device at once.
class CPresetDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId { kClose = 2 };

    // connection: the monitor's, not owned. channel 1: the second input.
    CPresetDialog(CModbusInterface& connection, const CDeviceType& device, int channel,
                  QWidget* parent = nullptr);

    CPresetPanel* Panel() const { return panel_; }
    void done(int result) override;

private:
    CPresetPanel* panel_;
};
