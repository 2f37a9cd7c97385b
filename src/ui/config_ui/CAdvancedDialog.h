#pragma once

#include "config/AdvancedSettings.h"
#include "config_ui/CWorkingSetDialog.h"

class CDataGridView;
class CParEdit;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
struct ParEditResult;

// "Other Setting": low-end cutouts, frequency input, tariff function, signs
// and calculation methods of the working set's variant. Works on its own copy
// of the set; OK reads every field into it and ends with Accepted.
class CAdvancedDialog : public CWorkingSetDialog {
    Q_OBJECT
public:
    explicit CAdvancedDialog(const ParameterSet& working, QWidget* parent = nullptr);

    CDataGridView* ChannelGrid() const { return grid_; }
    CParEdit* Editor() const { return editor_; }
    // Opens the in-place editor on a cutout cell of the channel grid.
    void OpenCellEditor(int column, int row, const QString& startText = QString());

public slots:
    void accept() override;
    void reject() override;

private:
    QGroupBox* BuildInputGroup();
    QWidget* BuildCurrentEdits();
    QGroupBox* BuildEnergyGroup();
    QGroupBox* BuildCalculationGroup();
    void ShowControls();
    void ShowInput();
    void ShowCalculation();
    void FillChannelGrid();
    void MeasurementModeClicked();
    void SetEnabled(std::initializer_list<int> controlIds, bool enabled);
    AdvancedControls ReadControls() const;
    void OnEditFinished(const ParEditResult& result);

    AdvancedLayout layout_;
    CutoutGridLayout cutoutGrid_;
    QLineEdit* voltage_ = nullptr;
    QLineEdit* current1_ = nullptr;
    QLineEdit* current2_ = nullptr;
    QWidget* currentEdits_ = nullptr;
    QComboBox* frequency_ = nullptr;
    QButtonGroup* tariff_ = nullptr;
    QButtonGroup* pfSign_ = nullptr;
    QButtonGroup* qSign_ = nullptr;
    QButtonGroup* qnMethod_ = nullptr;
    QButtonGroup* sMethod_ = nullptr;
    QButtonGroup* measurement_ = nullptr;
    QLineEdit* simplePf_ = nullptr;
    CDataGridView* grid_ = nullptr;
    CParEdit* editor_ = nullptr;
};
