#include "monitor/CMyORMEL2Dlg.h"

#include <QBoxLayout>
#include <QPushButton>

#include <algorithm>

#include "app/ApplicationStore.h"
#include "background/CBackgroundExecutor.h"
#include "comm/CModbusInterface.h"
#include "monitor/CSharedPageTabs.h"
#include "monitor/CZNMaxMinPage.h"
#include "monitor/MonitorCellLists.h"
#include "monitor/MonitorLayout.h"
#include "monitor/MonitorWindowTexts.h"
#include "widgets/CDataGridView.h"
#include "widgets/CHarmonicsGraph.h"
#include "widgets/CVectorChart.h"

namespace {
constexpr int kValueTabsControl = 1001;
constexpr int kReopen = 1;
constexpr auto kIdleWait = std::chrono::milliseconds(200);

CMyORMEL2Dlg::DialogHooks& DefaultHooks()
{
    static CMyORMEL2Dlg::DialogHooks hooks;
    return hooks;
}
} // namespace

void CMyORMEL2Dlg::SetDefaultDialogHooks(DialogHooks hooks)
{
    DefaultHooks() = std::move(hooks);
}

CMyORMEL2Dlg::CMyORMEL2Dlg(CModbusInterface& connection, QWidget* parent)
    : CMyORMEL2Dlg(connection, ApplicationStore(), parent)
{
}

CMyORMEL2Dlg::CMyORMEL2Dlg(CModbusInterface& connection, CSettingsStore& store, QWidget* parent)
    : CMyORMEL2Dlg(connection, store, CBackgroundExecutor::Instance(), parent)
{
}

CMyORMEL2Dlg::CMyORMEL2Dlg(CModbusInterface& connection, CSettingsStore& store,
                           CBackgroundExecutor& executor, QWidget* parent)
    : CMonitorFrameDialog(connection.Settings(), store, parent), connection_(connection),
      executor_(executor), jobs_(*image_, connection),
      item_(CSimpleFunctor::FromFunction([this] { RunJob(); }))
{
    BuildPage();
    SetUpThdGrid();
    FinishLayout();
    SetDialogHooks(DefaultHooks());
    LoopTestButton()->show();

    item_.Attach(*this);
    polling_ = true;
    Post(chain_.Start());
    StartTimer();
}

CMyORMEL2Dlg::~CMyORMEL2Dlg()
{
    StopPolling();
    DetachAll();
}

void CMyORMEL2Dlg::SetDialogHooks(DialogHooks hooks)
{
    hooks_ = std::move(hooks);
    UtilityButton()->setEnabled(bool(hooks_.utility));
    LoopTestButton()->setEnabled(bool(hooks_.loopTest));
}

void CMyORMEL2Dlg::BuildPage()
{
    valuePage_ = new CZNMaxMinPage(this);
    valueTabs_ = new CSharedPageTabs(kValueTabsControl, valuePage_, this);
    for (int t = 0; t < ZnMonitorCells::kPageModes; ++t)
        valueTabs_->AddTab(MonitorWindowText::kTrend + t);
    valueTabs_->SetTabsEnabled(false); // until the first page values
    connect(valueTabs_, &QTabWidget::currentChanged, this, &CMyORMEL2Dlg::OnValueTab);
    UpperPages()->addWidget(valueTabs_);
}

void CMyORMEL2Dlg::SetUpThdGrid()
{
    CDataGridView* grid = ThdGrid();
    // Three columns, each a third of the grid's width.
    constexpr int kThdGridWidth = 160;
    std::vector<std::vector<GridHeaderCell>> lists;
    for (std::uint16_t wiring : {0, 1, 2, 3, 4, 5, 16, 17})
        lists.push_back(ZnMonitorCells::ThdLayoutOf(wiring).headers);
    const int width =
        GridColumnWidth(*grid, Units().X(kThdGridWidth) / 3, 1, lists, {QStringLiteral("100.0")});
    thdLayout_ = ZnMonitorCells::ThdLayoutOf(0);
    grid->SetHeaders(thdLayout_.headers, width, thdLayout_.columns, thdLayout_.rows);
    grid->SetSelectable(true);
    grid->SetSelectableRange(1, 1);
    connect(grid, &CDataGridView::SelectionChanged, this, &CMyORMEL2Dlg::OnThdSelection);
}

void CMyORMEL2Dlg::Post(ZnJob job)
{
    postedJob_ = job;
    postedSelections_ = selections_;
    inFlight_ = true;
    executor_.Post(&item_);
}

void CMyORMEL2Dlg::RunJob()
{
    completed_ = jobs_.Run(postedJob_, postedSelections_);
}

void CMyORMEL2Dlg::OnObservedUpdate(CObservable* source)
{
    if (source != &item_)
        return;
    inFlight_ = false;
    if (closing_) {
        // A close waited for this job; now the window may end.
        if (polling_)
            CMonitorFrameDialog::done(closeResult_);
        return;
    }
    if (!polling_)
        return;
    const ZnJob job = postedJob_;
    const bool completed = completed_;
    const ZnJobDecision d = chain_.OnJobFinished(completed, jobs_.ConnectedDevice());
    if (d.closeWithResultOk) {
        emit JobShown(job, !completed);
        done(kReopen);
        return;
    }
    Show(d);
    if (d.next)
        Post(*d.next);
    emit JobShown(job, !completed);
}

