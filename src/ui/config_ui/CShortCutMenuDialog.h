#pragma once

#include <QDialog>

#include "device/ParameterSet.h"

class QRadioButton;

// "Short Cut Menu Setting": whether the display's short-cut menu offers
// clearing the alarms.
class CShortCutMenuDialog : public QDialog {
    Q_OBJECT
public:
    explicit CShortCutMenuDialog(const ParameterSet& working, QWidget* parent = nullptr);

    const ParameterSet& Parameters() const { return set_; }

    void accept() override;

private:
    ParameterSet set_;
    QRadioButton* enable_;
};
