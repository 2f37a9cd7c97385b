#include "testdlg/CLoopBackDialog.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "monitor/MonitorCellLists.h"
#include "monitor/MonitorLayout.h"
#include "testdlg/CLoopTestDialog.h"
#include "testdlg/TestDialogParts.h"
#include "utility/AnalogLoopBack.h"
#include "utility/DeviceCommand.h"
#include "utility/TestInputs.h"
#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

using namespace TestDialogText;

namespace {
constexpr int kFirstOutputItem = 1879;
constexpr int kTextVolt = 11052;
constexpr int kTextMilliampere = 11053;
// Placeholder of the grid in dialog units.
constexpr int kGridWidth = 200;
constexpr int kGridRows = 2; // the names, then the values
const QStringList kLongestValues = {QStringLiteral("-5.750")};
} // namespace

CLoopBackDialog::CLoopBackDialog(CModbusInterface& connection, const CDeviceType& device,
                                 QWidget* parent)
    : QDialog(parent), connection_(connection), device_(device),
      image_(std::make_unique<CMeasurandsKTA>()), mode_(new CModeButtons(this)),
      grid_(new CDataGridView(this)), unit_(new QLabel(this))
{
    setWindowTitle(UiText(kLoopBackCaption));
    ApplyAppIcon(*this);
    SetControlId(grid_, kGrid);
    SetControlId(unit_, kUnit);
    const CDialogUnits du(font());
    const auto& headers = MonitorCells::OutputHeaders();
    grid_->SetHeaders(headers,
                      GridColumnWidth(*grid_, du.X(kGridWidth), MonitorCells::kOutputColumns,
                                      {headers}, kLongestValues),
                      MonitorCells::kOutputColumns, kGridRows);
    grid_->SetSelectableRange(0, 1);
    // An output the device does not have renders empty and cannot be edited.
    editing_ = new CCellEditing(*grid_, [this](int item) -> std::optional<ScaledInput> {
        if (image_->FormatItem(item).empty())
            return std::nullopt;
        return AnalogOutputInput(image_->optionCode, image_->outputType, item - kFirstOutputItem);
    });
    connect(editing_, &CCellEditing::Entered, this, &CLoopBackDialog::OnEntered);
    connect(mode_, &CModeButtons::ModeRequested, this, &CLoopBackDialog::OnModeRequested);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(mode_);
    layout->addWidget(grid_, 0, Qt::AlignLeft);
    layout->addWidget(unit_);
    layout->addLayout(CloseButtonRow(*this));
    Refresh();

    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &CLoopBackDialog::OnTick);
    timer_.start();
}

CLoopBackDialog::~CLoopBackDialog() = default;

void CLoopBackDialog::Load()
{
    ReadLoopBackState(connection_, *image_);
    deviceMode_ = image_->fixedOutput != 0;
    mode_->SetLoopTest(deviceMode_);
    Refresh();
}

void CLoopBackDialog::SetLiveOutputs(std::uint16_t outputType,
                                     const std::array<std::int16_t, 4>& values)
{
    live_ = LiveOutputs{outputType, values};
}

void CLoopBackDialog::OnTick()
{
    if (mode_->IsLoopTest() || !live_ || editing_->Editor().IsEditing())
        return;
    image_->outputType = live_->type;
    image_->outputValues = live_->values;
    Refresh();
}

void CLoopBackDialog::Refresh()
{
    editing_->SetCells(MonitorCells::OutputItems());
    grid_->RefreshValues(*image_, editing_->Cells());
    unit_->setText(UiText(image_->outputType == 0 ? kTextMilliampere : kTextVolt));
}

void CLoopBackDialog::OnModeRequested(bool on)
{
    if (on == deviceMode_) {
        mode_->SetLoopTest(deviceMode_);
        return;
    }
    editing_->Close();
    const ModeSwitchResult result = SwitchFixedOutputs(connection_, on);
    const bool switched = ShowModeSwitch(*mode_, result, deviceMode_);
    deviceMode_ = mode_->IsLoopTest();
    if (switched && on)
        WriteValues();
}

void CLoopBackDialog::OnEntered(int item, qint64 value)
{
    image_->outputValues[std::size_t(item - kFirstOutputItem)] = static_cast<std::int16_t>(value);
    Refresh();
    if (mode_->IsLoopTest())
        WriteValues();
}

void CLoopBackDialog::WriteValues()
{
    RunDeviceCommand([this] { WriteFixedOutputValues(connection_, image_->outputValues); });
}

void CLoopBackDialog::done(int result)
{
    timer_.stop();
    editing_->Close();
    QDialog::done(result);
}
