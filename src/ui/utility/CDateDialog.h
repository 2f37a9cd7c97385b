#pragma once

#include <QTimer>

#include <array>
#include <memory>

#include "app/CObserverDialog.h"
#include "utility/CClockReadJob.h"
#include "utility/DeviceClock.h"
#include "utility/IClockSource.h"

class CModbusInterface;
class QLabel;
class QLineEdit;

// "Set Date and Time": the PC's and the device's time side by side, updated
// every 200 ms, "Sync PC" to set the device to the PC's time and "Set" to set
// it to the date and time typed into the edits. The device clock is read on
// the background executor, behind the monitor's own jobs; while a read is
// still under way the device time shows "(Processing now...)". Sync PC and
// Set run on this window's thread with the wait cursor.
class CDateDialog : public CObserverDialog {
    Q_OBJECT
public:
    enum ControlId {
        kClose = 2,
        kYear = 1168, // then month, day, hour, minute, second
        kPcTime = 1174,
        kDeviceTime = 1175,
        kSyncPc = 1177,
        kSet = 1178,
        kNote = 1179,
    };
    static constexpr int kTickMs = 200;

    // connection: the monitor's, not owned. clock: the PC's clock, not owned;
    // the system clock when null.
    explicit CDateDialog(CModbusInterface& connection, QWidget* parent = nullptr,
                         IClockSource* clock = nullptr);
    // Waits for a read still under way.
    ~CDateDialog() override;

    QLineEdit* Edit(DateField field) const { return edits_[static_cast<int>(field)]; }

    // Stops the timer; the read under way is waited for when the window goes.
    void done(int result) override;

signals:
    // A clock read has been shown in the device time (its time or its error).
    void DeviceTimeShown();

protected:
    void OnObservedUpdate(CObservable* source) override;

private:
    void BuildLayout();
    QLayout* BuildTimeRows();
    QLayout* BuildEditRow();
    void FillEdits(const DeviceDateTime& time);
    void OnTick();
    void OnSyncPc();
    void OnSet();
    // Runs a clock write, showing "(Processing now...)" meanwhile.
    template <class Write> void RunWrite(Write&& write);

    CModbusInterface& connection_;
    CSystemClockSource systemClock_;
    IClockSource& clock_;
    CClockReadJob job_;
    QTimer timer_;
    std::array<QLineEdit*, 6> edits_{};
    QLabel* pcTime_ = nullptr;
    QLabel* deviceTime_ = nullptr;
    bool writing_ = false;
};

// Runs the window modally over parent.
void RunDateDialog(CModbusInterface& connection, QWidget* parent);
