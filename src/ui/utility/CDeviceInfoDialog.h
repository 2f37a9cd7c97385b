#pragma once

#include <QDialog>

#include <memory>

class CDataGridView;
class CMeasurandsKTA;
class CModbusInterface;

// The device information window of the multi-circuit monitor: the connected
// device's tag, passcode state, model, serial, firmware version and support
// information in a two-column grid, read on opening, and its "Tag No."
// command. It shares the monitor's connection, whose read jobs use it too:
// every read and write takes the connection's access lock.
class CDeviceInfoDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId { kClose = 2, kGrid = 1007, kTagNo = 1029 };

    // connection: the monitor's, not owned. Reads the device at once.
    explicit CDeviceInfoDialog(CModbusInterface& connection, QWidget* parent = nullptr);
    ~CDeviceInfoDialog() override;

    // Reads the device and fills the grid. A failed read is shown and the
    // grid keeps what it had; false then.
    bool Refresh();

    CDataGridView* Grid() const { return grid_; }

private:
    void OnTagNo();
    void ShowImage();

    CModbusInterface& connection_;
    std::unique_ptr<CMeasurandsKTA> image_; // 128 KiB: not on the stack of every caller
    CDataGridView* grid_ = nullptr;
};

// Runs the window modally over parent.
void RunDeviceInfoDialog(CModbusInterface& connection, QWidget* parent);
