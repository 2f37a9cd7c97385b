#include "testdlg/CPresetPanel.h"

#include <QLabel>
#include <QVBoxLayout>

#include "background/CBackgroundExecutor.h"
#include "monitor/CEnergyPage.h"
#include "monitor/CSharedPageTabs.h"
#include "monitor/ModelCodes.h"
#include "monitor/MonitorCellLists.h"
#include "testdlg/TestDialogParts.h"
#include "utility/DeviceCommand.h"
#include "widgets/CDataGridView.h"
#include "widgets/UiText.h"

using namespace TestDialogText;

namespace {
constexpr int kEnergyTabFirst = 200;
constexpr int kHintControl = 1205;

EnergyUnits UnitsOf(const CDeviceType& device)
{
    return ModelCode::IsZn(device.modelCode) ? EnergyUnits::Hundredths : EnergyUnits::Tenths;
}

int CountersOf(const CDeviceType& device)
{
    return device.ioWords[4];
}
} // namespace

CPresetPanel::CPresetPanel(CModbusInterface& connection, const CDeviceType& device, int channel,
                           QWidget* parent)
    : QWidget(parent), connection_(connection), device_(device), channel_(channel),
      units_(UnitsOf(device)), image_(std::make_unique<CMeasurandsKTA>()),
      page_(new CEnergyPage(this)), tabs_(new CSharedPageTabs(kTabs, page_, this)),
      status_(new QLabel(this)), job_(connection, CBackgroundExecutor::Instance()),
      observer_(
          [this](CPostingObserver::Task task) {
              QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
          },
          [this](CObservable*) { OnReadFinished(); })
{
    image_->modelCode = device_.modelCode;
    for (int t = 0; t < MonitorCells::kEnergyTabs; ++t)
        tabs_->AddTab(kEnergyTabFirst + t);
    // Every tab in sight: the window widens to the tab row instead of scrolling it.
    tabs_->setUsesScrollButtons(false);
    SetControlId(status_, kStatus);
    auto* hint = new QLabel(UiText(kPresetHint), this);
    SetControlId(hint, kHintControl);
    hint->setWordWrap(true);
    hint->setMaximumWidth(page_->Grid()->sizeHint().width());

    editing_ = new CCellEditing(*page_->Grid(), [this](int item) -> std::optional<ScaledInput> {
        const EnergyPresetRow* row = FindEnergyPresetRow(item);
        // The counter tab of a device without counters shows zeros only.
        if (!row || (row->kind == PresetKind::Counter && CountersOf(device_) == 0))
            return std::nullopt;
        return EnergyPresetInput(*row, units_);
    });
    editing_->SetCells(MonitorCells::EnergyItems(0));
    connect(editing_, &CCellEditing::Entered, this, &CPresetPanel::OnEntered);
    connect(tabs_, &QTabWidget::currentChanged, this, &CPresetPanel::OnTab);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    layout->addWidget(hint);
    layout->addWidget(status_);
    job_.Item().Attach(observer_);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &CPresetPanel::PostRead);
}

CPresetPanel::~CPresetPanel()
{
    timer_.stop();
    // No completion reaches a panel that is going; job_ then waits for its read.
    observer_.DetachAll();
}

void CPresetPanel::Start()
{
    running_ = true;
    PostRead();
    timer_.start();
}

void CPresetPanel::Stop()
{
    running_ = false;
    timer_.stop();
    CloseEdits();
}

void CPresetPanel::CloseEdits()
{
    editing_->Close();
}

void CPresetPanel::SetChannel(int channel)
{
    if (channel == channel_)
        return;
    channel_ = channel;
    CloseEdits();
    page_->Grid()->ClearValues();
    Invalidate();
}

void CPresetPanel::OnTab(int tab)
{
    CloseEdits();
    page_->SetTab(tab);
    editing_->SetCells(MonitorCells::EnergyItems(tab));
    Invalidate();
}

// What a read under way brings is out of date: drop it and read again.
void CPresetPanel::Invalidate()
{
    ++generation_;
    PostRead();
}

void CPresetPanel::PostRead()
{
    if (!running_)
        return;
    const int channel = channel_;
    const int tab = page_->Tab();
    const int counters = CountersOf(device_);
    if (job_.Post([channel, tab, counters](CModbusInterface& connection, CMeasurandsKTA& image) {
            ReadPresetTab(connection, channel, tab, counters, image);
        }))
        postedGeneration_ = generation_;
}

void CPresetPanel::OnReadFinished()
{
    const std::string error = job_.Error();
    status_->setText(error.empty() ? QString() : UiText(kCommunicationError).trimmed());
    status_->setToolTip(QString::fromStdString(error));
    if (error.empty() && postedGeneration_ == generation_) {
        *image_ = job_.Image();
        page_->Refresh(*image_, device_);
    } else if (postedGeneration_ != generation_) {
        PostRead();
    }
    emit ReadShown();
}

void CPresetPanel::OnEntered(int item, qint64 value)
{
    std::optional<PresetParts> parts;
    if (!RunDeviceCommand(
            [&] { parts = WriteEnergyPreset(connection_, channel_, item, value, units_); }))
        return;
    if (!parts)
        return; // refused or cancelled: nothing was written
    ++generation_;
    StorePreset(*image_, item, *parts);
    page_->Refresh(*image_, device_);
}
