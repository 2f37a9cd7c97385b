#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

#include "monitor/QhMonitorCells.h"
#include "utility/UtilityRules.h"

class CDataGridView;
class CMeasurandsKTA;
class QLabel;
class QPushButton;

// The main page of the multi-circuit monitor (template 161): the hourly
// records of eight channels or pulse inputs in the top grid, their
// instantaneous values and totals in the bottom grid, a "Reset" button per
// channel under each grid (hourly records, then energy) and a "Detail"
// button per channel. The view is the basic module, the extension module or
// the pulse inputs; the channel buttons act on channels of the first two only.
class CQHMainPage : public QWidget {
    Q_OBJECT
public:
    static constexpr std::array<int, 8> kDetailButtons = {1160, 1161, 1162, 1164,
                                                          1165, 1166, 1167, 1168};
    static constexpr std::array<int, 8> kHourlyResetButtons = {1163, 1169, 1170, 1171,
                                                               1172, 1173, 1174, 1175};
    static constexpr std::array<int, 8> kEnergyResetButtons = {1176, 1177, 1178, 1179,
                                                               1180, 1181, 1182, 1183};

    explicit CQHMainPage(QWidget* parent = nullptr);

    // New header lists, both grids cleared, the buttons enabled for the
    // channel views and disabled for the pulse inputs.
    void SetView(QhCells::QhView view);
    QhCells::QhView View() const { return view_; }
    int ChannelBase() const { return QhCells::ChannelBase(view_); }
    void Refresh(const CMeasurandsKTA& image);

    CDataGridView* TopGrid() const { return top_; }
    CDataGridView* BottomGrid() const { return bottom_; }
    QLabel* TopUnitText() const { return topUnit_; }
    QLabel* BottomUnitText() const { return bottomUnit_; }

signals:
    // "Detail" of the channel (0-15).
    void DetailClicked(int channel);
    // "Reset" of a channel (0-15): hourly records or energy.
    void ResetClicked(QhResetButton button, int channel);

private:
    QWidget* ButtonRow(const std::array<int, 8>& ids, int textId, int labelId,
                       const std::function<void(int)>& clicked);

    CDataGridView* top_;
    CDataGridView* bottom_;
    QLabel* topUnit_ = nullptr;
    QLabel* bottomUnit_ = nullptr;
    std::vector<QPushButton*> buttons_;
    QhCells::QhView view_ = QhCells::QhView::Basic;
    int columnWidth_ = 0;
};
