#include "config_ui/CCompareDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/CAppSettings.h"
#include "app/RunShowingErrors.h"
#include "app/RunTransfer.h"
#include "app/ShowConnectDialog.h"
#include "comm/CModbusInterface.h"
#include "config_ui/CCompareList.h"
#include "device/CConfigFile.h"
#include "device/ParameterTransfer.h"
#include "device/ReportColours.h"
#include "device/ReportCsv.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"
#include "widgets/UiText.h"

namespace {

constexpr int kTextCaption = 21500;
constexpr int kTextExportCsv = 21501;
constexpr int kTextCopy = 21502;
constexpr int kTextCompareWith = 21503;
constexpr int kTextDevice = 21504;
constexpr int kTextFile = 21505;
constexpr int kTextClose = 21506;
constexpr int kTextHideUnable = 21507;
constexpr int kTextCsvFilter = 2701;
constexpr int kListMinimumWidth = 780;
constexpr int kListMinimumHeight = 360;

QPushButton* MakeButton(QWidget* parent, int controlId, int textId)
{
    auto* button = new QPushButton(UiText(textId), parent);
    SetControlId(button, controlId);
    button->setAutoDefault(false);
    return button;
}

FileDialogRequest FileRequest(bool save, int filterId, const char* extension)
{
    FileDialogRequest request;
    request.save = save;
    request.filter = LoadText(filterId);
    request.defaultExtension = extension;
    request.overwritePrompt = true;
    return request;
}

} // namespace

CCompareDialog::CCompareDialog(const ParameterSet& pcSet, CAppSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), report_(pcSet)
{
    setWindowTitle(UiText(kTextCaption));
    BuildLayout();
    report_.SetHideUnable(settings_.HideIgnoreParameters());
    hide_->setChecked(report_.HideUnable());
    connect(hide_, &QCheckBox::toggled, this, &CCompareDialog::SetHideUnable);
    Refresh();
}

void CCompareDialog::BuildLayout()
{
    auto* exportCsv = MakeButton(this, kExportCsv, kTextExportCsv);
    copy_ = MakeButton(this, kCopy, kTextCopy);
    auto* compareGroup = new QGroupBox(UiText(kTextCompareWith), this);
    auto* device = MakeButton(compareGroup, kDevice, kTextDevice);
    auto* file = MakeButton(compareGroup, kFile, kTextFile);
    auto* compareRow = new QHBoxLayout(compareGroup);
    compareRow->addWidget(device);
    compareRow->addWidget(file);

    auto* top = new QHBoxLayout;
    top->addWidget(exportCsv);
    top->addStretch();
    top->addWidget(copy_);
    top->addWidget(compareGroup);

    list_ = new CCompareList(this);
    SetControlId(list_, kList);
    list_->setMinimumSize(kListMinimumWidth, kListMinimumHeight);
    result_ = new QLabel(this);
    SetControlId(result_, kResult);
    hide_ = new QCheckBox(UiText(kTextHideUnable), this);
    SetControlId(hide_, kHideUnable);
    auto* close = MakeButton(this, kClose, kTextClose);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(result_, 1);
    bottom->addWidget(hide_);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);

    connect(exportCsv, &QPushButton::clicked, this, &CCompareDialog::ExportCsv);
    connect(copy_, &QPushButton::clicked, this, &CCompareDialog::CopyComparison);
    connect(device, &QPushButton::clicked, this, &CCompareDialog::CompareWithDevice);
    connect(file, &QPushButton::clicked, this, &CCompareDialog::CompareWithFile);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void CCompareDialog::Refresh()
{
    list_->Show(report_);
    result_->setText(QString::fromStdString(report_.ResultText()));
    const Rgb red = kMismatchResultColour;
    result_->setStyleSheet(
        report_.ResultIsRed()
            ? QStringLiteral("color: rgb(%1, %2, %3);").arg(red.r).arg(red.g).arg(red.b)
            : QString());
    copy_->setEnabled(report_.IsComparing());
}

void CCompareDialog::CompareWithDevice()
{
    // A failed command is shown and changes nothing.
    RunShowingErrors([this] {
        CModbusInterface connection;
        if (!ShowConnectDialog(connection))
            return;
        ParameterSet uploaded;
        if (!RunTransfer(
                connection, uploaded, TransferOperation::Read,
                [](CModbusInterface& master, ParameterSet& set, IProgressSink& sink) {
                    return ReadFromDevice(set, master, sink);
                },
                this))
            return;
        CompareWithDeviceSet(uploaded);
    });
}

void CCompareDialog::CompareWithDeviceSet(const ParameterSet& set)
{
    report_.CompareWithDevice(set);
    Refresh();
}

void CCompareDialog::CompareWithFile()
{
    RunShowingErrors([this] {
        const auto path =
            Prompts().AskFileName(FileRequest(false, TextId::ConfigurationFilter, "cfg"));
        if (!path)
            return;
        ParameterSet loaded;
        CConfigFile::LoadFromFile(loaded, *path);
        CompareWithFileSet(loaded, *path);
    });
}

void CCompareDialog::CompareWithFileSet(const ParameterSet& set, const std::string& path)
{
    report_.CompareWithFile(set, path);
    Refresh();
}

void CCompareDialog::CopyComparison()
{
    if (report_.CopyComparisonToPc())
        Refresh();
}

void CCompareDialog::ExportCsv()
{
    RunShowingErrors([this] {
        const auto path = Prompts().AskFileName(FileRequest(true, kTextCsvFilter, "csv"));
        if (path)
            ExportReportCsv(report_, *path);
    });
}

void CCompareDialog::SetHideUnable(bool hide)
{
    settings_.SetHideIgnoreParameters(hide);
    report_.SetHideUnable(hide);
    const QSignalBlocker quiet(hide_);
    hide_->setChecked(hide);
    Refresh();
}
