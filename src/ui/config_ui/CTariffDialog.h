#pragma once

#include "config_ui/CWorkingSetDialog.h"

class QLabel;
class QRadioButton;

// "Switch tariff": which tariff the device counts in (word 28 of the
// dialog's copy of the working set, stored on OK).
class CTariffDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    static constexpr int kHighTariff = 1022;
    static constexpr int kLowTariff = 1023;
    static constexpr int kNote = 1070;

    explicit CTariffDialog(const ParameterSet& working, QWidget* parent = nullptr);

    void accept() override;

private:
    QRadioButton* high_;
    QRadioButton* low_;
    QLabel* note_;
};
