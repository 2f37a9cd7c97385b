#pragma once

#include <QWidget>

#include <memory>
#include <vector>

#include "device/CDeviceType.h"
#include "monitor/CMeasurandsKTA.h"
#include "utility/MeasuredLoopTest.h"

class CCellEditing;
class CDataGridView;
class CModbusInterface;
class CModeButtons;

// The measured-value loop test: the mode buttons and the value grid of one
// input (or both systems of a ZN device, one grid each) laid out like the top
// grid of the monitor's value page. The grid shows the panel's own copy of
// the values: read from the device when the panel loads, then as typed. In
// loop-test mode every accepted entry writes all values at once; switching
// the mode on writes them too. Every device sequence runs on this thread
// under the connection's access lock; its errors are shown here.
class CLoopTestPanel : public QWidget {
    Q_OBJECT
public:
    // connection: the monitor's, not owned. device: the connected device.
    CLoopTestPanel(CModbusInterface& connection, const CDeviceType& device, MeasuredLoopTest target,
                   QWidget* parent);
    ~CLoopTestPanel() override;

    // The initial reads: values and the mode the device is in. Errors throw.
    void Load();

    CModeButtons* Mode() const { return mode_; }
    CDataGridView* Grid(int system = 0) const { return grids_[std::size_t(system)]; }
    CCellEditing* Editing(int system = 0) const { return editing_[std::size_t(system)]; }
    std::int32_t Value(int item) const { return copy_->Item(item); }
    // Ends an open edit without storing it (the window is closing).
    void CloseEdits();

private:
    void AddSystem(int system, QLayout* layout);
    void Refresh();
    void OnModeRequested(bool on);
    void OnEntered(int item, qint64 value);
    void WriteValues();

    CModbusInterface& connection_;
    CDeviceType device_;
    MeasuredLoopTest target_;
    std::unique_ptr<CMeasurandsKTA> copy_;
    CModeButtons* mode_;
    std::vector<CDataGridView*> grids_;
    std::vector<CCellEditing*> editing_;
    bool deviceMode_ = false; // the mode the device was last seen in
};
