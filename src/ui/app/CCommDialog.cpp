#include "app/CCommDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "app/CPrivateException.h"
#include "app/ConnectDialogRules.h"
#include "app/DialogText.h"
#include "app/IPromptService.h"
#include "config/InterfaceTexts.h"
#include "text/TextIds.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTextCaption = 20201;
constexpr int kTextConfig = 20202;
constexpr int kTextInfrared = 20203;
constexpr int kTextRs485 = 20204;
constexpr int kTextTcp = 20205;
constexpr int kTextComPort = 20206;
constexpr int kTextTransferRate = 20207;
constexpr int kTextParityBit = 20208;
constexpr int kTextStopBit = 20209;
constexpr int kTextStationAddress = 20210;
constexpr int kTextPort = 20211;
constexpr int kTextConnect = 20201;
constexpr int kTextConfigNote = 11040;
constexpr int kTextVerifyAfterDownload = 20230;
constexpr int kBaudCount = 6;
constexpr int kParityCount = 3;
constexpr int kStopCount = 2;
constexpr int kNoteWidth = 420;
constexpr int kFieldWidth = 240;

template <typename T> T* Make(QWidget* parent, int controlId)
{
    T* widget = new T(parent);
    SetControlId(widget, controlId);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, int controlId, int textId)
{
    QLabel* label = Make<QLabel>(parent, controlId);
    label->setText(UiText(textId));
    return label;
}

void FillFromTable(QComboBox* combo, int firstId, int count)
{
    for (int i = 0; i < count; ++i)
        combo->addItem(UiText(firstId + i));
}

} // namespace

CCommDialog::CCommDialog(const ComSettings& settings, CSerialPortList ports, QWidget* parent,
                         ConnectPurpose purpose, bool verifyAfterDownload)
    : QDialog(parent), settings_(settings)
{
    AddRememberedPorts(ports, settings_);
    portList_ = std::move(ports);
    ports_ = portList_.Entries();
    setWindowTitle(UiText(kTextCaption));
    ApplyAppIcon(*this);
    BuildControls();
    FillLists();
    InitialiseFromSettings();
    verify_->setVisible(OffersVerifyAfterDownload(purpose));
    verify_->setChecked(verifyAfterDownload);
}

bool CCommDialog::VerifyAfterDownload() const
{
    return verify_->isChecked();
}

