#include "monitor/CZNMaxMinPage.h"

#include <QBoxLayout>
#include <QLabel>

#include "monitor/CMeasurandsKTA.h"
#include "monitor/MonitorLayout.h"
#include "monitor/ZnMonitorCells.h"
#include "widgets/CDataGridView.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTopGridControl = 1003;
constexpr int kBottomGridControl = 1004;
constexpr int kUnitControl = 1204;
constexpr int kTextValueUnit = 11049;
constexpr int kTextEnergyUnit = 11050;
// Placeholder of a value grid in dialog units.
constexpr int kValueGridWidth = 336;
constexpr int kEnergyGridWidth = 168;
// Longest values: a power in tenths of watts, a voltage, an energy counter.
const QStringList kLongestValues = {QStringLiteral("-214748364.8"), QStringLiteral("-21474836.48")};
const QStringList kLongestEnergy = {QStringLiteral("-21474836.4800")};

// Every header list the page can show, for one column width per kind of mode.
std::vector<std::vector<GridHeaderCell>> HeaderLists(bool energy)
{
    using namespace ZnMonitorCells;
    std::vector<std::vector<GridHeaderCell>> lists;
    CMeasurandsKTA probe;
    for (std::uint16_t wiring : {0, 1, 2, 3, 4, 5, 16, 17}) {
        probe.wiringSystem = wiring;
        for (int mode = 0; mode < kPageModes; ++mode) {
            if ((mode == kEnergy) != energy)
                continue;
            const PageLayout layout = PageLayoutOf(probe, mode);
            lists.push_back(layout.top.headers);
            lists.push_back(layout.bottom.headers);
        }
    }
    return lists;
}

void Show(CDataGridView& grid, const ZnMonitorCells::GridCells& cells, int columnWidth,
          const CMeasurandsKTA& image, bool rebuild)
{
    if (rebuild) {
        grid.setVisible(!cells.headers.empty());
        grid.SetHeaders(cells.headers, columnWidth, cells.columns, cells.rows);
        grid.ClearValues();
    }
    grid.RefreshValues(image, cells.items);
}
} // namespace

CZNMaxMinPage::CZNMaxMinPage(QWidget* parent)
    : QWidget(parent), top_(new CDataGridView(this)), bottom_(new CDataGridView(this)),
      unit_(new QLabel(UiText(kTextValueUnit), this))
{
    using namespace ZnMonitorCells;
    SetControlId(top_, kTopGridControl);
    SetControlId(bottom_, kBottomGridControl);
    SetControlId(unit_, kUnitControl);
    unit_->setWordWrap(true);

    const CDialogUnits du(font());
    valueColumnWidth_ = GridColumnWidth(*top_, du.X(kValueGridWidth), kValueColumns,
                                        HeaderLists(false), kLongestValues);
    energyColumnWidth_ = GridColumnWidth(*top_, du.X(kEnergyGridWidth), kEnergyColumns,
                                         HeaderLists(true), kLongestEnergy);

    grids_ = new QBoxLayout(QBoxLayout::TopToBottom);
    grids_->addWidget(top_, 0, Qt::AlignLeft | Qt::AlignTop);
    grids_->addWidget(bottom_, 0, Qt::AlignLeft | Qt::AlignTop);
    grids_->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grids_);
    layout->addWidget(unit_);
    layout->addStretch(1);
    unit_->setMaximumWidth(valueColumnWidth_ * kValueColumns);

    // Until the first data: the Trend layout of the default wiring, empty.
    Refresh(CMeasurandsKTA());
    SetMode(kTrend);
}

void CZNMaxMinPage::SetMode(int pageMode)
{
    mode_ = pageMode;
    layoutKey_.fill(-1);
    top_->ClearValues();
    bottom_->ClearValues();
}

void CZNMaxMinPage::Refresh(const CMeasurandsKTA& image)
{
    using namespace ZnMonitorCells;
    const PageLayout layout = PageLayoutOf(image, mode_);
    // The lists change only with the mode, the wiring and the circuits' wiring.
    LayoutKey key{mode_, image.wiringSystem};
    for (int c = 0; c < 4; ++c)
        key[std::size_t(2 + c)] = image.Item(kCircuitWiringItem + c);
    const bool rebuild = key != layoutKey_;
    layoutKey_ = key;
    const int width = layout.sideBySide ? energyColumnWidth_ : valueColumnWidth_;
    grids_->setDirection(layout.sideBySide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    Show(*top_, layout.top, width, image, rebuild);
    Show(*bottom_, layout.bottom, width, image, rebuild);
    const int unitText = layout.sideBySide ? kTextEnergyUnit : kTextValueUnit;
    if (unit_->text() != UiText(unitText))
        unit_->setText(UiText(unitText));
}
