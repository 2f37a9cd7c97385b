#include "monitor/CMyORMELDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "app/ApplicationStore.h"
#include "comm/CModbusInterface.h"
#include "monitor/CEnergyPage.h"
#include "monitor/CMaxMinPage.h"
#include "monitor/CMonitorWorker.h"
#include "monitor/CSharedPageTabs.h"
#include "monitor/MonitorCellLists.h"
#include "monitor/MonitorWindowTexts.h"
#include "widgets/CDataGridView.h"
#include "widgets/CHarmonicsGraph.h"
#include "widgets/CVectorChart.h"
#include "widgets/UiText.h"

namespace {
constexpr int kValueTabsControl = 1001;
constexpr int kEnergyTabsControl = 1002;
constexpr int kChannelLabelControl = 1096;
constexpr int kChannelListControl = 1095;
constexpr int kChannels = 2;
constexpr int kThdGrid = 1006;
constexpr int kDeviceInformationGrid = 1007;
constexpr int kOutputGrid = 1009;
constexpr int kGraph = 1011;
constexpr int kLed = 1135;
constexpr auto kRefreshInterval = std::chrono::milliseconds(100);
constexpr int kReopen = 1;

CMyORMELDlg::DialogHooks& DefaultHooks()
{
    static CMyORMELDlg::DialogHooks hooks;
    return hooks;
}
} // namespace

void CMyORMELDlg::SetDefaultDialogHooks(DialogHooks hooks)
{
    DefaultHooks() = std::move(hooks);
}

CMyORMELDlg::CMyORMELDlg(CModbusInterface& connection, QWidget* parent)
    : CMyORMELDlg(connection, ApplicationStore(), parent)
{
}

CMyORMELDlg::CMyORMELDlg(CModbusInterface& connection, CSettingsStore& store, QWidget* parent)
    : CMonitorFrameDialog(connection.Settings(), store, parent), connection_(connection),
      worker_(std::make_unique<CMonitorWorker>(image_, connection)), pacer_(kRefreshInterval),
      hooks_(DefaultHooks())
{
    BuildPages();
    BuildChannelList();
    SetUpThdGrid();
    FinishLayout();

    image_.Attach(*this);
    worker_->Start();
    polling_ = true;
    Post(cycle_.Start());
    StartTimer();
}

CMyORMELDlg::~CMyORMELDlg()
{
    StopPolling();
    DetachAll();
}

void CMyORMELDlg::BuildPages()
{
    valuePage_ = new CMaxMinPage(this);
    valueTabs_ = new CSharedPageTabs(kValueTabsControl, valuePage_, this);
    for (int t = 0; t < MonitorCells::kValueTabs; ++t)
        valueTabs_->AddTab(MonitorWindowText::kTrend + t);
    energyPage_ = new CEnergyPage(this);
    energyTabs_ = new CSharedPageTabs(kEnergyTabsControl, energyPage_, this);
    for (int t = 0; t < MonitorCells::kEnergyTabs; ++t)
        energyTabs_->AddTab(MonitorWindowText::kEnergyTabFirst + t);
    // Both wait for their first data.
    valueTabs_->SetTabsEnabled(false);
    energyTabs_->SetTabsEnabled(false);
    connect(valueTabs_, &QTabWidget::currentChanged, this, &CMyORMELDlg::OnValueTab);
    connect(energyTabs_, &QTabWidget::currentChanged, this, &CMyORMELDlg::OnEnergyTab);
    UpperPages()->addWidget(valueTabs_);
    LowerPages()->addWidget(energyTabs_);
}

void CMyORMELDlg::BuildChannelList()
{
    auto* label = new QLabel(UiText(MonitorWindowText::kChannel), this);
    SetControlId(label, kChannelLabelControl);
    channelList_ = new QComboBox(this);
    SetControlId(channelList_, kChannelListControl);
    for (int c = 1; c <= kChannels; ++c)
        channelList_->addItem(UiFormat(MonitorWindowText::kChannelItem, {QString::number(c)}));
    channelList_->setCurrentIndex(0);
    channelList_->setEnabled(false);
    connect(channelList_, &QComboBox::currentIndexChanged, this, &CMyORMELDlg::OnChannel);
    ExtraControls()->addWidget(label);
    ExtraControls()->addWidget(channelList_);
}

void CMyORMELDlg::SetUpThdGrid()
{
    using namespace MonitorCells;
    CDataGridView* grid = ThdGrid();
    // Three columns, each the grid's width / 2.8.
    constexpr int kThdGridWidth = 160;
    const int width = GridColumnWidth(*grid, Units().X(kThdGridWidth) * 10 / 28, 1, {ThdHeaders()},
                                      {QStringLiteral("100.0")});
    grid->SetHeaders(ThdHeaders(), width, kThdColumns, kThdFirstRow + kThdRows);
    grid->SetSelectable(true);
    grid->SetSelectableRange(1, kThdFirstRow);
    connect(grid, &CDataGridView::SelectionChanged, this, &CMyORMELDlg::OnThdSelection);
}

void CMyORMELDlg::Post(const PollRequest& request)
{
    worker_->Post(request.command, request.argument);
}