void CCommDialog::BuildControls()
{
    auto* modes = new QButtonGroup(this);
    radioConfig_ = Make<QRadioButton>(this, kRadioConfig);
    radioInfrared_ = Make<QRadioButton>(this, kRadioInfrared);
    radioRs485_ = Make<QRadioButton>(this, kRadioRs485);
    radioTcp_ = Make<QRadioButton>(this, kRadioTcp);
    const std::pair<QRadioButton*, int> radios[] = {
        {radioConfig_, kTextConfig},
        {radioInfrared_, kTextInfrared},
        {radioRs485_, kTextRs485},
        {radioTcp_, kTextTcp},
    };
    auto* layout = new QVBoxLayout(this);
    for (const auto& [radio, textId] : radios) {
        radio->setText(UiText(textId));
        modes->addButton(radio);
        layout->addWidget(radio);
        connect(radio, &QRadioButton::clicked, this, [this] { ApplyMode(SelectedMode()); });
    }

    auto* grid = new QGridLayout;
    auto addRow = [&](QLabel* label, QWidget* field) {
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    };
    comPortLabel_ = MakeLabel(this, kLabelComPort, kTextComPort);
    comPort_ = Make<QComboBox>(this, kComPort);
    comPort_->setMinimumContentsLength(24);
    addRow(comPortLabel_, comPort_);
    baudLabel_ = MakeLabel(this, kLabelBaud, kTextTransferRate);
    baud_ = Make<QComboBox>(this, kBaud);
    addRow(baudLabel_, baud_);
    parityLabel_ = MakeLabel(this, kLabelParity, kTextParityBit);
    parity_ = Make<QComboBox>(this, kParity);
    addRow(parityLabel_, parity_);
    stopLabel_ = MakeLabel(this, kLabelStop, kTextStopBit);
    stop_ = Make<QComboBox>(this, kStop);
    addRow(stopLabel_, stop_);
    stationLabel_ = MakeLabel(this, kLabelStation, kTextStationAddress);
    station_ = Make<QLineEdit>(this, kStation);
    addRow(stationLabel_, station_);
    servicePortLabel_ = MakeLabel(this, kLabelServicePort, kTextPort);
    servicePort_ = Make<QComboBox>(this, kServicePort);
    servicePort_->setEditable(true);
    addRow(servicePortLabel_, servicePort_);
    addressLabel_ = MakeLabel(this, kLabelAddress, TextId::DeviceAddress);
    address_ = Make<QLineEdit>(this, kAddress);
    addRow(addressLabel_, address_);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, kFieldWidth);
    layout->addLayout(grid);

    note_ = Make<QLabel>(this, kConfigNote);
    note_->setWordWrap(true);
    note_->setFixedWidth(kNoteWidth);
    layout->addWidget(note_);

    verify_ = Make<QCheckBox>(this, kVerifyDownload);
    verify_->setText(UiText(kTextVerifyAfterDownload));
    layout->addWidget(verify_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* connectButton = Make<QPushButton>(this, kConnect);
    connectButton->setText(UiText(kTextConnect));
    connectButton->setDefault(true);
    auto* cancelButton = Make<QPushButton>(this, kCancel);
    cancelButton->setText(UiText(TextId::Cancel));
    buttons->addWidget(connectButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    // The window follows the controls the mode shows.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(connectButton, &QPushButton::clicked, this, &CCommDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CCommDialog::reject);
    connect(comPort_, &QComboBox::activated, this, &CCommDialog::OnPortActivated);
}

void CCommDialog::FillLists()
{
    for (const SerialPortEntry& port : ports_)
        comPort_->addItem(QString::fromStdString(port.displayName));
    if (!ports_.empty())
        comPort_->setCurrentIndex(0);
    FillFromTable(baud_, InterfaceChoice::TransferRateBase, kBaudCount);
    FillFromTable(parity_, InterfaceChoice::ParityBase, kParityCount);
    FillFromTable(stop_, InterfaceChoice::StopBitsBase, kStopCount);
    servicePort_->addItem(QStringLiteral("502"));
}

void CCommDialog::InitialiseFromSettings()
{
    remembered_[static_cast<int>(ConnectionMode::Rs485)] = settings_.comPortDisplayName;
    remembered_[static_cast<int>(ConnectionMode::Infrared)] = settings_.irPortDisplayName;
    remembered_[static_cast<int>(ConnectionMode::Config)] = settings_.configPortDisplayName;

    address_->setText(QString::fromStdString(InitialAddressText(settings_)));
    const ConnectionMode mode = DialogModeFor(settings_.mode);
    RadioFor(mode)->setChecked(true);
    baud_->setCurrentIndex(BaudItemFor(settings_.baudIndex));
    parity_->setCurrentIndex(ParityItemFor(settings_.parity));
    stop_->setCurrentIndex(StopItemFor(settings_.stopIndex));
    station_->setText(QString::fromStdString(settings_.serverAddress));
    servicePort_->setEditText(QString::fromStdString(settings_.servicePort));
    note_->setText(DialogText(kTextConfigNote));
    ApplyMode(mode);
}

ConnectionMode CCommDialog::SelectedMode() const
{
    if (radioConfig_->isChecked())
        return ConnectionMode::Config;
    if (radioRs485_->isChecked())
        return ConnectionMode::Rs485;
    if (radioTcp_->isChecked())
        return ConnectionMode::Tcp;
    return ConnectionMode::Infrared;
}

QRadioButton* CCommDialog::RadioFor(ConnectionMode mode) const
{
    switch (mode) {
    case ConnectionMode::Rs485:
        return radioRs485_;
    case ConnectionMode::Tcp:
        return radioTcp_;
    case ConnectionMode::Config:
        return radioConfig_;
    case ConnectionMode::Infrared:
        break;
    }
    return radioInfrared_;
}

void CCommDialog::ApplyMode(ConnectionMode mode)
{
    const ConnectVisibility v = VisibilityForMode(mode);
    addressLabel_->setVisible(v.deviceAddress);
    address_->setVisible(v.deviceAddress);
    comPortLabel_->setVisible(v.comPort);
    comPort_->setVisible(v.comPort);
    note_->setVisible(v.configNote);
    for (QWidget* w : {static_cast<QWidget*>(baudLabel_), static_cast<QWidget*>(baud_),
                       static_cast<QWidget*>(parityLabel_), static_cast<QWidget*>(parity_),
                       static_cast<QWidget*>(stopLabel_), static_cast<QWidget*>(stop_)})
        w->setVisible(v.lineSettings);
    for (QWidget* w :
         {static_cast<QWidget*>(stationLabel_), static_cast<QWidget*>(station_),
          static_cast<QWidget*>(servicePortLabel_), static_cast<QWidget*>(servicePort_)})
        w->setVisible(v.tcpEndpoint);

    const std::string remembered =
        mode == ConnectionMode::Tcp ? std::string() : remembered_[static_cast<int>(mode)];
    const int found = portList_.IndexForMode(mode, remembered);
    if (found >= 0)
        comPort_->setCurrentIndex(found);
}

void CCommDialog::OnPortActivated(int index)
{
    const ConnectionMode mode = SelectedMode();
    if (mode == ConnectionMode::Tcp || index < 0 || index >= static_cast<int>(ports_.size()))
        return;
    remembered_[static_cast<int>(mode)] = ports_[index].displayName;
}

bool CCommDialog::ReadAddressInto(ComSettings& settings)
{
    try {
        settings.address = ReadDeviceAddress(address_->text().toStdString());
        return true;
    } catch (const CPrivateException& e) {
        Prompts().Error(e.Text());
        address_->setFocus();
        address_->selectAll();
        return false;
    }
}

void CCommDialog::accept()
{
    const ConnectionMode mode = SelectedMode();
    const int portIndex = comPort_->currentIndex();
    const bool hasPort = portIndex >= 0 && portIndex < static_cast<int>(ports_.size());
    ComSettings result = settings_;
    if (mode != ConnectionMode::Tcp && !hasPort)
        return;
    if (mode == ConnectionMode::Rs485 || mode == ConnectionMode::Tcp) {
        if (!ReadAddressInto(result))
            return;
    }
    result.mode = mode;
    if (mode == ConnectionMode::Tcp) {
        result.serverAddress = station_->text().toStdString();
        result.servicePort = servicePort_->currentText().toStdString();
    } else {
        StorePort(result, mode, ports_[portIndex]);
    }
    if (mode == ConnectionMode::Rs485) {
        result.baudIndex = baud_->currentIndex();
        result.parity = static_cast<SerialParity>(parity_->currentIndex());
        result.stopIndex = stop_->currentIndex();
    }
    settings_ = result;
    QDialog::accept();
}
