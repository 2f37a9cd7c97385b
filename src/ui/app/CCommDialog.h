#pragma once

#include <QDialog>

#include <array>
#include <string>
#include <vector>

#include "app/ConnectDialogRules.h"
#include "comm/CSerialPortList.h"
#include "comm/ComSettings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The Connect dialog: how the PC reaches the device. Edits a copy of the
// connection settings; "Connect" fills it from the controls and accepts,
// "Cancel" leaves it as it was.
class CCommDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        kRadioConfig = 1075,
        kRadioInfrared = 1078,
        kRadioRs485 = 1076,
        kRadioTcp = 1077,
        kLabelComPort = 1083,
        kComPort = 1057,
        kLabelBaud = 1082,
        kBaud = 1014,
        kLabelParity = 1081,
        kParity = 1015,
        kLabelStop = 1080,
        kStop = 1016,
        kLabelStation = 1084,
        kStation = 1079,
        kLabelServicePort = 1085,
        kServicePort = 1092,
        kLabelAddress = 1094,
        kAddress = 1067,
        kConfigNote = 1201,
        kVerifyDownload = 1202,
        kConnect = 1,
        kCancel = 2,
    };

    // ports: the serial ports to offer; the ports remembered in the settings
    // are added when the list lacks them. A dialog opened for a Download also
    // shows "Verify after download", checked as verifyAfterDownload says.
    CCommDialog(const ComSettings& settings, CSerialPortList ports, QWidget* parent = nullptr,
                ConnectPurpose purpose = ConnectPurpose::DeviceCommand,
                bool verifyAfterDownload = true);

    const ComSettings& Settings() const { return settings_; }
    // The state of "Verify after download"; meaningful for a Download only.
    bool VerifyAfterDownload() const;
    ConnectionMode SelectedMode() const;

    // "Connect": ignored without a port in a serial mode; an invalid device
    // address is reported and the dialog stays open.
    void accept() override;

private:
    void BuildControls();
    void FillLists();
    void InitialiseFromSettings();
    void ApplyMode(ConnectionMode mode);
    void OnPortActivated(int index);
    bool ReadAddressInto(ComSettings& settings);
    QRadioButton* RadioFor(ConnectionMode mode) const;

    ComSettings settings_;
    CSerialPortList portList_;
    std::vector<SerialPortEntry> ports_;    // in the order of the list control
    std::array<std::string, 4> remembered_; // display name per ConnectionMode

    QRadioButton* radioConfig_ = nullptr;
    QRadioButton* radioInfrared_ = nullptr;
    QRadioButton* radioRs485_ = nullptr;
    QRadioButton* radioTcp_ = nullptr;
    QLabel* comPortLabel_ = nullptr;
    QComboBox* comPort_ = nullptr;
    QLabel* baudLabel_ = nullptr;
    QComboBox* baud_ = nullptr;
    QLabel* parityLabel_ = nullptr;
    QComboBox* parity_ = nullptr;
    QLabel* stopLabel_ = nullptr;
    QComboBox* stop_ = nullptr;
    QLabel* stationLabel_ = nullptr;
    QLineEdit* station_ = nullptr;
    QLabel* servicePortLabel_ = nullptr;
    QComboBox* servicePort_ = nullptr;
    QLabel* addressLabel_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLabel* note_ = nullptr;
    QCheckBox* verify_ = nullptr;
};
