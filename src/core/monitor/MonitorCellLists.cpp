#include "monitor/MonitorCellLists.h"
#include "monitor/MonitorTexts.h"

#include <array>

namespace MonitorCells {
namespace {

// Header texts of the device's own tables.
using MonitorText::kActivePower;
using MonitorText::kApparentPower;
using MonitorText::kCurrent;
using MonitorText::kFrequency;
using MonitorText::kNeutralCurrent;
using MonitorText::kPowerFactor;
using MonitorText::kReactivePower;
using MonitorText::kVoltage;
constexpr int kSigma = 1100; // then 1-N, 2-N, 3-N, 1-2, 2-3, 3-1
constexpr int kLatest = 1200;
constexpr int kMaxHeader = 1250;
constexpr int kCurrent1 = 1301; // then 2, 3
constexpr int kActivePowerRow = 1304;
constexpr int kReactivePowerRow = 1305;
constexpr int kApparentPowerRow = 1306;
constexpr int kTime = 1400;
using MonitorText::kActiveIn;
constexpr int kActiveOut = 1402;
using MonitorText::kReactiveLag;
constexpr int kReactiveLead = 1404;
constexpr int kReactiveLagIn = 1405;
constexpr int kReactiveLeadIn = 1406;
constexpr int kReactiveLagOut = 1407;
constexpr int kReactiveLeadOut = 1408;
constexpr int kApparent = 1409;
constexpr int kReactiveIn = 1410;
constexpr int kReactiveOut = 1411;
constexpr int kActiveNet = 1412;
constexpr int kReactiveNet = 1413;
constexpr int kCounterFirst = 4300; // "Counter1" .. "Counter8"
using MonitorText::kAo1;
using MonitorText::kFirmwareVersion;
using MonitorText::kModbusPasscode;
using MonitorText::kModel;
using MonitorText::kSerial;
using MonitorText::kSupportInformation;
using MonitorText::kTagNo;

// One cell of the top grid with its item on each tab of 1001.
struct TopCell {
    int column;
    int row;
    int trend;
    int max;
    int min;
};

constexpr TopCell kTopCells[] = {
    // Sigma: U, I, P, Q, S, PF
    {1, 1, 1, 219, 309},
    {2, 1, 0, 218, 308},
    {3, 1, 2, 220, 310},
    {4, 1, 3, 221, 311},
    {5, 1, 4, 222, 312},
    {6, 1, 5, 223, 313},
    // 1-N
    {1, 2, 15, 233, 322},
    {2, 2, 8, 226, 315},
    {3, 2, 18, 236, 325},
    {4, 2, 21, 239, 328},
    {5, 2, 24, 242, 331},
    {6, 2, 27, 245, 334},
    // 2-N
    {1, 3, 16, 234, 323},
    {2, 3, 9, 227, 316},
    {3, 3, 19, 237, 326},
    {4, 3, 22, 240, 329},
    {5, 3, 25, 243, 332},
    {6, 3, 28, 246, 335},
    // 3-N
    {1, 4, 17, 235, 324},
    {2, 4, 10, 228, 317},
    {3, 4, 20, 238, 327},
    {4, 4, 23, 241, 330},
    {5, 4, 26, 244, 333},
    {6, 4, 29, 247, 336},
    // 1-2, 2-3, 3-1: U
    {1, 5, 12, 230, 319},
    {1, 6, 13, 231, 320},
    {1, 7, 14, 232, 321},
    // row 7: N. current, Frequency
    {2, 7, 11, 229, 318},
    {3, 7, 6, 224, 314},
};

std::vector<GridItemCell> TopItems(int TopCell::*item)
{
    std::vector<GridItemCell> cells;
    for (const TopCell& c : kTopCells)
        cells.push_back({c.*item, c.column, c.row});
    return cells;
}

// Column 0 of the bottom grid, then row 0 from the given texts.
std::vector<GridHeaderCell> BottomHeaders(const std::array<int, 5>& row0)
{
    std::vector<GridHeaderCell> h = {
        {kCurrent, 0, 1},          {kCurrent1, 0, 2},         {kCurrent1 + 1, 0, 3},
        {kCurrent1 + 2, 0, 4},     {kNeutralCurrent, 0, 5},   {kActivePowerRow, 0, 6},
        {kReactivePowerRow, 0, 7}, {kApparentPowerRow, 0, 8},
    };
    for (int c = 0; c < 5; ++c)
        h.push_back({row0[static_cast<size_t>(c)], c + 1, 0});
    return h;
}

// Latest and History1-4: the five current demands (I, I1, I2, I3, IN) and
// the three power demands (P, Q, S) of each period.
std::vector<GridItemCell> DemandItems()
{
    constexpr int kCurrentDemand = 178;
    constexpr int kPowerDemand = 203;
    std::vector<GridItemCell> cells;
    for (int c = 1; c <= 5; ++c) {
        for (int r = 1; r <= 5; ++r)
            cells.push_back({kCurrentDemand + 5 * (c - 1) + (r - 1), c, r});
        for (int r = 6; r <= 8; ++r)
            cells.push_back({kPowerDemand + 3 * (c - 1) + (r - 6), c, r});
    }
    return cells;
}

// Rows 0 and 2 of a tariff tab.
std::vector<GridHeaderCell> EnergyRowHeaders(const std::array<int, 5>& row0,
                                             const std::array<int, 5>* row2)
{
    std::vector<GridHeaderCell> h;
    for (int c = 0; c < 5; ++c)
        h.push_back({row0[static_cast<size_t>(c)], c, 0});
    if (row2)
        for (int c = 0; c < 5; ++c)
            h.push_back({(*row2)[static_cast<size_t>(c)], c, 2});
    return h;
}

std::vector<GridItemCell> EnergyRowItems(const std::array<int, 5>& row1,
                                         const std::array<int, 5>* row3)
{
    std::vector<GridItemCell> cells;
    for (int c = 0; c < 5; ++c)
        cells.push_back({row1[static_cast<size_t>(c)], c, 1});
    if (row3)
        for (int c = 0; c < 5; ++c)
            cells.push_back({(*row3)[static_cast<size_t>(c)], c, 3});
    return cells;
}

constexpr std::array<int, 5> kTariff1Row0 = {kTime, kActiveIn, kActiveOut, kReactiveLag,
                                             kReactiveLead};
constexpr std::array<int, 5> kTariff1Row2 = {kApparent, kReactiveLagIn, kReactiveLeadIn,
                                             kReactiveLagOut, kReactiveLeadOut};
constexpr std::array<int, 5> kTariff2Row0 = {kTime, kReactiveIn, kReactiveOut, kActiveNet,
                                             kReactiveNet};
constexpr std::array<int, 5> kCounterRow0 = {kCounterFirst, kCounterFirst + 1, kCounterFirst + 2,
                                             kCounterFirst + 3, Text::kBlank};
constexpr std::array<int, 5> kCounterRow2 = {kCounterFirst + 4, kCounterFirst + 5,
                                             kCounterFirst + 6, kCounterFirst + 7, Text::kBlank};

constexpr std::array<int, 5> kHighTariff1Row1 = {75, 66, 69, 67, 70};
constexpr std::array<int, 5> kHighTariff1Row3 = {68, 71, 72, 73, 74};
constexpr std::array<int, 5> kHighTariff2Row1 = {75, 76, 77, 78, 79};
constexpr std::array<int, 5> kLowTariff1Row1 = {89, 80, 83, 81, 84};
constexpr std::array<int, 5> kLowTariff1Row3 = {82, 85, 86, 87, 88};
constexpr std::array<int, 5> kLowTariff2Row1 = {89, 90, 91, 92, 93};

template <typename T> const std::vector<T>& Empty()
{
    static const std::vector<T> empty;
    return empty;
}

} // namespace

const std::vector<GridHeaderCell>& ValueTopHeaders()
{
    static const std::vector<GridHeaderCell> headers = {
        {kVoltage, 1, 0},       {kCurrent, 2, 0},        {kActivePower, 3, 0},
        {kReactivePower, 4, 0}, {kApparentPower, 5, 0},  {kPowerFactor, 6, 0},
        {kSigma, 0, 1},         {kSigma + 1, 0, 2},      {kSigma + 2, 0, 3},
        {kSigma + 3, 0, 4},     {kSigma + 4, 0, 5},      {kSigma + 5, 0, 6},
        {kSigma + 6, 0, 7},     {kNeutralCurrent, 2, 6}, {kFrequency, 3, 6},
    };
    return headers;
}

const std::vector<GridItemCell>& ValueTopItems(int valueTab)
{
    static const std::vector<GridItemCell> lists[kValueTabs] = {
        TopItems(&TopCell::trend), TopItems(&TopCell::max), TopItems(&TopCell::min)};
    if (valueTab < 0 || valueTab >= kValueTabs)
        return Empty<GridItemCell>();
    return lists[valueTab];
}

const std::vector<GridHeaderCell>& ValueBottomHeaders(int valueTab)
{
    static const std::vector<GridHeaderCell> lists[kValueTabs] = {
        BottomHeaders({kLatest, Text::kHistoryFirst, Text::kHistoryFirst + 1,
                       Text::kHistoryFirst + 2, Text::kHistoryFirst + 3}),
        BottomHeaders({kMaxHeader, Text::kMaxIn, Text::kMaxOut, Text::kMaxLag, Text::kMaxLead}),
        BottomHeaders({Text::kBlank, Text::kBlank, Text::kBlank, Text::kBlank, Text::kBlank}),
    };
    if (valueTab < 0 || valueTab >= kValueTabs)
        return Empty<GridHeaderCell>();
    return lists[valueTab];
}

const std::vector<GridItemCell>& ValueBottomItems(int valueTab)
{
    static const std::vector<GridItemCell> lists[kValueTabs] = {
        DemandItems(),
        {
            {298, 1, 1},
            {299, 1, 2},
            {300, 1, 3},
            {301, 1, 4},
            {302, 1, 5},
            {307, 1, 8},
            {303, 2, 6},
            {304, 3, 6},
            {305, 4, 7},
            {306, 5, 7},
        },
        {},
    };
    if (valueTab < 0 || valueTab >= kValueTabs)
        return Empty<GridItemCell>();
    return lists[valueTab];
}

const std::vector<GridHeaderCell>& EnergyHeaders(int energyTab)
{
    static const std::vector<GridHeaderCell> lists[kEnergyTabs] = {
        EnergyRowHeaders(kTariff1Row0, &kTariff1Row2), EnergyRowHeaders(kTariff2Row0, nullptr),
        EnergyRowHeaders(kTariff1Row0, &kTariff1Row2), EnergyRowHeaders(kTariff2Row0, nullptr),
        EnergyRowHeaders(kCounterRow0, &kCounterRow2),
    };
    if (energyTab < 0 || energyTab >= kEnergyTabs)
        return Empty<GridHeaderCell>();
    return lists[energyTab];
}

const std::vector<GridItemCell>& EnergyItems(int energyTab)
{
    static const std::vector<GridItemCell> lists[kEnergyTabs] = {
        EnergyRowItems(kHighTariff1Row1, &kHighTariff1Row3),
        EnergyRowItems(kHighTariff2Row1, nullptr),
        EnergyRowItems(kLowTariff1Row1, &kLowTariff1Row3),
        EnergyRowItems(kLowTariff2Row1, nullptr),
        {
            {390, 0, 1},
            {391, 1, 1},
            {392, 2, 1},
            {393, 3, 1},
            {394, 0, 3},
            {395, 1, 3},
            {396, 2, 3},
            {397, 3, 3},
        },
    };
    if (energyTab < 0 || energyTab >= kEnergyTabs)
        return Empty<GridItemCell>();
    return lists[energyTab];
}

const std::vector<GridHeaderCell>& ThdHeaders()
{
    static const std::vector<GridHeaderCell> headers = {
        {Text::kBlank, 0, 0},
        {kLatest, 1, 0},
        {kMaxHeader, 2, 0},
        {kCurrent1, 0, 1},
        {kCurrent1 + 1, 0, 2},
        {kCurrent1 + 2, 0, 3},
        {kNeutralCurrent, 0, 4},
        {Text::kVoltage12, 0, 5},
        {Text::kVoltage12 + 1, 0, 6},
        {Text::kVoltage12 + 2, 0, 7},
        {Text::kVoltage12 + 3, 0, 8},
        {Text::kVoltage12 + 4, 0, 9},
        {Text::kVoltage12 + 5, 0, 10},
    };
    return headers;
}

const std::vector<GridItemCell>& ThdItems()
{
    static const std::vector<GridItemCell> cells = [] {
        constexpr int kLatestThd = 366;
        constexpr int kMaxThd = 278;
        std::vector<GridItemCell> c;
        for (int r = 0; r < kThdRows; ++r)
            c.push_back({kLatestThd + r, 1, kThdFirstRow + r});
        for (int r = 0; r < kThdRows; ++r)
            c.push_back({kMaxThd + r, 2, kThdFirstRow + r});
        return c;
    }();
    return cells;
}

const std::vector<GridHeaderCell>& DeviceInformationHeaders()
{
    static const std::vector<GridHeaderCell> headers = {
        {kTagNo, 0, 0},  {kModbusPasscode, 0, 1},  {kModel, 0, 2},
        {kSerial, 0, 3}, {kFirmwareVersion, 0, 4}, {kSupportInformation, 0, 5},
    };
    return headers;
}

const std::vector<GridItemCell>& DeviceInformationItems()
{
    static const std::vector<GridItemCell> cells = {
        {1878, 1, 0}, {1877, 1, 1}, {1873, 1, 2}, {1875, 1, 3}, {1874, 1, 4}, {1876, 1, 5},
    };
    return cells;
}

const std::vector<GridHeaderCell>& OutputHeaders()
{
    static const std::vector<GridHeaderCell> headers = {
        {kAo1, 0, 0}, {kAo1 + 1, 1, 0}, {kAo1 + 2, 2, 0}, {kAo1 + 3, 3, 0}};
    return headers;
}

const std::vector<GridItemCell>& OutputItems()
{
    static const std::vector<GridItemCell> cells = {
        {1879, 0, 1}, {1880, 1, 1}, {1881, 2, 1}, {1882, 3, 1}};
    return cells;
}

} // namespace MonitorCells
