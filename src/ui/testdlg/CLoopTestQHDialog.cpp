#include "testdlg/CLoopTestQHDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "app/AppIcon.h"
#include "app/IPromptService.h"
#include "background/CBackgroundExecutor.h"
#include "monitor/MonitorCellLists.h"
#include "monitor/MonitorLayout.h"
#include "testdlg/CLoopTestDialog.h"
#include "testdlg/TestDialogParts.h"
#include "utility/DeviceCommand.h"
#include "utility/QhLoopTest.h"
#include "utility/TestInputs.h"
#include "widgets/CDataGridView.h"
#include "widgets/UiText.h"

using namespace TestDialogText;

namespace {
constexpr int kGridWidth = 336;
const QStringList kLongestValues = {QStringLiteral("-2147483648"), QStringLiteral("-21474836.48")};
} // namespace

const std::vector<GridItemCell>& CLoopTestQHDialog::ValueCells()
{
    // Columns: voltage, current, active, reactive, apparent power, power factor;
    // rows 1-4 total and phases 1-3, rows 5-7 the line voltages, the neutral
    // current and the frequency, as on the channel detail's value page.
    static const std::vector<GridItemCell> cells = [] {
        std::vector<GridItemCell> c = {
            {868, 1, 1}, {865, 1, 2}, {866, 1, 3}, {867, 1, 4}, {862, 1, 5},
            {863, 1, 6}, {864, 1, 7}, {890, 2, 1}, {886, 2, 2}, {887, 2, 3},
            {888, 2, 4}, {889, 2, 7}, {869, 3, 7},
        };
        for (int column = 3; column <= 6; ++column) {
            const int first = 1006 + 4 * (column - 3);
            c.push_back({first + 3, column, 1});
            for (int phase = 0; phase < 3; ++phase)
                c.push_back({first + phase, column, 2 + phase});
        }
        return c;
    }();
    return cells;
}

CLoopTestQHDialog::CLoopTestQHDialog(CModbusInterface& connection, QWidget* parent)
    : QDialog(parent), connection_(connection), copy_(std::make_unique<CMeasurandsKTA>()),
      mode_(new CModeButtons(this)), channels_(new QComboBox(this)), grid_(new CDataGridView(this)),
      status_(new QLabel(this)), job_(connection, CBackgroundExecutor::Instance()),
      observer_(
          [this](CPostingObserver::Task task) {
              QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
          },
          [this](CObservable*) { OnRefreshFinished(); })
{
    setWindowTitle(UiText(kLoopTestCaption));
    ApplyAppIcon(*this);
    SetControlId(channels_, kChannelList);
    SetControlId(grid_, kGrid);
    SetControlId(status_, kStatus);
    const CDialogUnits du(font());
    const auto& headers = MonitorCells::ValueTopHeaders();
    grid_->SetHeaders(headers,
                      GridColumnWidth(*grid_, du.X(kGridWidth), MonitorCells::kValueTopColumns,
                                      {headers}, kLongestValues),
                      MonitorCells::kValueTopColumns);
    grid_->SetSelectableRange(1, 1);
    editing_ = new CCellEditing(*grid_, [](int item) { return QhLoopTestInput(item); });
    editing_->SetCells(ValueCells());

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(UiText(kChannel), this));
    top->addWidget(channels_);
    top->addWidget(mode_, 1);
    layout->addLayout(top);
    layout->addWidget(grid_, 0, Qt::AlignLeft);
    for (int textId : {kMeasuredUnits, kLoopTestHint}) {
        auto* label = new QLabel(UiText(textId), this);
        label->setWordWrap(true);
        label->setMaximumWidth(grid_->sizeHint().width());
        layout->addWidget(label);
    }
    layout->addWidget(status_);
    layout->addLayout(CloseButtonRow(*this));
    grid_->RefreshValues(*copy_, ValueCells());
    SetTestEnabled(false);

    connect(editing_, &CCellEditing::Entered, this, &CLoopTestQHDialog::OnEntered);
    connect(mode_, &CModeButtons::ModeRequested, this, &CLoopTestQHDialog::OnModeRequested);
    job_.Item().Attach(observer_);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &CLoopTestQHDialog::OnTick);
}

