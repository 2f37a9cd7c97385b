#pragma once

#include <QWidget>

#include "device/CDeviceType.h"

class CDataGridView;
class CMeasurandsKTA;
class QLabel;

// The energy page on tab 1002 (template 131): caption 1007 ("Energy" or
// "Counter"), the grid of the selected tariff or of the counters, and unit
// text 1204, hidden on the counter tab. The tab selection (0-3 the tariff
// tabs, 4 "Counter") picks the cell list.
class CEnergyPage : public QWidget {
    Q_OBJECT
public:
    explicit CEnergyPage(QWidget* parent);

    CDataGridView* Grid() const { return grid_; }
    QLabel* Caption() const { return caption_; }
    QLabel* UnitText() const { return unit_; }

    // Headers, caption and unit text of the tab; the values are cleared until
    // the next refresh, so no number stands under another tab's headers.
    void SetTab(int energyTab);
    int Tab() const { return tab_; }

    // Keeps a copy of the device identity, then renders the cell list of the
    // current tab from the image. A refresh that finds the skip flag set only
    // clears the flag.
    void Refresh(const CMeasurandsKTA& image, const CDeviceType& device);
    void SetSkip(bool skip) { skip_ = skip; }
    bool Skip() const { return skip_; }
    // The identity the last refresh copied.
    const CDeviceType& Device() const { return device_; }

private:
    CDataGridView* grid_;
    QLabel* caption_;
    QLabel* unit_;
    int tab_ = 0;
    int columnWidth_ = 0;
    bool skip_ = false;
    CDeviceType device_;
};
