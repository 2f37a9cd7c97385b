#pragma once

#include "config_ui/CWorkingSetDialog.h"

class QComboBox;
class QLineEdit;

// "CC-Link Setting": node address and transfer rate of the CC-Link interface.
class CCCLinkDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CCCLinkDialog(const ParameterSet& working, QWidget* parent = nullptr);

    void accept() override;

private:
    QLineEdit* nodeAddress_;
    QComboBox* transferRate_;
};
