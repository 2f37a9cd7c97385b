#pragma once

#include "config_ui/CWorkingSetDialog.h"

class QGridLayout;
class QRadioButton;

// "Display Expression Setting": how the display names the lines and the
// phase direction (KTA) and whether it uses k for small powers (second
// generations). A pair the variant lacks is disabled and keeps its word.
class CDisplayExpressionDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CDisplayExpressionDialog(const ParameterSet& working, QWidget* parent = nullptr);

    void accept() override;

private:
    struct Labelled {
        int textId;
        int controlId;
    };
    // The pair's second button.
    QRadioButton* AddPair(QGridLayout* grid, int row, Labelled label, Labelled first,
                          Labelled second, bool secondChecked, bool enabled);

    QRadioButton* rstLines_;
    QRadioButton* lagLead_;
    QRadioButton* noKForPower_;
};
