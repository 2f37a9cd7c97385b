#include "monitor/CMonitorFrameDialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "app/CMyORMELApp.h"
#include "app/CSettingsStore.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/MonitorCellLists.h"
#include "monitor/MonitorTexts.h"
#include "monitor/MonitorWindowTexts.h"
#include "text/TextIds.h"
#include "widgets/CDataGridView.h"
#include "widgets/CHarmonicsGraph.h"
#include "widgets/CLedIndicator.h"
#include "widgets/CVectorChart.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTimerMs = 500;
constexpr int kTemplateWidth = 593;
constexpr int kTemplateHeight = 485;
constexpr int kFirstAddress = 1;
constexpr int kLastAddress = 247;

// Placeholders of the grids and charts in dialog units.
constexpr int kThdGridWidth = 160;
constexpr int kDeviceGridWidth = 190;
constexpr int kOutputGridWidth = 150;
constexpr int kChartSide = 150;
constexpr int kGraphHeight = 100;

QLabel* Label(QWidget* parent, int textId, int controlId = 0)
{
    auto* label = new QLabel(UiText(textId), parent);
    if (controlId)
        SetControlId(label, controlId);
    return label;
}

QPushButton* Button(QWidget* parent, int textId, int controlId)
{
    auto* button = new QPushButton(UiText(textId), parent);
    SetControlId(button, controlId);
    // Enter would end the window with result 1, the "reopen" result.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// Digits of the graph's order band stand upright; a slot needs the height of
// a digit, not of a whole text line.
int GraphSlotWidth(const QFontMetrics& fm)
{
    return fm.ascent() + 2;
}
} // namespace

CMonitorFrameDialog::CMonitorFrameDialog(const ComSettings& settings, CSettingsStore& store,
                                         QWidget* parent)
    : CObserverDialog(parent), settings_(settings), store_(store), units_(font()), status_(this)
{
    ApplyAppIcon(*this);
    setWindowTitle(GetAppTitle());

    // Upper half: the window's first tab beside the harmonics; lower half:
    // its second tab over device information and outputs, beside the chart.
    upperPages_ = new QVBoxLayout;
    auto* upper = new QHBoxLayout;
    upper->addLayout(upperPages_, 1);
    upper->addWidget(BuildHarmonicsGroup(), 0, Qt::AlignTop);

    lowerPages_ = new QVBoxLayout;
    auto* infoRow = new QHBoxLayout;
    infoRow->addWidget(BuildDeviceInformationGroup(), 0, Qt::AlignTop);
    infoRow->addWidget(BuildOutputGroup(), 0, Qt::AlignTop);
    infoRow->addStretch(1);
    auto* lowerLeft = new QVBoxLayout;
    lowerLeft->addLayout(lowerPages_);
    lowerLeft->addLayout(infoRow);
    lowerLeft->addStretch(1);
    auto* lower = new QHBoxLayout;
    lower->addLayout(lowerLeft, 1);
    lower->addWidget(BuildChartGroup());

    auto* top = new QVBoxLayout(this);
    top->addLayout(upper);
    top->addLayout(lower, 1);
    top->addWidget(BuildControlRow());

    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        OnTimer();
        emit Ticked();
    });
}

CMonitorFrameDialog::~CMonitorFrameDialog() = default;

QGroupBox* CMonitorFrameDialog::BuildHarmonicsGroup()
{
    constexpr int kThdGridControl = 1006;
    constexpr int kGraphControl = 1011;
    constexpr int kThdUnitControl = 1206;
    constexpr int kTextThdUnit = 11051;
    auto* group = new QGroupBox(UiText(MonitorWindowText::kHarmonics), this);
    thdGrid_ = new CDataGridView(group);
    SetControlId(thdGrid_, kThdGridControl);
    graph_ = new CHarmonicsGraph(group);
    SetControlId(graph_, kGraphControl);
    // Nothing to draw before the first spectrum arrives (and never on a
    // device without harmonics).
    graph_->SetHidden(true);
    graph_->setFixedSize(31 * GraphSlotWidth(graph_->fontMetrics()) + 1, units_.Y(kGraphHeight));
    thdUnit_ = Label(group, kTextThdUnit, kThdUnitControl);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(thdGrid_, 0, Qt::AlignLeft);
    layout->addWidget(graph_, 0, Qt::AlignLeft);
    layout->addWidget(thdUnit_);
    return group;
}

QGroupBox* CMonitorFrameDialog::BuildChartGroup()
{
    constexpr int kChartControl = 1008;
    auto* group = new QGroupBox(UiText(MonitorWindowText::kVectorChart), this);
    chart_ = new CVectorChart(group);
    SetControlId(chart_, kChartControl);
    const int side = units_.X(kChartSide);
    chart_->setFixedSize(side, side);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(chart_, 0, Qt::AlignTop);
    return group;
}

