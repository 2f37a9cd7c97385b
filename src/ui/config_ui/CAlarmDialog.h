#pragma once

#include "config_ui/CWorkingSetDialog.h"

class CListCtrlInfoTip;
class CParEdit;
class QCheckBox;
class QLineEdit;
struct ParEditResult;

// "Alarm Setting": the 19 alarm items of the dialog's copy of the working
// set in a list edited in place (setpoints, hysteresis, ON delay, output),
// plus the power ON delay and the latching flag, which are read on OK.
class CAlarmDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    static constexpr int kPowerOnDelay = 1014;
    static constexpr int kAlarmList = 1037;
    static constexpr int kLatching = 1038;

    explicit CAlarmDialog(const ParameterSet& working, QWidget* parent = nullptr);

    CListCtrlInfoTip* List() const { return list_; }
    CParEdit* Editor() const { return editor_; }
    // Opens the in-place editor on a cell; nothing happens on a row that
    // does not apply or on the name column.
    void OpenEditor(int row, int column);

    void accept() override;
    void reject() override;

private:
    void BuildList();
    void FillRow(int row);
    void OnEditFinished(const ParEditResult& result);
    bool Store(const ParEditResult& result);

    QLineEdit* powerOnDelay_;
    QCheckBox* latching_;
    CListCtrlInfoTip* list_;
    CParEdit* editor_;
};
