#pragma once

#include <QDialog>

#include "utility/MeasuredLoopTest.h"

class CDeviceType;
class CLoopTestPanel;
class CModbusInterface;

// The loop test of the measured values: the device publishes the values typed
// here instead of its measurements. Closing the window leaves the device in
// the mode last selected.
class CLoopTestDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId { kClose = 2 };

    // connection: the monitor's, not owned. channel: 1 for the second input.
    CLoopTestDialog(CModbusInterface& connection, const CDeviceType& device, int channel,
                    QWidget* parent = nullptr);

    // The initial reads; errors throw.
    void Load();
    CLoopTestPanel* Panel() const { return panel_; }
    void done(int result) override;

private:
    CLoopTestPanel* panel_;
};

// A row of one "Close" button at the right.
QLayout* CloseButtonRow(QDialog& dialog);
