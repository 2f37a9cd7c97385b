#pragma once

#include "config_ui/CWorkingSetDialog.h"

class CListCtrlInfoTip;
class CParEdit;
struct ParEditResult;

// "Bar Setting": the 100 % and 0 % values of the external bar graph for
// nine quantities, edited in place in a list. Each value is stored when its
// edit closes; OK only ends the dialog.
class CBarDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    static constexpr int kList = 1096;

    explicit CBarDialog(const ParameterSet& working, QWidget* parent = nullptr);

    CListCtrlInfoTip* List() const { return list_; }
    CParEdit* Editor() const { return editor_; }

    // Opens the edit over a value cell (column 1 "100%" or 2 "0%").
    void OpenEditor(int row, int column);

    void done(int result) override;

private:
    void FillRow(int row);
    void OnEditFinished(const ParEditResult& result);

    CListCtrlInfoTip* list_;
    CParEdit* editor_;
};
