#include "utility/CDeviceInfoDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/AppIcon.h"
#include "monitor/CMeasurandsKTA.h"
#include "text/TextIds.h"
#include "utility/CTagSettingDialog.h"
#include "utility/DeviceCommand.h"
#include "utility/DeviceInformation.h"
#include "widgets/CDataGridView.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {

constexpr int kTextCaption = 25540;
constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;
// A cell's text keeps this much room to its grid lines.
constexpr int kCellPadding = 8;
// Wide enough for a 16-character tag and the longest model names.
constexpr int kMinimumValueChars = 24;

std::vector<GridHeaderCell> NameHeaders()
{
    std::vector<GridHeaderCell> headers;
    int row = 0;
    for (const DeviceInformationRow& r : DeviceInformationRows())
        headers.push_back({r.nameId, kNameColumn, row++});
    return headers;
}

} // namespace

CDeviceInfoDialog::CDeviceInfoDialog(CModbusInterface& connection, QWidget* parent)
    : QDialog(parent), connection_(connection), image_(std::make_unique<CMeasurandsKTA>())
{
    setWindowTitle(UiText(kTextCaption));
    ApplyAppIcon(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    grid_ = new CDataGridView(this);
    SetControlId(grid_, kGrid);
    grid_->SetHeaders(NameHeaders(), grid_->ColumnWidth(), 2);
    layout->addWidget(grid_);

    auto* buttons = new QHBoxLayout;
    auto* tag = new QPushButton(UiText(TextId::TagNo), this);
    SetControlId(tag, kTagNo);
    auto* close = new QPushButton(UiText(TextId::Close), this);
    SetControlId(close, kClose);
    close->setDefault(true);
    buttons->addWidget(tag);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(tag, &QPushButton::clicked, this, &CDeviceInfoDialog::OnTagNo);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    ShowImage();
    Refresh();
}

CDeviceInfoDialog::~CDeviceInfoDialog() = default;

bool CDeviceInfoDialog::Refresh()
{
    // Read into a fresh image, so that a read failing half-way leaves the
    // shown values as they were.
    auto read = std::make_unique<CMeasurandsKTA>();
    if (!RunDeviceCommand([&] {
            CWaitCursor waiting;
            ReadDeviceInformation(connection_, *read);
        }))
        return false;
    image_ = std::move(read);
    ShowImage();
    return true;
}

void CDeviceInfoDialog::ShowImage()
{
    const std::vector<DeviceInformationText> texts = DeviceInformationTexts(*image_);
    const QFontMetrics fm = grid_->fontMetrics();
    int width = fm.averageCharWidth() * kMinimumValueChars;
    for (int row = 0; row < static_cast<int>(texts.size()); ++row) {
        const QString value = QString::fromStdString(texts[row].text);
        grid_->SetValueText(kValueColumn, row, value);
        width = std::max(
            {width, fm.horizontalAdvance(value) + kCellPadding,
             fm.horizontalAdvance(QString::fromStdString(texts[row].name)) + kCellPadding});
    }
    if (width != grid_->ColumnWidth())
        grid_->SetColumnWidth(width);
}

void CDeviceInfoDialog::OnTagNo()
{
    if (RunTagSetting(connection_, this))
        Refresh();
}

void RunDeviceInfoDialog(CModbusInterface& connection, QWidget* parent)
{
    CDeviceInfoDialog dialog(connection, parent);
    RunModal(dialog);
}
