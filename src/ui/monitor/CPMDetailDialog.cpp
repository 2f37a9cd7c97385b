#include "monitor/CPMDetailDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "app/IPromptService.h"
#include "background/CBackgroundExecutor.h"
#include "comm/CModbusInterface.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/CMonitorStatusLine.h"
#include "monitor/CQHMaxMinPage.h"
#include "monitor/CSharedPageTabs.h"
#include "monitor/MonitorCellLists.h"
#include "monitor/MonitorLayout.h"
#include "monitor/MonitorWindowTexts.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"
#include "utility/DeviceCommand.h"
#include "utility/DeviceReset.h"
#include "widgets/CDataGridView.h"
#include "widgets/CHarmonicsGraph.h"
#include "widgets/CLedIndicator.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTabsControl = 1001;
constexpr int kThdGridControl = 1006;
constexpr int kGraphControl = 1011;
constexpr int kThdUnitControl = 1206;
constexpr int kTextThdUnit = 11051;
constexpr int kTimerMs = 500;
constexpr int kThdGridWidth = 160;
constexpr int kGraphHeight = 100;
constexpr int kGraphStep = 2;
} // namespace

CPMDetailDialog::CPMDetailDialog(CModbusInterface& connection, int channel, QWidget* parent,
                                 CBackgroundExecutor* executor)
    : CObserverDialog(parent), connection_(connection), channel_(channel),
      image_(std::make_unique<CMeasurandsKTA>()),
      job_(executor ? *executor : CBackgroundExecutor::Instance()),
      statusLine_(std::make_unique<CMonitorStatusLine>(this))
{
    ApplyAppIcon(*this);
    setWindowTitle(UiText(QhCells::Text::kDetailCaption) +
                   UiFormat(QhCells::Text::kDetailCaptionChannel, {QString::number(channel + 1)}));
    BuildLayout();
    job_.Item().Attach(*this);
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, &CPMDetailDialog::OnTimer);
    timer_.start();
    Post();
}

CPMDetailDialog::~CPMDetailDialog()
{
    DetachAll();
}

void CPMDetailDialog::BuildLayout()
{
    using namespace MonitorCells;
    page_ = new CQHMaxMinPage(this);
    tabs_ = new CSharedPageTabs(kTabsControl, page_, this);
    for (int t = 0; t < QhCells::kDetailTabs; ++t)
        tabs_->AddTab(MonitorWindowText::kTrend + t);
    connect(tabs_, &QTabWidget::currentChanged, this, &CPMDetailDialog::OnTab);
    connect(page_, &CQHMaxMinPage::ResetClicked, this, &CPMDetailDialog::OnReset);

    const CDialogUnits du(font());
    auto* harmonics = new QGroupBox(UiText(MonitorWindowText::kHarmonics), this);
    thdGrid_ = new CDataGridView(harmonics);
    SetControlId(thdGrid_, kThdGridControl);
    const int width = GridColumnWidth(*thdGrid_, du.X(kThdGridWidth) * 10 / 28, 1, {ThdHeaders()},
                                      {QStringLiteral("100.0")});
    thdGrid_->SetHeaders(ThdHeaders(), width, kThdColumns, kThdFirstRow + kThdRows);
    thdGrid_->SetSelectable(true);
    thdGrid_->SetSelectableRange(1, kThdFirstRow);
    connect(thdGrid_, &CDataGridView::SelectionChanged, this, &CPMDetailDialog::OnThdSelection);
    graph_ = new CHarmonicsGraph(harmonics);
    SetControlId(graph_, kGraphControl);
    graph_->SetStep(kGraphStep);
    graph_->SetHidden(true);
    // The width of the standard monitor's 31 slots: each of the 16 gets two.
    const int slot = graph_->fontMetrics().ascent() + 2;
    graph_->setFixedSize(31 * slot + 1, du.Y(kGraphHeight));
    auto* thdUnit = new QLabel(UiText(kTextThdUnit), harmonics);
    SetControlId(thdUnit, kThdUnitControl);
    auto* hl = new QVBoxLayout(harmonics);
    hl->addWidget(thdGrid_, 0, Qt::AlignLeft);
    hl->addWidget(graph_, 0, Qt::AlignLeft);
    hl->addWidget(thdUnit);
    hl->addStretch(1);

    auto* upper = new QHBoxLayout;
    upper->addWidget(tabs_, 1);
    upper->addWidget(harmonics, 0, Qt::AlignTop);
    auto* status = new QHBoxLayout;
    statusLine_->FixedOutputText()->hide();
    status->addWidget(statusLine_->StatusText());
    status->addWidget(statusLine_->Led());
    status->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper);
    layout->addLayout(status);
}

void CPMDetailDialog::Post()
{
    CModbusInterface& connection = connection_;
    CMeasurandsKTA& image = *image_;
    const int channel = channel_;
    const int tab = page_->Selection();
    const int row = thdRow_;
    job_.Post([&connection, &image, channel, tab, row] {
        return ReadQhDetail(connection, image, channel, tab, row);
    });
}

void CPMDetailDialog::OnObservedUpdate(CObservable* source)
{
    if (source != &job_.Item())
        return;
    const QhDetailRead read = job_.TakeResult();
    if (closing_) {
        done(Rejected);
        return;
    }
    if (read.failed) {
        status_.OnError();
    } else {
        statusLine_->SetLedColour(status_.OnSuccess());
        if (read.tab == page_->Selection())
            page_->Refresh(*image_);
        thdGrid_->RefreshValues(*image_, MonitorCells::ThdItems());
        if (read.thdRow == thdRow_) {
            graph_->SetRow(read.thdRow);
            graph_->UpdateFrom(*image_);
        }
    }
    statusLine_->SetStatusText(status_.StatusTextId());
    statusLine_->ShowStatus(status_.Style());
    Post();
    emit ReadShown(read.failed);
}

void CPMDetailDialog::OnTab(int index)
{
    page_->SetSelection(index);
}

void CPMDetailDialog::OnThdSelection(int, int row)
{
    const int thdRow = row - MonitorCells::kThdFirstRow;
    if (thdRow < 0 || thdRow >= MonitorCells::kThdRows)
        return;
    thdRow_ = thdRow;
    // The bars of the row that was shown stay away until its own spectrum arrives.
    graph_->SetRow(thdRow);
    graph_->SetHidden(true);
}

void CPMDetailDialog::SelectThdRow(int thdRow)
{
    const int row = thdRow + MonitorCells::kThdFirstRow;
    if (thdGrid_->Select(1, row))
        OnThdSelection(1, row);
}

void CPMDetailDialog::OnReset(QhResetButton button)
{
    if (!Prompts().AskYesNo(LoadText(TextId::AreYouSure)))
        return;
    const CWaitCursor wait;
    RunDeviceCommand([&] { RunQhReset(connection_, QhResetFor(button, channel_)); });
}

void CPMDetailDialog::OnTimer()
{
    status_.OnTimer();
    statusLine_->SetStatusText(status_.StatusTextId());
    statusLine_->ShowStatus(status_.Style());
}

void CPMDetailDialog::reject()
{
    closing_ = true;
    timer_.stop();
    if (!job_.InFlight()) {
        done(Rejected);
        return;
    }
    // The read under way ends at its next request; its completion ends the window.
    connection_.Abort();
}
