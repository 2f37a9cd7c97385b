#pragma once

#include <QDialog>
#include <QTimer>

#include <memory>
#include <vector>

#include "background/CPostingObserver.h"
#include "grid/CGridModel.h"
#include "monitor/CMeasurandsKTA.h"
#include "testdlg/CDeviceReadJob.h"

class CCellEditing;
class CDataGridView;
class CModbusInterface;
class CModeButtons;
class QComboBox;
class QLabel;

// The loop test of the QH family, one channel at a time. The grid shows the
// dialog's copy of the channel's values (voltages and frequency are common
// to all channels), refreshed from the device on the background executor:
// every 500 ms while "Normal" is selected, once after a change of channel or
// mode while "Loop Test" is selected, so typed values are not overwritten. In
// loop-test mode every accepted entry writes the channel's values; the
// voltages and frequency only while channel 1 is in loop test. A channel
// count outside 1-16 disables the test. Closing the window leaves every
// channel in its mode.
class CLoopTestQHDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId { kClose = 2, kGrid = 1003, kChannelList = 1188, kStatus = 1074 };
    static constexpr int kTickMs = 500;

    // connection: the monitor's, not owned.
    explicit CLoopTestQHDialog(CModbusInterface& connection, QWidget* parent = nullptr);
    // Waits for a read still under way.
    ~CLoopTestQHDialog() override;

    // The channel count, the first channel's mode and the first refresh.
    // Errors throw.
    void Load();

    CModeButtons* Mode() const { return mode_; }
    CDataGridView* Grid() const { return grid_; }
    CCellEditing* Editing() const { return editing_; }
    QComboBox* ChannelList() const { return channels_; }
    QLabel* Status() const { return status_; }
    const CMeasurandsKTA& Copy() const { return *copy_; }
    bool RefreshInFlight() const { return job_.InFlight(); }
    void done(int result) override;

    // The value cells of the grid (channel-relative items).
    static const std::vector<GridItemCell>& ValueCells();

signals:
    // A refresh has ended: shown, dropped as out of date, or failed.
    void RefreshEnded();

private:
    int Channel() const;
    void OnTick();
    void OnRefreshFinished();
    void OnChannel(int index);
    void OnModeRequested(bool on);
    void OnEntered(int item, qint64 value);
    void RequestRefresh();
    void SetTestEnabled(bool enabled);

    CModbusInterface& connection_;
    std::unique_ptr<CMeasurandsKTA> copy_;
    CModeButtons* mode_;
    QComboBox* channels_;
    CDataGridView* grid_;
    CCellEditing* editing_;
    QLabel* status_;
    QTimer timer_;
    bool running_ = false;
    bool deviceMode_ = false;
    bool refreshRequested_ = false;
    int generation_ = 0; // counts channel changes, switches and writes
    int postedGeneration_ = 0;
    bool postedOnRequest_ = false;
    CDeviceReadJob job_;
    CPostingObserver observer_;
};
