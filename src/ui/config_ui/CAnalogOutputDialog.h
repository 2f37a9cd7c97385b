#pragma once

#include <vector>

#include "config/AnalogOutputTable.h"
#include "config_ui/CWorkingSetDialog.h"

class CListCtrlInfoTip;
class CParEdit;
struct ParEditResult;

// "Analog Output Setting": one column per analog output, one row per
// setting, each cell edited in place. Edits go straight into the dialog's
// copy of the working set; OK only closes.
class CAnalogOutputDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CAnalogOutputDialog(const ParameterSet& working, QWidget* parent = nullptr);

    CListCtrlInfoTip* List() const { return list_; }
    CParEdit* Editor() const { return editor_; }
    const std::vector<AoRow>& Rows() const { return rows_; }
    // Opens the in-place editor on a cell; column 1 is the first output.
    void OpenEditor(int column, int row);
    // Stores the outcome of an in-place edit and follows its move.
    void EditFinished(const ParEditResult& result);

    void done(int result) override;

private:
    void FillColumn(int output);
    bool Store(int output, const AoRow& row, const ParEditResult& result);

    std::vector<AoRow> rows_;
    int columns_;
    CListCtrlInfoTip* list_;
    CParEdit* editor_;
};
