#include "testdlg/CQHPresetDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "background/CBackgroundExecutor.h"
#include "monitor/CSharedPageTabs.h"
#include "monitor/MonitorLayout.h"
#include "testdlg/CLoopTestDialog.h"
#include "testdlg/TestDialogParts.h"
#include "utility/DeviceCommand.h"
#include "widgets/CDataGridView.h"
#include "widgets/UiText.h"

using namespace TestDialogText;

namespace {
constexpr int kTextBasicModule = 4400; // then "Extension Module"
constexpr int kTextBlank = 999;
constexpr int kTextActiveIn = 1401;
constexpr int kTextReactiveLag = 1403;
constexpr int kTextFirstChannel = 5500; // "1ch" .. "16ch"
constexpr int kChannels = 8;
constexpr int kColumns = 9;
constexpr int kRecordItems = 29;
constexpr int kFirstItem = 398;
constexpr int kDateItem = 1870;
constexpr int kTimeItem = 1871;
constexpr int kSixteenChannels = 16;
// Placeholder of the grid in dialog units.
constexpr int kGridWidth = 420;
const QStringList kLongestValues = {QStringLiteral("214748364.8")};
} // namespace

std::vector<GridHeaderCell> CQHPresetDialog::PageHeaders(QhModule module)
{
    const int base = module == QhModule::Extension ? kChannels : 0;
    std::vector<GridHeaderCell> headers = {
        {kTextBlank, 0, 0}, {kTextActiveIn, 0, 1}, {kTextReactiveLag, 0, 2}};
    for (int c = 0; c < kChannels; ++c)
        headers.push_back({kTextFirstChannel + base + c, c + 1, 0});
    return headers;
}

std::vector<GridItemCell> CQHPresetDialog::PageCells()
{
    std::vector<GridItemCell> cells;
    for (int c = 0; c < kChannels; ++c)
        for (int field = 0; field < 2; ++field)
            cells.push_back({kFirstItem + kRecordItems * c + field, c + 1, field + 1});
    return cells;
}

CQHPresetDialog::CQHPresetDialog(CModbusInterface& connection, const CDeviceType& device,
                                 QWidget* parent)
    : QDialog(parent), connection_(connection), device_(device),
      image_(std::make_unique<CMeasurandsKTA>()), page_(new QWidget(this)),
      tabs_(new CSharedPageTabs(kTabs, page_, this)), grid_(new CDataGridView(page_)),
      clock_(new QLabel(page_)), status_(new QLabel(this)),
      job_(connection, CBackgroundExecutor::Instance()),
      observer_(
          [this](CPostingObserver::Task task) {
              QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
          },
          [this](CObservable*) { OnReadFinished(); })
{
    setWindowTitle(UiText(kPresetCaption));
    ApplyAppIcon(*this);
    SetControlId(grid_, kGrid);
    SetControlId(clock_, kClock);
    SetControlId(status_, kStatus);
    const CDialogUnits du(font());
    grid_->SetHeaders(
        PageHeaders(QhModule::Basic),
        GridColumnWidth(*grid_, du.X(kGridWidth), kColumns,
                        {PageHeaders(QhModule::Basic), PageHeaders(QhModule::Extension)},
                        kLongestValues),
        kColumns);
    grid_->SetSelectableRange(1, 1);
    editing_ = new CCellEditing(*grid_, [this](int item) -> std::optional<ScaledInput> {
        const auto cell = QhPresetCellOf(item, Module());
        if (!cell)
            return std::nullopt;
        return QhPresetInput(cell->quantity);
    });
    editing_->SetCells(PageCells());

    auto* pageLayout = new QVBoxLayout(page_);
    auto* clockRow = new QHBoxLayout;
    clockRow->addWidget(new QLabel(UiText(kDeviceTime), page_));
    clockRow->addWidget(clock_);
    clockRow->addStretch();
    pageLayout->addLayout(clockRow);
    pageLayout->addWidget(grid_, 0, Qt::AlignLeft);
    auto* unit = new QLabel(UiText(kEnergyUnits), page_);
    unit->setWordWrap(true);
    unit->setMaximumWidth(grid_->sizeHint().width());
    pageLayout->addWidget(unit);
    for (int t = 0; t < 2; ++t)
        tabs_->AddTab(kTextBasicModule + t);
    tabs_->setTabEnabled(1, device_.ioWords[3] == kSixteenChannels);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(tabs_);
    auto* hint = new QLabel(UiText(kPresetHint), this);
    hint->setWordWrap(true);
    hint->setMaximumWidth(grid_->sizeHint().width());
    layout->addWidget(hint);
    layout->addWidget(status_);
    layout->addLayout(CloseButtonRow(*this));

    connect(editing_, &CCellEditing::Entered, this, &CQHPresetDialog::OnEntered);
    connect(tabs_, &QTabWidget::currentChanged, this, &CQHPresetDialog::OnTab);
    job_.Item().Attach(observer_);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &CQHPresetDialog::PostRead);
    grid_->RefreshValues(*image_, PageCells());
    PostRead();
    timer_.start();
}

CQHPresetDialog::~CQHPresetDialog()
{
    timer_.stop();
    observer_.DetachAll();
}

QhModule CQHPresetDialog::Module() const
{
    return tabs_->currentIndex() == 1 ? QhModule::Extension : QhModule::Basic;
}

void CQHPresetDialog::OnTab(int)
{
    editing_->Close();
    grid_->SetHeaders(PageHeaders(Module()), grid_->ColumnWidth(), kColumns);
    grid_->ClearValues();
    ++generation_;
    PostRead();
}

void CQHPresetDialog::PostRead()
{
    if (!running_)
        return;
    const QhModule module = Module();
    if (job_.Post([module](CModbusInterface& connection, CMeasurandsKTA& image) {
            ReadQhPresetPage(connection, module, image);
        }))
        postedGeneration_ = generation_;
}

void CQHPresetDialog::OnReadFinished()
{
    const std::string error = job_.Error();
    status_->setText(error.empty() ? QString() : UiText(kCommunicationError).trimmed());
    status_->setToolTip(QString::fromStdString(error));
    if (error.empty() && postedGeneration_ == generation_) {
        *image_ = job_.Image();
        grid_->RefreshValues(*image_, PageCells());
        clock_->setText(QString::fromStdString(image_->FormatItem(kDateItem) + " " +
                                               image_->FormatItem(kTimeItem)));
    } else if (postedGeneration_ != generation_) {
        PostRead();
    }
    emit ReadShown();
}

void CQHPresetDialog::OnEntered(int item, qint64 value)
{
    const auto cell = QhPresetCellOf(item, Module());
    if (!cell)
        return;
    bool written = false;
    if (!RunDeviceCommand([&] { written = WriteQhEnergyPreset(connection_, *cell, value); }) ||
        !written)
        return;
    ++generation_;
    image_->SetItem(item, static_cast<std::int32_t>(value));
    grid_->RefreshValues(*image_, PageCells());
}

void CQHPresetDialog::done(int result)
{
    running_ = false;
    timer_.stop();
    editing_->Close();
    QDialog::done(result);
}
