#pragma once

#include "config/ConversionSettings.h"
#include "config_ui/CWorkingSetDialog.h"

class CDataGridView;
class CParEdit;
struct ParEditResult;

// "Conversion Value Settings": the conversion coefficient of circuits A-D
// and, on ZNEPW, their unit texts, edited in place in one grid. A cell is
// checked when its editor closes; OK only ends the dialog.
class CConvDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CConvDialog(const ParameterSet& working, QWidget* parent = nullptr);

    CDataGridView* Grid() const { return grid_; }
    CParEdit* Editor() const { return editor_; }
    void OpenCellEditor(int column, int row, const QString& startText = QString());

public slots:
    void accept() override;
    void reject() override;

private:
    void FillGrid();
    void OnEditFinished(const ParEditResult& result);

    ConversionGridLayout layout_;
    CDataGridView* grid_;
    CParEdit* editor_;
};
