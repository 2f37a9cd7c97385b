#include "monitor/CPMDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "app/CMyORMELApp.h"
#include "app/IPromptService.h"
#include "background/CBackgroundExecutor.h"
#include "comm/CModbusInterface.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/CMonitorStatusLine.h"
#include "monitor/CPMDetailDialog.h"
#include "monitor/CQHMainPage.h"
#include "monitor/CSharedPageTabs.h"
#include "monitor/MonitorWindowTexts.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"
#include "utility/CDateDialog.h"
#include "utility/CDeviceInfoDialog.h"
#include "utility/DeviceCommand.h"
#include "utility/DeviceReset.h"
#include "widgets/CLedIndicator.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTextBasicModule = 4400; // then "Extension Module"
constexpr int kTextLoopTestWarning = 11036;
constexpr int kTimerMs = 500;
constexpr int kReopen = 1;

CPMDialog::DialogHooks& DefaultHooks()
{
    static CPMDialog::DialogHooks hooks;
    return hooks;
}

QPushButton* Button(QWidget* parent, int textId, int controlId)
{
    auto* button = new QPushButton(UiText(textId), parent);
    SetControlId(button, controlId);
    button->setAutoDefault(false);
    return button;
}
} // namespace

void CPMDialog::SetDefaultDialogHooks(DialogHooks hooks)
{
    DefaultHooks() = std::move(hooks);
}

CPMDialog::CPMDialog(CModbusInterface& connection, QWidget* parent, CBackgroundExecutor* executor)
    : CObserverDialog(parent), connection_(connection),
      executor_(executor ? *executor : CBackgroundExecutor::Instance()),
      image_(std::make_unique<CMeasurandsKTA>()), job_(executor_), hooks_(DefaultHooks()),
      statusLine_(std::make_unique<CMonitorStatusLine>(this))
{
    ApplyAppIcon(*this);
    setWindowTitle(GetAppTitle());
    BuildLayout();
    ApplyButtons();
    job_.Item().Attach(*this);
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        cycle_.Status().OnTimer();
        ShowStatus();
    });
    timer_.start();
    Post();
}

CPMDialog::~CPMDialog()
{
    DetachAll();
}

void CPMDialog::SetDialogHooks(DialogHooks hooks)
{
    hooks_ = std::move(hooks);
    ApplyButtons();
}

void CPMDialog::BuildLayout()
{
    page_ = new CQHMainPage(this);
    tabs_ = new CSharedPageTabs(kModuleTabs, page_, this);
    tabs_->AddTab(kTextBasicModule);
    tabs_->AddTab(kTextBasicModule + 1);
    // Enabled once the device turns out to have a second module or pulse inputs.
    tabs_->SetTabsEnabled(false);
    connect(tabs_, &QTabWidget::currentChanged, this, &CPMDialog::OnModuleTab);
    connect(page_, &CQHMainPage::DetailClicked, this, &CPMDialog::OnDetail);
    connect(page_, &CQHMainPage::ResetClicked, this, &CPMDialog::OnReset);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(BuildControlRow());
}

