#pragma once

#include "config_ui/CWorkingSetDialog.h"

class QRadioButton;

// "Short Cut Menu Setting": whether the display's short-cut menu offers
// clearing the alarms.
class CShortCutMenuDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CShortCutMenuDialog(const ParameterSet& working, QWidget* parent = nullptr);

    void accept() override;

private:
    QRadioButton* enable_;
};
