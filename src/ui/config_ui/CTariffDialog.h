#pragma once

#include <QDialog>

#include "device/ParameterSet.h"

class QLabel;
class QRadioButton;

// "Switch tariff": which tariff the device counts in (word 28 of the
// dialog's copy of the working set, stored on OK).
class CTariffDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHighTariff = 1022;
    static constexpr int kLowTariff = 1023;
    static constexpr int kNote = 1070;

    explicit CTariffDialog(const ParameterSet& working, QWidget* parent = nullptr);

    const ParameterSet& Parameters() const { return set_; }

    void accept() override;

private:
    ParameterSet set_;
    QRadioButton* high_;
    QRadioButton* low_;
    QLabel* note_;
};
