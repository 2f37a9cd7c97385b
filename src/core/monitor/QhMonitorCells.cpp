#include "monitor/QhMonitorCells.h"

#include <algorithm>
#include <array>

#include "device/CDeviceType.h"
#include "monitor/MonitorTexts.h"
#include "text/TextIds.h"

namespace QhCells {
namespace {

using namespace MonitorText;

// Header texts of the device's own tables.
constexpr int kBlank = 999;
constexpr int kSigma = 1100; // then 1-N, 2-N, 3-N, 1-2, 2-3, 3-1
constexpr int kLatest = 1200;
constexpr int kMaxHeader = 1250;
constexpr int kMinHeader = 1255;
constexpr int kCurrent1 = 1301; // then 2, 3
constexpr int kActivePowerRow = 1304;
constexpr int kReactivePowerRow = 1305;
constexpr int kApparentPowerRow = 1306;
constexpr int kCounter = 211;
constexpr int kFirstChannel = TextId::FirstChannel; // "1ch" .. "16ch"
constexpr int kFirstHour = 5750;                    // "00:00 to 01:00" .. "23:00 to 00:00"

// Items of channel c on the shown module (c = 0-7).
constexpr int kEnergyRecord = 398; // + 29c: active in, reactive LAG, -, latest hour, -, hours
constexpr int kPulseRecord = 630;  // + 29c: count, -, -, latest hour, -, hours
constexpr int kLatestHourOffset = 3;
constexpr int kCurrents = 886; // + 15c: I1-I3
constexpr int kCurrentStride = 15;
constexpr int kPowers = 1006; // + 48c: P1-P3, P, Q1-Q3, Q, S1-S3, S, PF1-PF3, PF
constexpr int kPowerStride = 48;
constexpr int kTotalActivePower = 3;
constexpr int kTotalPowerFactor = 15;

constexpr int kLatestRow = 25;

int RecordOf(QhView view)
{
    return view == QhView::PulseInputs ? kPulseRecord : kEnergyRecord;
}

std::vector<GridHeaderCell> BuildMainTopHeaders(QhView view)
{
    std::vector<GridHeaderCell> h{{kBlank, 0, 0}};
    for (int c = 0; c < kModuleChannels; ++c) {
        const int text = view == QhView::PulseInputs ? Text::kPulseInputFirst + c
                                                     : kFirstChannel + ChannelBase(view) + c;
        h.push_back({text, c + 1, 0});
    }
    for (int hour = 0; hour < kHours; ++hour)
        h.push_back({kFirstHour + hour, 0, hour + 1});
    h.push_back({kLatest, 0, kLatestRow});
    return h;
}

std::vector<GridItemCell> BuildMainTopItems(QhView view)
{
    std::vector<GridItemCell> v;
    const int record = RecordOf(view);
    for (int c = 0; c < kModuleChannels; ++c) {
        const int first = record + kRecordValues * c;
        for (int hour = 0; hour < kHours; ++hour)
            v.push_back({first + kRecordHoursOffset + hour, c + 1, hour + 1});
        v.push_back({first + kLatestHourOffset, c + 1, kLatestRow});
    }
    return v;
}

std::vector<GridHeaderCell> BuildMainBottomHeaders(QhView view)
{
    if (view == QhView::PulseInputs)
        return {{kCounter, 0, 5}};
    return {{kActivePower, 0, 0}, {kCurrent1, 0, 1}, {kCurrent1 + 1, 0, 2}, {kCurrent1 + 2, 0, 3},
            {kPowerFactor, 0, 4}, {kActiveIn, 0, 5}, {kReactiveLag, 0, 6}};
}

std::vector<GridItemCell> BuildMainBottomItems(QhView view)
{
    std::vector<GridItemCell> v;
    for (int c = 0; c < kModuleChannels; ++c) {
        if (view == QhView::PulseInputs) {
            v.push_back({kPulseRecord + kRecordValues * c, c + 1, 5});
            continue;
        }
        const int power = kPowers + kPowerStride * c;
        const int current = kCurrents + kCurrentStride * c;
        const int record = kEnergyRecord + kRecordValues * c;
        v.push_back({power + kTotalActivePower, c + 1, 0});
        for (int i = 0; i < 3; ++i)
            v.push_back({current + i, c + 1, 1 + i});
        v.push_back({power + kTotalPowerFactor, c + 1, 4});
        v.push_back({record, c + 1, 5});
        v.push_back({record + 1, c + 1, 6});
    }
    return v;
}

template <class Build> auto PerView(Build build)
{
    using List = decltype(build(QhView::Basic));
    return std::array<List, 3>{build(QhView::Basic), build(QhView::Extension),
                               build(QhView::PulseInputs)};
}

template <class List> const List& OfView(const std::array<List, 3>& lists, QhView view)
{
    const auto index = static_cast<std::size_t>(view);
    return lists[index < lists.size() ? index : 0];
}

// Offsets of the detail page by tab: voltages and frequency (d), currents
// (e), powers (f).
constexpr int kVoltageOffset[] = {0, 8, 16};
constexpr int kCurrentOffset[] = {0, 5, 10};
constexpr int kPowerOffset[] = {0, 16, 32};

std::vector<GridItemCell> BuildDetailTopItems(int tab)
{
    const int d = kVoltageOffset[tab];
    const int e = kCurrentOffset[tab];
    const int f = kPowerOffset[tab];
    std::vector<GridItemCell> v = {
        // Voltage: Sigma, 1-N, 2-N, 3-N, then 1-2, 2-3, 3-1.
        {868 + d, 1, 1},
        {865 + d, 1, 2},
        {866 + d, 1, 3},
        {867 + d, 1, 4},
        {862 + d, 1, 5},
        {863 + d, 1, 6},
        {864 + d, 1, 7},
        // Current: Sigma, I1-I3, and the neutral current under its label.
        {890 + e, 2, 1},
        {886 + e, 2, 2},
        {887 + e, 2, 3},
        {888 + e, 2, 4},
        {889 + e, 2, 7},
        // Frequency under its label in the active power column.
        {869 + d, 3, 7},
    };
    // Active, reactive, apparent power and power factor: total, then phases 1-3.
    for (int q = 0; q < 4; ++q) {
        const int first = 1006 + f + 4 * q;
        v.push_back({first + 3, 3 + q, 1});
        for (int phase = 0; phase < 3; ++phase)
            v.push_back({first + phase, 3 + q, 2 + phase});
    }
    return v;
}

std::vector<GridItemCell> BuildDetailBottomItems(int tab)
{
    constexpr std::array<int, 8> kTrendItems = {1392, 1393, 1394, 1395, 1396, 1399, 1400, 1401};
    constexpr int kFirstExtreme[] = {0, 1402, 1426};
    constexpr int kExtremeStride = 3;
    std::vector<GridItemCell> v;
    for (int row = 0; row < 8; ++row) {
        const int item = tab == kTrend ? kTrendItems[static_cast<std::size_t>(row)]
                                       : kFirstExtreme[tab] + kExtremeStride * row;
        v.push_back({item, 1, row + 1});
    }
    return v;
}

std::vector<GridHeaderCell> BuildDetailBottomHeaders(int tab)
{
    constexpr int kColumnHeader[] = {kLatest, kMaxHeader, kMinHeader};
    return {{kBlank, 0, 0},           {kColumnHeader[tab], 1, 0}, {kCurrent, 0, 1},
            {kCurrent1, 0, 2},        {kCurrent1 + 1, 0, 3},      {kCurrent1 + 2, 0, 4},
            {kNeutralCurrent, 0, 5},  {kActivePowerRow, 0, 6},    {kReactivePowerRow, 0, 7},
            {kApparentPowerRow, 0, 8}};
}

template <class Build> auto PerTab(Build build)
{
    using List = decltype(build(0));
    return std::array<List, kDetailTabs>{build(kTrend), build(kMax), build(kMin)};
}

template <class List> const List& OfTab(const std::array<List, kDetailTabs>& lists, int tab)
{
    return lists[static_cast<std::size_t>(tab >= 0 && tab < kDetailTabs ? tab : 0)];
}

std::vector<int> ItemsOf(std::initializer_list<const std::vector<GridItemCell>*> lists)
{
    std::vector<int> items;
    for (const auto* list : lists)
        for (const GridItemCell& c : *list)
            items.push_back(c.item);
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
    return items;
}

} // namespace

int ChannelBase(QhView view)
{
    return view == QhView::Basic ? 0 : kModuleChannels;
}

QhView ViewOfTab(int tab, const CDeviceType& device)
{
    if (tab != 1)
        return QhView::Basic;
    return device.ioWords[4] == kPulseInputs ? QhView::PulseInputs : QhView::Extension;
}

bool ModuleTabEnabled(const CDeviceType& device)
{
    return device.ioWords[3] == kMaxChannels || device.ioWords[4] == kPulseInputs;
}

bool ViewHasChannelButtons(QhView view)
{
    return view != QhView::PulseInputs;
}

const std::vector<GridHeaderCell>& MainTopHeaders(QhView view)
{
    static const auto lists = PerView(BuildMainTopHeaders);
    return OfView(lists, view);
}

const std::vector<GridItemCell>& MainTopItems(QhView view)
{
    static const auto lists = PerView(BuildMainTopItems);
    return OfView(lists, view);
}

const std::vector<GridHeaderCell>& MainBottomHeaders(QhView view)
{
    static const auto lists = PerView(BuildMainBottomHeaders);
    return OfView(lists, view);
}

const std::vector<GridItemCell>& MainBottomItems(QhView view)
{
    static const auto lists = PerView(BuildMainBottomItems);
    return OfView(lists, view);
}

const std::vector<GridHeaderCell>& DetailTopHeaders()
{
    static const std::vector<GridHeaderCell> headers = [] {
        std::vector<GridHeaderCell> h{{kBlank, 0, 0}};
        for (int c = 0; c < 6; ++c)
            h.push_back({kVoltage + c, c + 1, 0});
        for (int r = 0; r < 7; ++r)
            h.push_back({kSigma + r, 0, r + 1});
        h.push_back({kNeutralCurrent, 2, 6});
        h.push_back({kFrequency, 3, 6});
        return h;
    }();
    return headers;
}

const std::vector<GridItemCell>& DetailTopItems(int tab)
{
    static const auto lists = PerTab(BuildDetailTopItems);
    return OfTab(lists, tab);
}

const std::vector<GridHeaderCell>& DetailBottomHeaders(int tab)
{
    static const auto lists = PerTab(BuildDetailBottomHeaders);
    return OfTab(lists, tab);
}

const std::vector<GridItemCell>& DetailBottomItems(int tab)
{
    static const auto lists = PerTab(BuildDetailBottomItems);
    return OfTab(lists, tab);
}

std::vector<int> MainPageItems(QhView view)
{
    return ItemsOf({&MainTopItems(view), &MainBottomItems(view)});
}

std::vector<int> DetailPageItems(int tab)
{
    return ItemsOf({&DetailTopItems(tab), &DetailBottomItems(tab)});
}

} // namespace QhCells
