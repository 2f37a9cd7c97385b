#pragma once

#include <QTimer>
#include <QWidget>

#include <memory>

#include "background/CPostingObserver.h"
#include "device/CDeviceType.h"
#include "monitor/CMeasurandsKTA.h"
#include "testdlg/CDeviceReadJob.h"
#include "utility/EnergyPreset.h"

class CCellEditing;
class CEnergyPage;
class CModbusInterface;
class CSharedPageTabs;
class QLabel;

// The preset of energy counters, operating timers and pulse counters: the
// five energy tabs over an energy page whose cells take the values to
// preset. The page is read again and again on the background executor, one
// read at a time, every 500 ms; a read that began before a tab change or a
// preset is not shown, so a preset value never flickers back to the old one.
// A preset runs on this thread under the connection's access lock; its
// errors are shown here.
class CPresetPanel : public QWidget {
    Q_OBJECT
public:
    enum ControlId { kTabs = 1002, kStatus = 1074 };
    static constexpr int kTickMs = 500;

    // connection: the monitor's, not owned. channel 1: the second input (ZN:
    // the second system).
    CPresetPanel(CModbusInterface& connection, const CDeviceType& device, int channel,
                 QWidget* parent);
    // Waits for a read still under way.
    ~CPresetPanel() override;

    // Starts reading; Stop ends it (the window closes).
    void Start();
    void Stop();
    void SetChannel(int channel);
    int Channel() const { return channel_; }

    CSharedPageTabs* Tabs() const { return tabs_; }
    CEnergyPage* Page() const { return page_; }
    CCellEditing* Editing() const { return editing_; }
    QLabel* Status() const { return status_; }
    const CMeasurandsKTA& Image() const { return *image_; }
    bool ReadInFlight() const { return job_.InFlight(); }
    // Ends an open edit without storing it.
    void CloseEdits();

signals:
    // A read has been shown: its values, or its error in the status text.
    void ReadShown();

private:
    void OnTab(int tab);
    void Invalidate();
    void PostRead();
    void OnReadFinished();
    void OnEntered(int item, qint64 value);

    CModbusInterface& connection_;
    CDeviceType device_;
    int channel_;
    EnergyUnits units_;
    std::unique_ptr<CMeasurandsKTA> image_;
    CEnergyPage* page_;
    CSharedPageTabs* tabs_;
    CCellEditing* editing_;
    QLabel* status_;
    QTimer timer_;
    bool running_ = false;
    int generation_ = 0;       // counts tab changes, channel changes and presets
    int postedGeneration_ = 0; // of the read in flight
    CDeviceReadJob job_;
    CPostingObserver observer_;
};