QGroupBox* CMonitorFrameDialog::BuildDeviceInformationGroup()
{
    using namespace MonitorCells;
    constexpr int kDeviceGridControl = 1007;
    auto* group = new QGroupBox(UiText(MonitorWindowText::kDeviceInformation), this);
    deviceGrid_ = new CDataGridView(group);
    SetControlId(deviceGrid_, kDeviceGridControl);
    // A tag of 16 characters, the support number, the protection states.
    const QStringList longest = {
        QStringLiteral("WWWWWWWWWWWWWWWW").left(12), QStringLiteral("4294967295"),
        UiText(MonitorText::kProtectionEnabled), UiText(MonitorText::kProtectionDisabled),
        UiText(MonitorText::kNotSupported)};
    deviceGrid_->SetHeaders(DeviceInformationHeaders(),
                            GridColumnWidth(*deviceGrid_, units_.X(kDeviceGridWidth),
                                            kDeviceInformationColumns, {DeviceInformationHeaders()},
                                            longest),
                            kDeviceInformationColumns);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(deviceGrid_);
    return group;
}

QGroupBox* CMonitorFrameDialog::BuildOutputGroup()
{
    using namespace MonitorCells;
    constexpr int kOutputGridControl = 1009;
    constexpr int kOutputUnitControl = 1207;
    auto* group = new QGroupBox(UiText(MonitorWindowText::kAnalogOutput), this);
    outputGrid_ = new CDataGridView(group);
    SetControlId(outputGrid_, kOutputGridControl);
    outputGrid_->SetHeaders(OutputHeaders(),
                            GridColumnWidth(*outputGrid_, units_.X(kOutputGridWidth),
                                            kOutputColumns, {OutputHeaders()},
                                            {QStringLiteral("-327.68")}),
                            kOutputColumns, 2);
    outputUnit_ = Label(group, MonitorText::kUnitMilliampere, kOutputUnitControl);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(outputGrid_);
    layout->addWidget(outputUnit_);
    return group;
}

QWidget* CMonitorFrameDialog::BuildControlRow()
{
    constexpr int kLoopTestControl = 1186;
    constexpr int kUtilityControl = 1075;
    constexpr int kAddressLabelControl = 1094;
    constexpr int kAddressListControl = 1093;
    auto* row = new QWidget(this);
    loopTest_ = Button(row, MonitorWindowText::kLoopTest, kLoopTestControl);
    loopTest_->hide(); // shown for the devices that have the test, once step 9 knows
    utility_ = Button(row, MonitorWindowText::kUtility, kUtilityControl);
    addressLabel_ = Label(row, TextId::DeviceAddress, kAddressLabelControl);
    addressList_ = new QComboBox(row);
    SetControlId(addressList_, kAddressListControl);
    for (QWidget* w :
         {static_cast<QWidget*>(status_.StatusText()), static_cast<QWidget*>(status_.Led()),
          static_cast<QWidget*>(status_.FixedOutputText())})
        w->setParent(row);
    FillAddressList();

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(status_.StatusText());
    layout->addWidget(status_.Led());
    layout->addWidget(status_.FixedOutputText());
    layout->addStretch(1);
    extra_ = new QHBoxLayout;
    layout->addLayout(extra_);
    layout->addWidget(addressLabel_);
    layout->addWidget(addressList_);
    layout->addWidget(loopTest_);
    layout->addWidget(utility_);
    connect(utility_, &QPushButton::clicked, this, [this] { OnUtility(); });
    connect(loopTest_, &QPushButton::clicked, this, [this] { OnLoopTest(); });
    return row;
}

void CMonitorFrameDialog::FillAddressList()
{
    for (int a = kFirstAddress; a <= kLastAddress; ++a)
        addressList_->addItem(QString::number(a));
    const ConnectionMode mode = settings_.Mode();
    if (mode == ConnectionMode::Infrared || mode == ConnectionMode::Config) {
        // These links always talk to unit 1; the stored address stays as it is.
        addressList_->setCurrentIndex(0);
        addressLabel_->hide();
        addressList_->hide();
    } else if (settings_.address >= kFirstAddress && settings_.address <= kLastAddress) {
        addressList_->setCurrentIndex(settings_.address - kFirstAddress);
    }
    connect(addressList_, &QComboBox::currentIndexChanged, this,
            &CMonitorFrameDialog::OnAddressSelected);
}

void CMonitorFrameDialog::OnAddressSelected(int index)
{
    if (index < 0)
        return;
    settings_.address = index + kFirstAddress;
    ComSettings stored;
    stored.Load(store_);
    stored.address = settings_.address;
    stored.Save(store_);
    OnDeviceAddressChanged(settings_.address);
}

void CMonitorFrameDialog::RefreshDeviceInformation(const CMeasurandsKTA& image)
{
    deviceGrid_->RefreshValues(image, MonitorCells::DeviceInformationItems());
}

void CMonitorFrameDialog::RefreshOutputs(const CMeasurandsKTA& image, int unitTextId)
{
    outputGrid_->RefreshValues(image, MonitorCells::OutputItems());
    const QString unit = UiText(unitTextId);
    if (outputUnit_->text() != unit)
        outputUnit_->setText(unit);
}

void CMonitorFrameDialog::FinishLayout()
{
    layout()->activate();
    resize(sizeHint().expandedTo(units_.Size(kTemplateWidth, kTemplateHeight)));
}

void CMonitorFrameDialog::StartTimer()
{
    timer_.start();
}

void CMonitorFrameDialog::StopTimer()
{
    timer_.stop();
}

void CMonitorFrameDialog::done(int result)
{
    StopPolling();
    StopTimer();
    CObserverDialog::done(result);
}
