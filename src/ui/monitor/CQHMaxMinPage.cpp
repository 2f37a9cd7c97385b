#include "monitor/CQHMaxMinPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>

#include "monitor/MonitorLayout.h"
#include "monitor/MonitorTexts.h"
#include "monitor/QhMonitorCells.h"
#include "widgets/CDataGridView.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTopGridControl = 1003;
constexpr int kBottomGridControl = 1004;
constexpr int kUnitControl = 1204;
constexpr int kTextUnit = 11049;
constexpr int kTextVoltage = MonitorText::kVoltage;
constexpr int kTextCurrent = MonitorText::kCurrent;
constexpr int kTextFrequency = MonitorText::kFrequency;
constexpr int kTopGridWidth = 336;
constexpr int kBottomColumnPixels = 80;
const QStringList kLongestValues = {QStringLiteral("-2147483648"), QStringLiteral("-21474836.48"),
                                    QStringLiteral("2099/12/31")};

struct ResetPlace {
    int controlId;
    int textId;
    QhResetButton button;
};
constexpr ResetPlace kInstantaneous[] = {
    {CQHMaxMinPage::kVoltageMaxMin, kTextVoltage, QhResetButton::VoltageMaxMin},
    {CQHMaxMinPage::kCurrentMaxMin, kTextCurrent, QhResetButton::CurrentMaxMin},
    {CQHMaxMinPage::kPowerMaxMin, QhCells::Text::kPower, QhResetButton::PowerMaxMin},
    {CQHMaxMinPage::kPowerFactorMaxMin, QhCells::Text::kPowerFactorButton,
     QhResetButton::PowerFactorMaxMin},
    {CQHMaxMinPage::kFrequencyMaxMin, kTextFrequency, QhResetButton::FrequencyMaxMin},
};
constexpr ResetPlace kDemandReset[] = {
    {CQHMaxMinPage::kCurrentDemand, kTextCurrent, QhResetButton::CurrentDemand},
    {CQHMaxMinPage::kPowerDemand, QhCells::Text::kPower, QhResetButton::PowerDemand},
};
constexpr ResetPlace kDemandMaxMin[] = {
    {CQHMaxMinPage::kCurrentDemandMaxMin, kTextCurrent, QhResetButton::CurrentDemandMaxMin},
    {CQHMaxMinPage::kPowerDemandMaxMin, QhCells::Text::kPower, QhResetButton::PowerDemandMaxMin},
};
} // namespace

CQHMaxMinPage::CQHMaxMinPage(QWidget* parent)
    : QWidget(parent), top_(new CDataGridView(this)), bottom_(new CDataGridView(this)),
      unit_(new QLabel(UiText(kTextUnit), this))
{
    using namespace QhCells;
    SetControlId(top_, kTopGridControl);
    SetControlId(bottom_, kBottomGridControl);
    SetControlId(unit_, kUnitControl);
    unit_->setWordWrap(true);

    const CDialogUnits du(font());
    top_->SetHeaders(DetailTopHeaders(),
                     GridColumnWidth(*top_, du.X(kTopGridWidth), kDetailTopColumns,
                                     {DetailTopHeaders()}, kLongestValues),
                     kDetailTopColumns);
    bottomColumnWidth_ = GridColumnWidth(
        *bottom_, kBottomColumnPixels, 1,
        {DetailBottomHeaders(kTrend), DetailBottomHeaders(kMax), DetailBottomHeaders(kMin)},
        kLongestValues);
    bottom_->SetHeaders(DetailBottomHeaders(selection_), bottomColumnWidth_, kDetailBottomColumns);

    auto* lower = new QHBoxLayout;
    lower->addWidget(bottom_, 0, Qt::AlignTop);
    lower->addWidget(BuildResetGroups(), 0, Qt::AlignTop);
    lower->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top_, 0, Qt::AlignLeft);
    layout->addWidget(unit_);
    layout->addLayout(lower);
    layout->addStretch(1);
    unit_->setMaximumWidth(top_->sizeHint().width());
}

QWidget* CQHMaxMinPage::BuildResetGroups()
{
    using namespace QhCells;
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto addRow = [this](QGridLayout* grid, int row, int labelId,
                         std::span<const ResetPlace> places) {
        grid->addWidget(new QLabel(UiText(labelId)), row, 0);
        int column = 1;
        for (const ResetPlace& p : places) {
            auto* button = new QPushButton(UiText(p.textId));
            SetControlId(button, p.controlId);
            button->setAutoDefault(false);
            const QhResetButton which = p.button;
            connect(button, &QPushButton::clicked, this,
                    [this, which] { emit ResetClicked(which); });
            grid->addWidget(button, row, column++);
        }
    };
    auto* instantaneous = new QGroupBox(UiText(Text::kInstantaneous), box);
    auto* first = new QGridLayout(instantaneous);
    addRow(first, 0, Text::kResetMaxMin, kInstantaneous);
    auto* demand = new QGroupBox(UiText(Text::kDemand), box);
    auto* second = new QGridLayout(demand);
    addRow(second, 0, Text::kResetDemand, kDemandReset);
    addRow(second, 1, Text::kResetMaxMin, kDemandMaxMin);
    second->setColumnStretch(3, 1);
    layout->addWidget(instantaneous);
    layout->addWidget(demand);
    return box;
}

void CQHMaxMinPage::SetSelection(int tab)
{
    selection_ = tab;
    bottom_->SetHeaders(QhCells::DetailBottomHeaders(tab), bottomColumnWidth_,
                        QhCells::kDetailBottomColumns);
    top_->ClearValues();
    bottom_->ClearValues();
}

void CQHMaxMinPage::Refresh(const CMeasurandsKTA& image)
{
    top_->RefreshValues(image, QhCells::DetailTopItems(selection_));
    bottom_->RefreshValues(image, QhCells::DetailBottomItems(selection_));
}
