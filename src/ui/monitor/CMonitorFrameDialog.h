#pragma once

#include <QTimer>

#include <memory>

#include "app/CObserverDialog.h"
#include "comm/ComSettings.h"
#include "monitor/CMonitorStatusLine.h"
#include "monitor/MonitorLayout.h"

class CDataGridView;
class CHarmonicsGraph;
class CMeasurandsKTA;
class CSettingsStore;
class CVectorChart;
class QBoxLayout;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The frame the monitor windows of the standard layout share: title and
// icon, the "Harmonics" group (THD grid 1006, graph 1011, unit text 1206),
// "Vector Chart" (1008), "Device Information" (grid 1007), "Analog Output"
// (grid 1009, unit text 1207), the status line (1074, LED 1135, 1185), the
// buttons "Loop Test" 1186 and "Utility" 1075, the device address list 1093
// with its label 1094, and the 500 ms timer.
//
// A window derived from it puts its tabs into UpperPages() (beside the
// harmonics) and LowerPages() (over the device information, beside the
// chart), any controls of its own into ExtraControls(), then calls
// FinishLayout(). It stops its
// polling in StopPolling(), which runs when the dialog ends (done) and must
// also be called from the derived destructor, before its members go.
class CMonitorFrameDialog : public CObserverDialog {
    Q_OBJECT
public:
    // settings: the connection of the monitor; a copy is kept, the address
    // list edits it and saves it to store (not owned, outlives the window).
    CMonitorFrameDialog(const ComSettings& settings, CSettingsStore& store, QWidget* parent);
    ~CMonitorFrameDialog() override;

    CDataGridView* ThdGrid() const { return thdGrid_; }
    CHarmonicsGraph* Graph() const { return graph_; }
    CVectorChart* Chart() const { return chart_; }
    CDataGridView* DeviceInformationGrid() const { return deviceGrid_; }
    CDataGridView* OutputGrid() const { return outputGrid_; }
    QLabel* OutputUnitText() const { return outputUnit_; }
    CMonitorStatusLine& StatusLine() { return status_; }
    QPushButton* LoopTestButton() const { return loopTest_; }
    QPushButton* UtilityButton() const { return utility_; }
    QComboBox* AddressList() const { return addressList_; }
    QLabel* AddressLabel() const { return addressLabel_; }
    const ComSettings& Settings() const { return settings_; }
    const CDialogUnits& Units() const { return units_; }

    // The device information and output grids from the image, with the
    // lists every window of this layout uses; the output unit by output type.
    void RefreshDeviceInformation(const CMeasurandsKTA& image);
    void RefreshOutputs(const CMeasurandsKTA& image, int unitTextId);

    // Ends polling, then the dialog.
    void done(int result) override;

signals:
    // After each timer tick has been handled.
    void Ticked();

protected:
    QBoxLayout* UpperPages() const { return upperPages_; }
    QBoxLayout* LowerPages() const { return lowerPages_; }
    QBoxLayout* ExtraControls() const { return extra_; }
    // Sizes the window: at least its template's 593 x 485 dialog units.
    void FinishLayout();

    void StartTimer();
    void StopTimer();
    // Every 500 ms while the timer runs.
    virtual void OnTimer() = 0;
    // The address list chose a new device address (already saved).
    virtual void OnDeviceAddressChanged(int address) = 0;
    virtual void OnUtility() = 0;
    virtual void OnLoopTest() = 0;
    // Stops the worker or the job chain; no notification may be handled
    // afterwards. Safe to call more than once.
    virtual void StopPolling() = 0;

private:
    QGroupBox* BuildHarmonicsGroup();
    QGroupBox* BuildChartGroup();
    QGroupBox* BuildDeviceInformationGroup();
    QGroupBox* BuildOutputGroup();
    QWidget* BuildControlRow();
    void FillAddressList();
    void OnAddressSelected(int index);

    ComSettings settings_;
    CSettingsStore& store_;
    CDialogUnits units_;
    CMonitorStatusLine status_;
    CDataGridView* thdGrid_ = nullptr;
    CHarmonicsGraph* graph_ = nullptr;
    QLabel* thdUnit_ = nullptr;
    CVectorChart* chart_ = nullptr;
    CDataGridView* deviceGrid_ = nullptr;
    CDataGridView* outputGrid_ = nullptr;
    QLabel* outputUnit_ = nullptr;
    QPushButton* loopTest_ = nullptr;
    QPushButton* utility_ = nullptr;
    QLabel* addressLabel_ = nullptr;
    QComboBox* addressList_ = nullptr;
    QBoxLayout* upperPages_ = nullptr;
    QBoxLayout* lowerPages_ = nullptr;
    QBoxLayout* extra_ = nullptr;
    QTimer timer_;
};
