#pragma once

#include <QTimer>

#include <memory>

#include "app/CObserverDialog.h"
#include "monitor/CQhMonitorCycle.h"
#include "monitor/CQhReadJob.h"
#include "monitor/QhMonitorJobs.h"

class CBackgroundExecutor;
class CDataGridView;
class CHarmonicsGraph;
class CMeasurandsKTA;
class CModbusInterface;
class CMonitorStatusLine;
class CQHMaxMinPage;
class CSharedPageTabs;

// The channel detail window of the multi-circuit monitor (template 162):
// tab 1001 ("Trend", "Max", "Min") with the value page, the THD grid 1006
// whose selected row chooses the spectrum of the harmonics graph 1011 (16
// bars), and the status line. Its read job runs on the background executor
// over and over while the window is open, reading what the tab and the THD
// row selection show. Closing waits for the job in flight.
class CPMDetailDialog : public CObserverDialog {
    Q_OBJECT
public:
    // connection: the monitor's, not owned; channel 0-15.
    CPMDetailDialog(CModbusInterface& connection, int channel, QWidget* parent = nullptr,
                    CBackgroundExecutor* executor = nullptr);
    ~CPMDetailDialog() override;

    int Channel() const { return channel_; }
    CSharedPageTabs* Tabs() const { return tabs_; }
    CQHMaxMinPage* Page() const { return page_; }
    CDataGridView* ThdGrid() const { return thdGrid_; }
    CHarmonicsGraph* Graph() const { return graph_; }
    const CQhStatus& Status() const { return status_; }

    // Selects a row of the THD grid (0-9) as a click on it does.
    void SelectThdRow(int thdRow);

    // Ends at once when no read is in flight, else when it has finished.
    void reject() override;

signals:
    // A read job has finished and its result is shown.
    void ReadShown(bool failed);

protected:
    void OnObservedUpdate(CObservable* source) override;

private:
    void BuildLayout();
    void Post();
    void OnTab(int index);
    void OnThdSelection(int column, int row);
    void OnReset(QhResetButton button);
    void OnTimer();

    CModbusInterface& connection_;
    const int channel_;
    std::unique_ptr<CMeasurandsKTA> image_;
    CQhReadJob<QhDetailRead> job_;
    CQhStatus status_;
    CSharedPageTabs* tabs_ = nullptr;
    CQHMaxMinPage* page_ = nullptr;
    CDataGridView* thdGrid_ = nullptr;
    CHarmonicsGraph* graph_ = nullptr;
    std::unique_ptr<CMonitorStatusLine> statusLine_;
    QTimer timer_;
    int thdRow_ = 0;
    bool closing_ = false;
};
