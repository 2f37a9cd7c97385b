#pragma once

#include <vector>

#include "grid/CGridModel.h"

class CDeviceType;

// The cells of the multi-circuit monitor's grids: the main page, whose view
// is the basic module, the extension module or the pulse inputs, and the
// value page of the channel detail window. Header cells carry string ids,
// value cells item numbers of the measured-value image.
namespace QhCells {

// What the main page shows; the numbers are those the page stores.
enum class QhView { Basic = 0, Extension = 1, PulseInputs = 2 };

constexpr int kModuleChannels = 8;
constexpr int kMaxChannels = 16;
constexpr int kPulseInputs = 8;
constexpr int kHours = 24;
// A 29-value record: totals, the latest hour, then the hours 00:00-24:00.
constexpr int kRecordValues = 29;
constexpr int kRecordHoursOffset = 5;

// The first channel of a view: 0 for the basic module, 8 otherwise.
int ChannelBase(QhView view);
// The view of tab 1159: the first tab shows the basic module; the second the
// pulse inputs when the device has eight of them (I/O word 5), else the
// extension module.
QhView ViewOfTab(int tab, const CDeviceType& device);
// Tab 1159 is enabled when the device has sixteen channels (I/O word 4) or
// eight pulse inputs (I/O word 5).
bool ModuleTabEnabled(const CDeviceType& device);
// The "Reset" and "Detail" buttons act on channels: views 0 and 1 only.
bool ViewHasChannelButtons(QhView view);

// Main page, top grid: the hourly records, 9 columns, rows 0-25.
constexpr int kMainColumns = 9;
const std::vector<GridHeaderCell>& MainTopHeaders(QhView view);
const std::vector<GridItemCell>& MainTopItems(QhView view);
// Main page, bottom grid: instantaneous values and totals, 9 columns.
const std::vector<GridHeaderCell>& MainBottomHeaders(QhView view);
const std::vector<GridItemCell>& MainBottomItems(QhView view);

// Tabs of the detail window's tab 1001.
constexpr int kTrend = 0;
constexpr int kMax = 1;
constexpr int kMin = 2;
constexpr int kDetailTabs = 3;

// Detail value page, top grid: 7 columns of voltages, currents and powers.
constexpr int kDetailTopColumns = 7;
const std::vector<GridHeaderCell>& DetailTopHeaders();
const std::vector<GridItemCell>& DetailTopItems(int tab);
// Detail value page, bottom grid: demand (Trend) or its extremes, 2 columns.
constexpr int kDetailBottomColumns = 2;
const std::vector<GridHeaderCell>& DetailBottomHeaders(int tab);
const std::vector<GridItemCell>& DetailBottomItems(int tab);

// Every item a view of the main page shows, once, ascending.
std::vector<int> MainPageItems(QhView view);
// Every item the detail value page shows on a tab, once, ascending.
std::vector<int> DetailPageItems(int tab);

namespace Text {
constexpr int kPulseInputFirst = 24300; // "DI1" .. "DI8"
constexpr int kDetail = 24310;
constexpr int kReset = 24311;
constexpr int kDeviceInfo = 24312;
constexpr int kPreset = 24313;
constexpr int kMoreClock = 24314; // "..."
constexpr int kMonitorCaption = 24315;
constexpr int kDetailCaption = 24316;
constexpr int kDetailCaptionChannel = 24317; // " (%1!d!ch)"
constexpr int kHourlyUnit = 24318;
constexpr int kValueUnit = 24319;
constexpr int kResetHourly = 24320;
constexpr int kResetEnergy = 24321;
constexpr int kInstantaneous = 24322;
constexpr int kDemand = 24323;
constexpr int kResetMaxMin = 24324;
constexpr int kResetDemand = 24325;
constexpr int kPower = 24326;
constexpr int kPowerFactorButton = 24327;
constexpr int kDeviceClock = 24328;
} // namespace Text

} // namespace QhCells
