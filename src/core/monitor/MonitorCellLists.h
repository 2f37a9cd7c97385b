#pragma once

#include <vector>

#include "grid/CGridModel.h"

// The cells of the standard monitor window's grids: header cells by string id,
// value cells by item number of the measured-value image, each at (column,
// row). Lists that depend on a tab take its index; an index outside the tabs
// gives empty lists.
namespace MonitorCells {

// Selections of tab 1001 and tab 1002.
constexpr int kTrend = 0;
constexpr int kMax = 1;
constexpr int kMin = 2;
constexpr int kValueTabs = 3;
constexpr int kEnergyTabs = 5; // high tariff 1 and 2, low tariff 1 and 2, counters
constexpr int kCounterTab = 4;

// Columns of each grid, for their widths.
constexpr int kValueTopColumns = 7;
constexpr int kValueBottomColumns = 6;
constexpr int kEnergyColumns = 5;
constexpr int kThdColumns = 3;
constexpr int kDeviceInformationColumns = 2;
constexpr int kOutputColumns = 4;

// Header texts that have no number in the device's own tables.
namespace Text {
constexpr int kBlank = 999;
constexpr int kHistoryFirst = 24010; // "History1" .. "History4"
constexpr int kMaxIn = 24020;
constexpr int kMaxOut = 24021;
constexpr int kMaxLag = 24022;
constexpr int kMaxLead = 24023;
constexpr int kVoltage12 = 24030; // then 2-3, 3-1, 1, 2, 3
} // namespace Text

// Value page, top grid 1003: totals and phases.
const std::vector<GridHeaderCell>& ValueTopHeaders();
const std::vector<GridItemCell>& ValueTopItems(int valueTab);

// Value page, bottom grid 1004: demand (Trend), maximum demand (Max), nothing (Min).
const std::vector<GridHeaderCell>& ValueBottomHeaders(int valueTab);
const std::vector<GridItemCell>& ValueBottomItems(int valueTab);

// Energy page grid: headers in rows 0 and 2, values in rows 1 and 3.
const std::vector<GridHeaderCell>& EnergyHeaders(int energyTab);
const std::vector<GridItemCell>& EnergyItems(int energyTab);

// THD grid 1006: rows 1-10 are the spectrum rows 0-9.
const std::vector<GridHeaderCell>& ThdHeaders();
const std::vector<GridItemCell>& ThdItems();
constexpr int kThdFirstRow = 1;
constexpr int kThdRows = 10;

// Device information grid 1007 and analog output grid 1009.
const std::vector<GridHeaderCell>& DeviceInformationHeaders();
const std::vector<GridItemCell>& DeviceInformationItems();
const std::vector<GridHeaderCell>& OutputHeaders();
const std::vector<GridItemCell>& OutputItems();

} // namespace MonitorCells