QWidget* CPMDialog::BuildControlRow()
{
    using namespace QhCells;
    auto* row = new QWidget(this);
    statusLine_->StatusText()->setParent(row);
    SetControlId(statusLine_->StatusText(), kStatus);
    statusLine_->Led()->setParent(row);
    statusLine_->FixedOutputText()->hide();
    auto* clockLabel = new QLabel(UiText(Text::kDeviceClock), row);
    clock_ = new QLabel(row);
    SetControlId(clock_, kClock);
    clock_->setFrameShape(QFrame::Panel);
    clock_->setFrameShadow(QFrame::Sunken);
    clock_->setMinimumWidth(
        clock_->fontMetrics().horizontalAdvance(QStringLiteral("2099/12/31 23:59:59")) + 8);
    auto* setClock = Button(row, Text::kMoreClock, kSetClock);
    setClock->setFixedWidth(setClock->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    auto* deviceInfo = Button(row, Text::kDeviceInfo, kDeviceInfo);
    loopTest_ = Button(row, MonitorWindowText::kLoopTest, kLoopTest);
    preset_ = Button(row, Text::kPreset, kPreset);
    connect(setClock, &QPushButton::clicked, this, [this] { RunDateDialog(connection_, this); });
    connect(deviceInfo, &QPushButton::clicked, this,
            [this] { RunDeviceInfoDialog(connection_, this); });
    connect(loopTest_, &QPushButton::clicked, this, &CPMDialog::OnLoopTest);
    connect(preset_, &QPushButton::clicked, this, &CPMDialog::OnPreset);

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(statusLine_->StatusText());
    layout->addWidget(statusLine_->Led());
    layout->addStretch(1);
    layout->addWidget(clockLabel);
    layout->addWidget(clock_);
    layout->addWidget(setClock);
    layout->addSpacing(12);
    layout->addWidget(deviceInfo);
    layout->addWidget(loopTest_);
    layout->addWidget(preset_);
    return row;
}

void CPMDialog::Post()
{
    if (busy_ || closing_)
        return;
    CModbusInterface& connection = connection_;
    CMeasurandsKTA& image = *image_;
    const QhCells::QhView view = page_->View();
    job_.Post([&connection, &image, view] { return ReadQhMonitor(connection, image, view); });
}

void CPMDialog::OnObservedUpdate(CObservable* source)
{
    if (source != &job_.Item())
        return;
    const QhMonitorRead read = job_.TakeResult();
    if (closing_) {
        End(Rejected);
        return;
    }
    const QhMonitorDecision d =
        cycle_.OnReadFinished(read, page_->View(), tabs_->currentIndex(), *image_);
    if (d.endWithReopen) {
        closing_ = true;
        timer_.stop();
        emit ReadShown(read.failed);
        End(kReopen);
        return;
    }
    Show(d, read);
    ShowStatus();
    Post();
    emit ReadShown(read.failed);
}

void CPMDialog::Show(const QhMonitorDecision& d, const QhMonitorRead&)
{
    if (d.buttons) {
        firmwareButtons_ = *d.buttons;
        ApplyButtons();
    }
    if (d.refreshPage)
        page_->Refresh(*image_);
    if (d.clockText) {
        const QString text = QString::fromStdString(*d.clockText);
        if (clock_->text() != text)
            clock_->setText(text);
    }
    if (d.moduleTabEnabled) {
        if (d.selectFirstTab)
            tabs_->setCurrentIndex(0);
        tabs_->SetTabsEnabled(*d.moduleTabEnabled);
    }
    if (d.ledColour)
        statusLine_->SetLedColour(*d.ledColour);
}

void CPMDialog::ShowStatus()
{
    statusLine_->SetStatusText(cycle_.Status().StatusTextId());
    statusLine_->ShowStatus(cycle_.Status().Style());
}

void CPMDialog::ApplyButtons()
{
    loopTest_->setEnabled(firmwareButtons_.loopTest && bool(hooks_.loopTest));
    preset_->setEnabled(firmwareButtons_.preset && bool(hooks_.preset));
}

void CPMDialog::OnModuleTab(int index)
{
    page_->SetView(QhCells::ViewOfTab(index, cycle_.Device()));
}

template <class Run> void CPMDialog::RunInstead(Run&& run)
{
    busy_ = true;
    // QDialog::hide() would also end the monitor's own modal run.
    QWidget::setVisible(false);
    RunShowingErrors(std::forward<Run>(run));
    busy_ = false;
    // Visible first: only a visible dialog's done() ends its modal run.
    QWidget::setVisible(true);
    if (pendingEnd_) {
        done(*pendingEnd_);
        return;
    }
    // The read that was in flight has been shown meanwhile; a fresh one follows.
    Post();
}

void CPMDialog::OnDetail(int channel)
{
    RunInstead([&] {
        CPMDetailDialog detail(connection_, channel, this, &executor_);
        RunModal(detail);
    });
}

void CPMDialog::OnReset(QhResetButton button, int channel)
{
    if (!Prompts().AskYesNo(LoadText(TextId::AreYouSure)))
        return;
    const CWaitCursor wait;
    RunDeviceCommand([&] { RunQhReset(connection_, QhResetFor(button, channel)); });
}

void CPMDialog::OnLoopTest()
{
    if (!hooks_.loopTest)
        return;
    if (Prompts().ShowMessage(LoadText(kTextLoopTestWarning), PromptIcon::Warning,
                              PromptButtons::YesNo) != PromptResult::Yes)
        return;
    const CDeviceType device = cycle_.Device();
    RunInstead([&] { hooks_.loopTest(connection_, device, this); });
}

void CPMDialog::OnPreset()
{
    if (!hooks_.preset)
        return;
    const CDeviceType device = cycle_.Device();
    RunInstead([&] { hooks_.preset(connection_, device, this); });
}

void CPMDialog::End(int result)
{
    // A hidden dialog cannot end its modal run: the dialog in its place goes first.
    if (busy_)
        pendingEnd_ = result;
    else
        done(result);
}

void CPMDialog::reject()
{
    closing_ = true;
    timer_.stop();
    if (!job_.InFlight()) {
        End(Rejected);
        return;
    }
    // The read under way ends at its next request; its completion ends the window.
    connection_.Abort();
}
