#pragma once

#include <QDialog>
#include <QTimer>

#include <memory>
#include <vector>

#include "background/CPostingObserver.h"
#include "device/CDeviceType.h"
#include "grid/CGridModel.h"
#include "monitor/CMeasurandsKTA.h"
#include "testdlg/CDeviceReadJob.h"
#include "utility/QhPreset.h"

class CCellEditing;
class CDataGridView;
class CModbusInterface;
class CSharedPageTabs;
class QLabel;

// The energy preset of the QH family: tabs "Basic Module" and "Extension
// Module" over an energy page with the active energy in and the reactive
// energy LAG of each of the module's eight channels, and the device clock.
// The page is read every 500 ms on the background executor; a typed value is
// written to the channel's record at once, with the QH passcode unlock. The
// extension tab is enabled only on a device with sixteen channels.
class CQHPresetDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId { kClose = 2, kTabs = 1159, kGrid = 1003, kClock = 1165, kStatus = 1074 };
    static constexpr int kTickMs = 500;

    // connection: the monitor's, not owned. device: the connected device.
    CQHPresetDialog(CModbusInterface& connection, const CDeviceType& device,
                    QWidget* parent = nullptr);
    // Waits for a read still under way.
    ~CQHPresetDialog() override;

    CSharedPageTabs* Tabs() const { return tabs_; }
    CDataGridView* Grid() const { return grid_; }
    CCellEditing* Editing() const { return editing_; }
    QLabel* Clock() const { return clock_; }
    QLabel* Status() const { return status_; }
    const CMeasurandsKTA& Image() const { return *image_; }
    bool ReadInFlight() const { return job_.InFlight(); }
    QhModule Module() const;
    void done(int result) override;

    // Headers and value cells of the module's page.
    static std::vector<GridHeaderCell> PageHeaders(QhModule module);
    static std::vector<GridItemCell> PageCells();

signals:
    // A read has been shown: its values, or its error in the status text.
    void ReadShown();

private:
    void OnTab(int tab);
    void PostRead();
    void OnReadFinished();
    void OnEntered(int item, qint64 value);

    CModbusInterface& connection_;
    CDeviceType device_;
    std::unique_ptr<CMeasurandsKTA> image_;
    QWidget* page_;
    CSharedPageTabs* tabs_;
    CDataGridView* grid_;
    CCellEditing* editing_;
    QLabel* clock_;
    QLabel* status_;
    QTimer timer_;
    bool running_ = true;
    int generation_ = 0;
    int postedGeneration_ = 0;
    CDeviceReadJob job_;
    CPostingObserver observer_;
};
