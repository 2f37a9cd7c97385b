#pragma once

#include "config_ui/CWorkingSetDialog.h"

class CListCtrlInfoTip;
class CParEdit;
struct ParEditResult;

// "SIGMA Display Setting": the item shown on each line of the sigma
// screens, chosen in place from a drop-down list. Rows the variant cannot
// change are shown greyed and do not open.
class CDisplaySigmaDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    static constexpr int kList = 1096;

    explicit CDisplaySigmaDialog(const ParameterSet& working, QWidget* parent = nullptr);

    CListCtrlInfoTip* List() const { return list_; }
    CParEdit* Editor() const { return editor_; }

    // Opens the drop-down list over a row's "Value" cell when the row is editable.
    void OpenEditor(int row);

    void done(int result) override;

private:
    void FillRow(int row);
    void OnEditFinished(const ParEditResult& result);

    CListCtrlInfoTip* list_;
    CParEdit* editor_;
};
