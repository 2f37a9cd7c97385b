#include "monitor/CMaxMinPage.h"

#include <QLabel>
#include <QVBoxLayout>

#include "monitor/MonitorCellLists.h"
#include "monitor/MonitorLayout.h"
#include "widgets/CDataGridView.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTopGridControl = 1003;
constexpr int kBottomGridControl = 1004;
constexpr int kUnitControl = 1204;
constexpr int kTextUnit = 11049;
// Placeholder of the top grid in dialog units; the bottom grid has columns of 80 pixels.
constexpr int kTopGridWidth = 336;
constexpr int kBottomColumnPixels = 80;
// Longest values: a power in watts, a voltage in hundredths.
const QStringList kLongestValues = {QStringLiteral("-2147483648"), QStringLiteral("-21474836.48")};
} // namespace

CMaxMinPage::CMaxMinPage(QWidget* parent)
    : QWidget(parent), top_(new CDataGridView(this)), bottom_(new CDataGridView(this)),
      unit_(new QLabel(UiText(kTextUnit), this))
{
    using namespace MonitorCells;
    SetControlId(top_, kTopGridControl);
    SetControlId(bottom_, kBottomGridControl);
    SetControlId(unit_, kUnitControl);
    unit_->setWordWrap(true);

    const CDialogUnits du(font());
    top_->SetHeaders(ValueTopHeaders(),
                     GridColumnWidth(*top_, du.X(kTopGridWidth), kValueTopColumns,
                                     {ValueTopHeaders()}, kLongestValues),
                     kValueTopColumns);
    // One width for every selection, so the grid keeps its size on a tab change.
    bottomColumnWidth_ = GridColumnWidth(
        *bottom_, kBottomColumnPixels, 1,
        {ValueBottomHeaders(kTrend), ValueBottomHeaders(kMax), ValueBottomHeaders(kMin)},
        kLongestValues);
    bottom_->SetHeaders(ValueBottomHeaders(selection_), bottomColumnWidth_, kValueBottomColumns);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top_, 0, Qt::AlignLeft);
    layout->addWidget(bottom_, 0, Qt::AlignLeft);
    layout->addWidget(unit_);
    layout->addStretch(1);
    unit_->setMaximumWidth(top_->sizeHint().width());
}

void CMaxMinPage::SetSelection(int valueTab)
{
    selection_ = valueTab;
    bottom_->SetHeaders(MonitorCells::ValueBottomHeaders(valueTab), bottomColumnWidth_,
                        MonitorCells::kValueBottomColumns);
    top_->ClearValues();
    bottom_->ClearValues();
}

void CMaxMinPage::Refresh(const CMeasurandsKTA& image)
{
    top_->RefreshValues(image, MonitorCells::ValueTopItems(selection_));
    bottom_->RefreshValues(image, MonitorCells::ValueBottomItems(selection_));
}
