#include "monitor/CEnergyPage.h"

#include <QLabel>
#include <QVBoxLayout>

#include "monitor/MonitorCellLists.h"
#include "monitor/MonitorLayout.h"
#include "widgets/CDataGridView.h"
#include "widgets/UiText.h"

namespace {
constexpr int kGridControl = 1003;
constexpr int kCaptionControl = 1007;
constexpr int kUnitControl = 1204;
constexpr int kTextEnergy = 210;
constexpr int kTextCounter = 211;
constexpr int kTextUnit = 11050;
constexpr int kGridRows = 4;
// Placeholder of the grid in dialog units.
constexpr int kGridWidth = 336;
// Longest value: an energy counter with its four decimals.
const QStringList kLongestValues = {QStringLiteral("-214748364.8000")};
} // namespace

CEnergyPage::CEnergyPage(QWidget* parent)
    : QWidget(parent), grid_(new CDataGridView(this)), caption_(new QLabel(this)),
      unit_(new QLabel(UiText(kTextUnit), this))
{
    using namespace MonitorCells;
    SetControlId(grid_, kGridControl);
    SetControlId(caption_, kCaptionControl);
    SetControlId(unit_, kUnitControl);
    unit_->setWordWrap(true);
    // Hidden on the counter tab without moving what lies below the page.
    QSizePolicy policy = unit_->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    unit_->setSizePolicy(policy);

    std::vector<std::vector<GridHeaderCell>> everyTab;
    for (int t = 0; t < kEnergyTabs; ++t)
        everyTab.push_back(EnergyHeaders(t));
    const CDialogUnits du(font());
    columnWidth_ =
        GridColumnWidth(*grid_, du.X(kGridWidth), kEnergyColumns, everyTab, kLongestValues);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addWidget(grid_, 0, Qt::AlignLeft);
    layout->addWidget(unit_);
    layout->addStretch(1);
    SetTab(0);
    unit_->setMaximumWidth(grid_->sizeHint().width());
}

void CEnergyPage::SetTab(int energyTab)
{
    tab_ = energyTab;
    grid_->SetHeaders(MonitorCells::EnergyHeaders(energyTab), columnWidth_,
                      MonitorCells::kEnergyColumns, kGridRows);
    grid_->ClearValues();
    const bool counters = energyTab == MonitorCells::kCounterTab;
    caption_->setText(UiText(counters ? kTextCounter : kTextEnergy));
    unit_->setVisible(!counters);
}

void CEnergyPage::Refresh(const CMeasurandsKTA& image, const CDeviceType& device)
{
    if (skip_) {
        skip_ = false;
        return;
    }
    device_ = device;
    grid_->RefreshValues(image, MonitorCells::EnergyItems(tab_));
}