void CMyORMEL2Dlg::Show(const ZnJobDecision& d)
{
    if (d.refreshDeviceInformation) {
        RefreshDeviceInformation(*image_);
        Chart()->UpdateFrom(*image_);
    }
    if (d.refreshPage) {
        valuePage_->Refresh(*image_);
        valueTabs_->SetTabsEnabled(true);
    }
    ShowThd(d.thdGrid);
    if (d.graph == ZnJobDecision::HarmonicsGraph::ShowImage)
        Graph()->UpdateFrom(*image_);
    else if (d.graph == ZnJobDecision::HarmonicsGraph::Hide)
        Graph()->SetHidden(true);
    if (d.statusTextId && d.statusTextId != StatusLine().StatusTextId()) {
        StatusLine().SetStatusText(d.statusTextId);
        StatusLine().ShowStatus(chain_.StatusTextStyle());
    }
    if (d.ledColour)
        StatusLine().SetLedColour(*d.ledColour);
}

void CMyORMEL2Dlg::ShowThd(ZnJobDecision::ThdGrid rule)
{
    CDataGridView* grid = ThdGrid();
    if (rule == ZnJobDecision::ThdGrid::Clear) {
        grid->ClearValues();
        grid->SetShowingData(false);
        return;
    }
    if (rule != ZnJobDecision::ThdGrid::ShowValues)
        return;
    if (image_->wiringSystem != thdWiring_) {
        thdWiring_ = image_->wiringSystem;
        thdLayout_ = ZnMonitorCells::ThdLayoutOf(image_->wiringSystem);
        grid->SetHeaders(thdLayout_.headers, grid->ColumnWidth(), thdLayout_.columns,
                         thdLayout_.rows);
        grid->ClearValues();
        // The selection follows its quantity to its new row; one the new rows
        // do not have goes back to the first quantity.
        const auto kept =
            std::find_if(thdLayout_.items.begin(), thdLayout_.items.end(),
                         [this](const GridItemCell& c) { return c.item == selections_.thdItem; });
        if (kept != thdLayout_.items.end()) {
            grid->Select(kept->column, kept->row);
        } else {
            grid->Select(1, 1);
            OnThdSelection(1, 1);
        }
    }
    grid->RefreshValues(*image_, thdLayout_.items);
    grid->SetShowingData(true);
    grid->show();
}

void CMyORMEL2Dlg::OnValueTab(int index)
{
    valuePage_->SetMode(index);
    selections_.pageMode = index;
    valueTabs_->SetTabsEnabled(false);
}

void CMyORMEL2Dlg::OnThdSelection(int column, int row)
{
    const auto cell =
        std::find_if(thdLayout_.items.begin(), thdLayout_.items.end(),
                     [&](const GridItemCell& c) { return c.column == column && c.row == row; });
    if (cell == thdLayout_.items.end())
        return;
    const auto source = ZnMonitorCells::SpectrumSourceOf(cell->item);
    if (!source)
        return;
    selections_.thdItem = cell->item;
    // Nothing of the previous quantity is drawn until the next spectrum job.
    Graph()->SetHidden(true);
    Graph()->SetRow(source->Offset() / CMeasurandsKTA::kSpectrumValues);
    Graph()->update();
}

void CMyORMEL2Dlg::OnTimer()
{
    chain_.OnTimer();
    StatusLine().ShowStatus(chain_.StatusTextStyle());
}

void CMyORMEL2Dlg::OnDeviceAddressChanged(int address)
{
    jobs_.SetDeviceAddress(address);
}

void CMyORMEL2Dlg::OnUtility()
{
    if (hooks_.utility)
        hooks_.utility(*this);
}

void CMyORMEL2Dlg::OnLoopTest()
{
    if (hooks_.loopTest)
        hooks_.loopTest(*this);
}

void CMyORMEL2Dlg::done(int result)
{
    if (inFlight_ && !closing_) {
        // The job in flight still writes the image: cut it short and end
        // the window at its completion.
        closing_ = true;
        closeResult_ = result;
        StopTimer();
        jobs_.Stop();
        return;
    }
    if (closing_ && inFlight_)
        return; // already waiting for the job
    CMonitorFrameDialog::done(result);
}

void CMyORMEL2Dlg::WaitForExecutor() const
{
    // The job checks the stop flag before every read and the master's call
    // was cut short, so this is a matter of one request at most; a job of
    // another window queued before may hold it a little longer.
    while (!executor_.WaitUntilIdle(kIdleWait)) {
    }
}

void CMyORMEL2Dlg::StopPolling()
{
    if (!polling_)
        return;
    polling_ = false;
    closing_ = true;
    StopTimer();
    jobs_.Stop();
    WaitForExecutor();
    inFlight_ = false;
}
