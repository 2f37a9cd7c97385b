#pragma once

#include <QWidget>

#include "utility/UtilityRules.h"

class CDataGridView;
class CMeasurandsKTA;
class QLabel;

// The value page of the channel detail window (template 163): grid of
// voltages, currents and powers, grid of demand values, unit text 1204, and
// the reset buttons of the channel's extremes and demand. The selection of
// tab 1001 (0 "Trend", 1 "Max", 2 "Min") picks the cell lists.
class CQHMaxMinPage : public QWidget {
    Q_OBJECT
public:
    enum ControlId {
        kVoltageMaxMin = 1154,
        kCurrentMaxMin = 1155,
        kPowerMaxMin = 1156,
        kPowerFactorMaxMin = 1157,
        kFrequencyMaxMin = 1158,
        kCurrentDemand = 1159,
        kPowerDemand = 1160,
        kCurrentDemandMaxMin = 1161,
        kPowerDemandMaxMin = 1162,
    };

    explicit CQHMaxMinPage(QWidget* parent = nullptr);

    // The lists of the selection; both grids are cleared until the next refresh.
    void SetSelection(int tab);
    int Selection() const { return selection_; }
    void Refresh(const CMeasurandsKTA& image);

    CDataGridView* TopGrid() const { return top_; }
    CDataGridView* BottomGrid() const { return bottom_; }

signals:
    void ResetClicked(QhResetButton button);

private:
    QWidget* BuildResetGroups();

    CDataGridView* top_;
    CDataGridView* bottom_;
    QLabel* unit_;
    int selection_ = 0;
    int bottomColumnWidth_ = 0;
};
