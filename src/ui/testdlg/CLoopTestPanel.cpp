#include "testdlg/CLoopTestPanel.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "monitor/ModelCodes.h"
#include "monitor/MonitorCellLists.h"
#include "monitor/MonitorLayout.h"
#include "testdlg/TestDialogParts.h"
#include "utility/DeviceCommand.h"
#include "utility/TestInputs.h"
#include "widgets/CDataGridView.h"
#include "widgets/UiText.h"

using namespace TestDialogText;

namespace {
constexpr int kGridControl = 1003; // the second system's grid: 1004
constexpr int kUnitControl = 1204;
constexpr int kHintControl = 1205;
constexpr int kSystemItems = 33;
// Placeholder of a grid in dialog units, as on the monitor's value page.
constexpr int kGridWidth = 336;
const QStringList kLongestValues = {QStringLiteral("-2147483648"), QStringLiteral("-21474836.48")};

std::vector<GridItemCell> SystemCells(int system)
{
    std::vector<GridItemCell> cells = MonitorCells::ValueTopItems(MonitorCells::kTrend);
    for (GridItemCell& c : cells)
        c.item += kSystemItems * system;
    return cells;
}
} // namespace

CLoopTestPanel::CLoopTestPanel(CModbusInterface& connection, const CDeviceType& device,
                               MeasuredLoopTest target, QWidget* parent)
    : QWidget(parent), connection_(connection), device_(device), target_(target),
      copy_(std::make_unique<CMeasurandsKTA>()), mode_(new CModeButtons(this))
{
    // The image renders powers by the model code: ZN counts tenths of a watt.
    copy_->modelCode = device_.modelCode;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mode_);
    const int systems = target_ == MeasuredLoopTest::ZnBothSystems ? 2 : 1;
    for (int s = 0; s < systems; ++s)
        AddSystem(s, layout);
    auto* unit = new QLabel(UiText(kMeasuredUnits), this);
    SetControlId(unit, kUnitControl);
    auto* hint = new QLabel(UiText(kLoopTestHint), this);
    SetControlId(hint, kHintControl);
    for (QLabel* label : {unit, hint}) {
        label->setWordWrap(true);
        label->setMaximumWidth(grids_.front()->sizeHint().width());
        layout->addWidget(label);
    }
    layout->addStretch(1);
    connect(mode_, &CModeButtons::ModeRequested, this, &CLoopTestPanel::OnModeRequested);
    Refresh();
}

CLoopTestPanel::~CLoopTestPanel() = default;

void CLoopTestPanel::AddSystem(int system, QLayout* layout)
{
    auto* grid = new CDataGridView(this);
    SetControlId(grid, kGridControl + system);
    const CDialogUnits du(font());
    const auto& headers = MonitorCells::ValueTopHeaders();
    grid->SetHeaders(headers,
                     GridColumnWidth(*grid, du.X(kGridWidth), MonitorCells::kValueTopColumns,
                                     {headers}, kLongestValues),
                     MonitorCells::kValueTopColumns);
    grid->SetSelectableRange(1, 1);
    const bool zn = ModelCode::IsZn(device_.modelCode);
    auto* editing =
        new CCellEditing(*grid, [zn](int item) { return MeasuredLoopTestInput(item, zn); });
    editing->SetCells(SystemCells(system));
    connect(editing, &CCellEditing::Entered, this, &CLoopTestPanel::OnEntered);
    grids_.push_back(grid);
    editing_.push_back(editing);
    if (target_ != MeasuredLoopTest::ZnBothSystems) {
        layout->addWidget(grid);
        return;
    }
    auto* box = new QGroupBox(UiText(kSystem1 + system), this);
    auto* inner = new QVBoxLayout(box);
    inner->addWidget(grid, 0, Qt::AlignLeft);
    layout->addWidget(box);
}

void CLoopTestPanel::Load()
{
    const MeasuredLoopTestState state = ReadMeasuredLoopTest(connection_, target_);
    for (std::size_t i = 0; i < state.values.size(); ++i)
        copy_->items[i] = state.values[i];
    deviceMode_ = state.loopTest;
    mode_->SetLoopTest(deviceMode_);
    Refresh();
}

void CLoopTestPanel::CloseEdits()
{
    for (CCellEditing* e : editing_)
        e->Close();
}

void CLoopTestPanel::Refresh()
{
    for (std::size_t s = 0; s < grids_.size(); ++s)
        grids_[s]->RefreshValues(*copy_, editing_[s]->Cells());
}

void CLoopTestPanel::OnModeRequested(bool on)
{
    if (on == deviceMode_) {
        mode_->SetLoopTest(deviceMode_);
        return;
    }
    CloseEdits();
    const ModeSwitchResult result = SwitchMeasuredLoopTest(connection_, target_, on);
    const bool switched = ShowModeSwitch(*mode_, result, deviceMode_);
    deviceMode_ = mode_->IsLoopTest();
    if (switched && on)
        WriteValues();
}

void CLoopTestPanel::OnEntered(int item, qint64 value)
{
    copy_->SetItem(item, static_cast<std::int32_t>(value));
    Refresh();
    if (mode_->IsLoopTest())
        WriteValues();
}

void CLoopTestPanel::WriteValues()
{
    std::vector<std::int32_t> values(std::size_t(MeasuredLoopTestItems(target_)));
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = copy_->items[i];
    // Refused or cancelled: nothing was written, the typed values stay on screen.
    RunDeviceCommand([&] { WriteMeasuredLoopTestValues(connection_, target_, values); });
}