CLoopTestQHDialog::~CLoopTestQHDialog()
{
    timer_.stop();
    observer_.DetachAll();
}

void CLoopTestQHDialog::SetTestEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{mode_, channels_, grid_})
        w->setEnabled(enabled);
}

int CLoopTestQHDialog::Channel() const
{
    return std::max(channels_->currentIndex(), 0);
}

void CLoopTestQHDialog::Load()
{
    const int count = ReadQhChannelCount(connection_);
    {
        const QSignalBlocker quiet(channels_);
        channels_->clear();
        for (int c = 1; c <= count; ++c)
            channels_->addItem(UiFormat(kChannelItem, {QString::number(c)}));
    }
    SetTestEnabled(count > 0);
    if (count == 0)
        return; // a device reporting no sensible count is never written
    deviceMode_ = ReadQhLoopTestMode(connection_, 0);
    mode_->SetLoopTest(deviceMode_);
    connect(channels_, &QComboBox::currentIndexChanged, this, &CLoopTestQHDialog::OnChannel,
            Qt::UniqueConnection);
    running_ = true;
    RequestRefresh();
    timer_.start();
}

void CLoopTestQHDialog::RequestRefresh()
{
    ++generation_;
    refreshRequested_ = true;
    OnTick();
}

void CLoopTestQHDialog::OnTick()
{
    if (!running_ || (mode_->IsLoopTest() && !refreshRequested_))
        return;
    const int channel = Channel();
    const bool requested = refreshRequested_;
    if (!job_.Post([channel](CModbusInterface& connection, CMeasurandsKTA& image) {
            ReadQhLoopTestValues(connection, channel, image);
        }))
        return;
    refreshRequested_ = false;
    postedGeneration_ = generation_;
    postedOnRequest_ = requested;
}

void CLoopTestQHDialog::OnRefreshFinished()
{
    const std::string error = job_.Error();
    status_->setText(error.empty() ? QString() : UiText(kCommunicationError).trimmed());
    status_->setToolTip(QString::fromStdString(error));
    // A refresh that began before a change of channel, a switch or a write,
    // or one that was not asked for while the user types test values, is out of date.
    const bool current =
        postedGeneration_ == generation_ && (postedOnRequest_ || !mode_->IsLoopTest());
    if (error.empty() && current) {
        *copy_ = job_.Image();
        grid_->RefreshValues(*copy_, ValueCells());
    }
    if (!error.empty() && postedOnRequest_ && postedGeneration_ == generation_)
        refreshRequested_ = true; // try again at the next tick
    emit RefreshEnded();
    // A requested refresh that came too late is read again now; the rest waits for the tick.
    if (running_ && refreshRequested_ && error.empty())
        OnTick();
}

void CLoopTestQHDialog::OnChannel(int index)
{
    if (index < 0)
        return;
    editing_->Close();
    const bool ok = RunDeviceCommand([&] { deviceMode_ = ReadQhLoopTestMode(connection_, index); });
    if (ok)
        mode_->SetLoopTest(deviceMode_);
    RequestRefresh();
}

void CLoopTestQHDialog::OnModeRequested(bool on)
{
    if (on == deviceMode_) {
        mode_->SetLoopTest(deviceMode_);
        return;
    }
    editing_->Close();
    ++generation_;
    const ModeSwitchResult result = SwitchQhLoopTest(connection_, Channel(), on);
    ShowModeSwitch(*mode_, result, deviceMode_);
    deviceMode_ = mode_->IsLoopTest();
    if (deviceMode_)
        RequestRefresh(); // the values the device now publishes, once
}

void CLoopTestQHDialog::OnEntered(int item, qint64 value)
{
    copy_->SetItem(item, static_cast<std::int32_t>(value));
    if (mode_->IsLoopTest()) {
        ++generation_;
        QhLoopTestWrite written;
        RunDeviceCommand([&] { written = WriteQhLoopTestValues(connection_, Channel(), *copy_); });
        if (!written.notice.empty())
            Prompts().ShowMessage(written.notice, PromptIcon::Information, PromptButtons::Ok);
    }
    grid_->RefreshValues(*copy_, ValueCells());
}

void CLoopTestQHDialog::done(int result)
{
    running_ = false;
    timer_.stop();
    editing_->Close();
    QDialog::done(result);
}
