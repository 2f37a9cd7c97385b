#include "monitor/CQHMainPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "monitor/CMeasurandsKTA.h"
#include "monitor/MonitorLayout.h"
#include "widgets/CDataGridView.h"
#include "widgets/UiText.h"

using QhCells::QhView;

namespace {
constexpr int kTopUnitControl = 1207;
constexpr int kBottomUnitControl = 1208;
// Placeholder width of the grids in dialog units: nine columns share it.
constexpr int kGridWidth = 560;
constexpr int kTopRows = 26;
constexpr int kBottomRows = 7;
// Longest values: an hourly record in tenths, a power in watts.
const QStringList kLongestValues = {QStringLiteral("9999999.9"), QStringLiteral("-99999999")};
} // namespace

CQHMainPage::CQHMainPage(QWidget* parent)
    : QWidget(parent), top_(new CDataGridView(this)), bottom_(new CDataGridView(this))
{
    using namespace QhCells;
    top_->setObjectName(QStringLiteral("hourlyGrid"));
    bottom_->setObjectName(QStringLiteral("valueGrid"));
    const CDialogUnits du(font());
    columnWidth_ =
        GridColumnWidth(*top_, du.X(kGridWidth), kMainColumns,
                        {MainTopHeaders(QhView::Basic), MainTopHeaders(QhView::Extension),
                         MainTopHeaders(QhView::PulseInputs), MainBottomHeaders(QhView::Basic),
                         MainBottomHeaders(QhView::PulseInputs)},
                        kLongestValues);

    topUnit_ = new QLabel(UiText(Text::kHourlyUnit), this);
    SetControlId(topUnit_, kTopUnitControl);
    bottomUnit_ = new QLabel(UiText(Text::kValueUnit), this);
    SetControlId(bottomUnit_, kBottomUnitControl);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->addWidget(top_, 0, Qt::AlignLeft);
    layout->addWidget(
        ButtonRow(kHourlyResetButtons, Text::kReset, Text::kResetHourly, [this](int k) {
            emit ResetClicked(QhResetButton::HourlyEnergy, ChannelBase() + k);
        }));
    layout->addWidget(topUnit_);
    layout->addSpacing(4);
    layout->addWidget(bottom_, 0, Qt::AlignLeft);
    layout->addWidget(
        ButtonRow(kEnergyResetButtons, Text::kReset, Text::kResetEnergy,
                  [this](int k) { emit ResetClicked(QhResetButton::Energy, ChannelBase() + k); }));
    layout->addWidget(ButtonRow(kDetailButtons, Text::kDetail, 0,
                                [this](int k) { emit DetailClicked(ChannelBase() + k); }));
    layout->addWidget(bottomUnit_);
    layout->addStretch(1);
    SetView(QhView::Basic);
}

QWidget* CQHMainPage::ButtonRow(const std::array<int, 8>& ids, int textId, int labelId,
                                const std::function<void(int)>& clicked)
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The first column holds the row's label; the buttons stand under their channels.
    auto* label = new QLabel(labelId ? UiText(labelId) : QString(), row);
    label->setFixedWidth(columnWidth_);
    layout->addWidget(label);
    for (std::size_t k = 0; k < ids.size(); ++k) {
        auto* button = new QPushButton(UiText(textId), row);
        SetControlId(button, ids[k]);
        button->setAutoDefault(false);
        button->setFixedWidth(columnWidth_);
        connect(button, &QPushButton::clicked, this, [clicked, k] { clicked(int(k)); });
        layout->addWidget(button);
        buttons_.push_back(button);
    }
    layout->addStretch(1);
    return row;
}

void CQHMainPage::SetView(QhView view)
{
    using namespace QhCells;
    view_ = view;
    top_->SetHeaders(MainTopHeaders(view), columnWidth_, kMainColumns, kTopRows);
    bottom_->SetHeaders(MainBottomHeaders(view), columnWidth_, kMainColumns, kBottomRows);
    top_->ClearValues();
    bottom_->ClearValues();
    const bool channels = ViewHasChannelButtons(view);
    for (QPushButton* b : buttons_)
        b->setEnabled(channels);
    topUnit_->setVisible(channels);
    bottomUnit_->setVisible(channels);
}

void CQHMainPage::Refresh(const CMeasurandsKTA& image)
{
    top_->RefreshValues(image, QhCells::MainTopItems(view_));
    bottom_->RefreshValues(image, QhCells::MainBottomItems(view_));
}
