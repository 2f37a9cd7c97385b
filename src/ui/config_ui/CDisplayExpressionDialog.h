#pragma once

#include "config_ui/CWorkingSetDialog.h"

#include <vector>

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
    struct Pair {
        int word;
        QRadioButton* second;
        bool enabled;
    };
    Pair AddPair(QGridLayout* grid, int row, int labelId, int labelControl, int firstId,
                 int firstControl, int secondId, int secondControl, int word, bool enabled);

    std::vector<Pair> pairs_;
};
