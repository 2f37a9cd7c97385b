#pragma once

#include <QDialog>

#include "device/ParameterSet.h"

class QComboBox;
class QLineEdit;

// "CC-Link Setting": node address and transfer rate of the CC-Link interface.
class CCCLinkDialog : public QDialog {
    Q_OBJECT
public:
    explicit CCCLinkDialog(const ParameterSet& working, QWidget* parent = nullptr);

    const ParameterSet& Parameters() const { return set_; }

    void accept() override;

private:
    ParameterSet set_;
    QLineEdit* nodeAddress_;
    QComboBox* transferRate_;
};