void CMyORMELDlg::OnObservedUpdate(CObservable* source)
{
    // Posts that were queued before the worker stopped find the window closing.
    if (!polling_ || source != &image_)
        return;
    const int step = cycle_.Step();
    const bool failed = worker_->HasError();
    const PollDecision d =
        cycle_.OnCommandFinished(failed, worker_->ConnectedDevice(), image_, selections_);
    if (d.closeWithResultOk) {
        emit CommandShown(step, failed);
        done(kReopen);
        return;
    }
    Show(d);
    if (d.next)
        Post(*d.next);
    emit CommandShown(step, failed);
}

void CMyORMELDlg::Show(const PollDecision& d)
{
    if (d.refreshDeviceInformation && pacer_.Due(kDeviceInformationGrid)) {
        RefreshDeviceInformation(image_);
        Chart()->UpdateFrom(image_);
    }
    ShowChannelList(d.channelList);
    if (d.valuePage && *d.valuePage == valuePage_->Selection()) {
        if (pacer_.Due(kValueTabsControl))
            valuePage_->Refresh(image_);
        valueTabs_->SetTabsEnabled(true);
    }
    if (d.refreshEnergyPage) {
        if (pacer_.Due(kEnergyTabsControl))
            energyPage_->Refresh(image_, worker_->ConnectedDevice());
        energyTabs_->SetTabsEnabled(true);
    }
    if (d.thdGrid == PollDecision::ThdGrid::ShowValues) {
        if (pacer_.Due(kThdGrid))
            ThdGrid()->RefreshValues(image_, MonitorCells::ThdItems());
        ThdGrid()->SetShowingData(true);
    } else if (d.thdGrid == PollDecision::ThdGrid::Clear) {
        ThdGrid()->ClearValues();
        ThdGrid()->SetShowingData(false);
    }
    if (d.graph == PollDecision::HarmonicsGraph::ShowImage) {
        if (pacer_.Due(kGraph))
            Graph()->UpdateFrom(image_);
    } else if (d.graph == PollDecision::HarmonicsGraph::Repaint) {
        Graph()->update();
    }
    if (d.refreshOutputs) {
        if (pacer_.Due(kOutputGrid))
            RefreshOutputs(image_, d.outputUnitTextId);
        StatusLine().SetFixedOutputShown(d.showFixedOutputText);
        StatusLine().ShowFixedOutput(cycle_.FixedOutputTextStyle());
        LoopTestButton()->setVisible(d.showLoopTestButton);
    }
    // A new status shows at once; the timer keeps it blinking.
    if (d.statusTextId && d.statusTextId != StatusLine().StatusTextId()) {
        StatusLine().SetStatusText(d.statusTextId);
        StatusLine().ShowStatus(cycle_.StatusTextStyle());
    }
    if (d.ledColour && pacer_.Due(kLed))
        StatusLine().SetLedColour(*d.ledColour);
}

void CMyORMELDlg::ShowChannelList(PollDecision::ChannelList rule)
{
    if (rule == PollDecision::ChannelList::Unchanged)
        return;
    constexpr int kTwoInputs = 2;
    if (image_.ioWords[3] == kTwoInputs)
        channelList_->setEnabled(true);
    if (rule == PollDecision::ChannelList::FirstChannelOnly) {
        channelList_->setCurrentIndex(0);
        channelList_->setEnabled(false);
        OnChannel(0);
    } else {
        channelList_->setEnabled(true);
    }
}

void CMyORMELDlg::OnValueTab(int index)
{
    valuePage_->SetSelection(index);
    pacer_.Reset(kValueTabsControl);
    selections_.valueTab = index;
    valueTabs_->SetTabsEnabled(false);
}

void CMyORMELDlg::OnEnergyTab(int index)
{
    energyPage_->SetTab(index);
    pacer_.Reset(kEnergyTabsControl);
    selections_.energyTab = index;
    energyTabs_->SetTabsEnabled(false);
}

void CMyORMELDlg::OnThdSelection(int, int row)
{
    const int thdRow = row - MonitorCells::kThdFirstRow;
    if (thdRow < 0 || thdRow >= MonitorCells::kThdRows)
        return;
    selections_.thdRow = thdRow;
    pacer_.Reset(kGraph);
    Graph()->SetRow(thdRow);
    Graph()->update();
}

void CMyORMELDlg::OnChannel(int index)
{
    const int channel = index == 1 ? 1 : 0;
    worker_->SetChannel(channel);
    utilitySelector_ = channel == 1;
}

void CMyORMELDlg::OnTimer()
{
    cycle_.OnTimer();
    StatusLine().ShowStatus(cycle_.StatusTextStyle());
    StatusLine().ShowFixedOutput(cycle_.FixedOutputTextStyle());
}

void CMyORMELDlg::OnDeviceAddressChanged(int address)
{
    worker_->SetDeviceAddress(address);
}

void CMyORMELDlg::OnUtility()
{
    if (hooks_.utility)
        hooks_.utility(*this);
}

void CMyORMELDlg::OnLoopTest()
{
    if (hooks_.loopTest)
        hooks_.loopTest(*this);
}

void CMyORMELDlg::StopPolling()
{
    if (!polling_)
        return;
    polling_ = false;
    StopTimer();
    worker_->Close();
}
