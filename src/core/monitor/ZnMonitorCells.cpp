#include "monitor/ZnMonitorCells.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "monitor/CMeasurandsKTA.h"

namespace ZnMonitorCells {
namespace {

// Header texts of the value grids.
constexpr int kVoltage = 1000;
constexpr int kFrequency = 1006;
constexpr int kNeutralCurrent = 1007;
constexpr int kSigma = 1100;
constexpr int kPhase1N = 1101; // then 2-N, 3-N, 1-2, 2-3, 3-1
constexpr int kLine12 = 1104;
constexpr int kLine31 = 1106;
constexpr int kLatest = 1200;
constexpr int kMaxHeader = 1250;
constexpr int kThdCurrent1 = 1301;
constexpr int kThdVoltage12 = 24030; // then 2-3, 3-1, 1, 2, 3

constexpr int kSecondSystemOffset = 33; // items 33-65 repeat 0-32 for system 2
constexpr int kTotalsEnd = 7;           // items 0-6 are totals, 8-29 phases
constexpr int kFrequencyItem = 6;
constexpr int kNeutralItem = 11;
constexpr int kNone = -1;

// How one system is connected, by the wiring system.
enum class Connection { TwoCircuits, OnePhaseThreeWire, ThreePhaseThreeWire, ThreePhaseFourWire };

Connection ConnectionOf(std::uint16_t wiring, int system)
{
    switch (wiring) {
    case 0:
    case 16:
        return Connection::TwoCircuits;
    case 1:
        return Connection::OnePhaseThreeWire;
    case 2:
    case 3:
        return Connection::ThreePhaseThreeWire;
    case 17: // single-phase 3-wire on system 1, two branched circuits on system 2
        return system == 0 ? Connection::OnePhaseThreeWire : Connection::TwoCircuits;
    default:
        return Connection::ThreePhaseFourWire;
    }
}

// One row of a value grid: its label and the system-1 Trend items of the
// columns U, I, P, Q, S, PF.
struct ValueRow {
    int label;
    std::array<int, 6> items;
};

constexpr ValueRow kSigmaRow = {kSigma, {1, 0, 2, 3, 4, 5}};
constexpr ValueRow kPhaseRows[] = {{kPhase1N, {15, 8, 18, 21, 24, 27}},
                                   {kPhase1N + 1, {16, 9, 19, 22, 25, 28}},
                                   {kPhase1N + 2, {17, 10, 20, 23, 26, 29}}};
constexpr ValueRow kLineRows[] = {{kLine12, {12, kNone, kNone, kNone, kNone, kNone}},
                                  {kLine12 + 1, {13, kNone, kNone, kNone, kNone, kNone}},
                                  {kLine31, {14, kNone, kNone, kNone, kNone, kNone}}};

// The item that shows a system-1 Trend item in a mode and system; kNone
// where the mode keeps no such value (lead/lag has no maximum).
int ModeItem(int trendItem, int system, int mode)
{
    if (trendItem == kNone)
        return kNone;
    const bool total = trendItem < kTotalsEnd;
    const bool phase = trendItem >= 8 && trendItem <= 29;
    switch (mode) {
    case kTrend:
        return trendItem + kSecondSystemOffset * system;
    case kMax: // 218-247, system 2 248-277
        return total || phase ? 218 + trendItem + 30 * system : kNone;
    case kMin: // 308-336, system 2 337-365
        return total   ? 308 + trendItem + 29 * system
               : phase ? 307 + trendItem + 29 * system
                       : kNone;
    default:
        return kNone;
    }
}

// Voltage of a branched circuit by its wiring item: 1-N, 3-N or 1-3.
int CircuitVoltageItem(const CMeasurandsKTA& image, int circuit)
{
    if (image.wiringSystem == 0)
        return 15;
    switch (image.Item(kCircuitWiringItem + circuit)) {
    case 1:
        return 17;
    case 2:
        return 14;
    default:
        return 15;
    }
}

std::vector<ValueRow> ValueRowsOf(const CMeasurandsKTA& image, int system, bool& neutral)
{
    const Connection connection = ConnectionOf(image.wiringSystem, system);
    neutral =
        connection == Connection::OnePhaseThreeWire || connection == Connection::ThreePhaseFourWire;
    switch (connection) {
    case Connection::TwoCircuits: {
        const int a = 2 * system, b = a + 1;
        return {{kSigma, {kNone, kNone, 2, 3, 4, 5}},
                {Text::kCircuitFirst + a, {CircuitVoltageItem(image, a), 8, 18, 21, 24, 27}},
                {Text::kCircuitFirst + b, {CircuitVoltageItem(image, b), 9, 19, 22, 25, 28}}};
    }
    case Connection::OnePhaseThreeWire:
        return {kSigmaRow, kPhaseRows[0], kPhaseRows[2], kLineRows[2]};
    case Connection::ThreePhaseThreeWire:
        // Line voltages beside the line currents: there is no neutral.
        return {kSigmaRow,
                {kLine12, {12, 8, kNone, kNone, kNone, kNone}},
                {kLine12 + 1, {13, 9, kNone, kNone, kNone, kNone}},
                {kLine31, {14, 10, kNone, kNone, kNone, kNone}}};
    case Connection::ThreePhaseFourWire:
        break;
    }
    return {kSigmaRow,    kPhaseRows[0], kPhaseRows[1], kPhaseRows[2],
            kLineRows[0], kLineRows[1],  kLineRows[2]};
}

GridCells ValueGrid(const CMeasurandsKTA& image, int system, int mode)
{
    GridCells g;
    g.columns = kValueColumns;
    g.headers.push_back({Text::kSystemFirst + system, 0, 0});
    for (int c = 1; c < kValueColumns; ++c)
        g.headers.push_back({kVoltage + c - 1, c, 0});
    bool neutral = false;
    int row = 1;
    for (const ValueRow& r : ValueRowsOf(image, system, neutral)) {
        g.headers.push_back({r.label, 0, row});
        for (int c = 0; c < 6; ++c) {
            const int item = ModeItem(r.items[static_cast<std::size_t>(c)], system, mode);
            if (item != kNone)
                g.items.push_back({item, c + 1, row});
        }
        ++row;
    }
    // Frequency under the voltages and the neutral current under the
    // currents, in a heading row of their own.
    g.headers.push_back({Text::kBlank, 0, row});
    g.headers.push_back({kFrequency, 1, row});
    g.items.push_back({ModeItem(kFrequencyItem, system, mode), 1, row + 1});
    if (neutral) {
        g.headers.push_back({kNeutralCurrent, 2, row});
        g.items.push_back({ModeItem(kNeutralItem, system, mode), 2, row + 1});
    }
    g.rows = row + 2;
    return g;
}

// The energy counters in the order of the standard energy page: offset from
// the tariff's first item and the row label.
struct EnergyRow {
    int offset;
    int label;
};
constexpr EnergyRow kEnergyRows[] = {{9, 1400},  {0, 1401},  {3, 1402},  {1, 1403}, {4, 1404},
                                     {2, 1409},  {5, 1405},  {6, 1406},  {7, 1407}, {8, 1408},
                                     {10, 1410}, {11, 1411}, {12, 1412}, {13, 1413}};
constexpr int kEnergyHigh = 66;      // system 1; the low tariff follows at + 14
constexpr int kEnergyPerSystem = 28; // system 2 from 94

GridCells EnergyGrid(int system)
{
    GridCells g;
    g.columns = kEnergyColumns;
    g.headers = {
        {Text::kSystemFirst + system, 0, 0}, {Text::kHighTariff, 1, 0}, {Text::kLowTariff, 2, 0}};
    int row = 1;
    for (const EnergyRow& r : kEnergyRows) {
        g.headers.push_back({r.label, 0, row});
        for (int tariff = 0; tariff < 2; ++tariff)
            g.items.push_back({kEnergyHigh + kEnergyPerSystem * system + 14 * tariff + r.offset,
                               1 + tariff, row});
        ++row;
    }
    g.rows = row;
    return g;
}

std::vector<int> ThdRowsOf(std::uint16_t wiring, int system)
{
    switch (ConnectionOf(wiring, system)) {
    case Connection::TwoCircuits:
        if (wiring == 0)
            return {0, 1, 7};
        return {0, 1, 7, 9}; // branched: either outer voltage may feed a circuit
    case Connection::OnePhaseThreeWire:
        return {0, 2, 7, 9};
    case Connection::ThreePhaseThreeWire:
        return {0, 1, 2, 4, 5, 6};
    case Connection::ThreePhaseFourWire:
        break;
    }
    return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
}

int ThdLabel(int thdRow)
{
    if (thdRow < 3)
        return kThdCurrent1 + thdRow;
    if (thdRow == 3)
        return kNeutralCurrent;
    return kThdVoltage12 + thdRow - 4;
}

} // namespace

int SystemCount(std::uint16_t wiring)
{
    switch (wiring) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 16:
    case 17:
        return 2;
    default:
        return 1;
    }
}

PageLayout PageLayoutOf(const CMeasurandsKTA& image, int pageMode)
{
    PageLayout layout;
    if (pageMode < 0 || pageMode >= kPageModes)
        return layout;
    const bool second = SystemCount(image.wiringSystem) == 2;
    if (pageMode == kEnergy) {
        layout.top = EnergyGrid(0);
        if (second)
            layout.bottom = EnergyGrid(1);
        layout.sideBySide = true;
        return layout;
    }
    layout.top = ValueGrid(image, 0, pageMode);
    if (second)
        layout.bottom = ValueGrid(image, 1, pageMode);
    return layout;
}

GridCells ThdLayoutOf(std::uint16_t wiring)
{
    GridCells g;
    g.columns = kThdColumns;
    int row = 0;
    for (int system = 0; system < SystemCount(wiring); ++system) {
        g.headers.push_back({Text::kSystemFirst + system, 0, row});
        g.headers.push_back({kLatest, 1, row});
        g.headers.push_back({kMaxHeader, 2, row});
        ++row;
        for (int thdRow : ThdRowsOf(wiring, system)) {
            g.headers.push_back({ThdLabel(thdRow), 0, row});
            g.items.push_back({366 + 10 * system + thdRow, 1, row});
            g.items.push_back({278 + 10 * system + thdRow, 2, row});
            ++row;
        }
    }
    g.rows = row;
    return g;
}

std::optional<SpectrumSource> SpectrumSourceOf(int thdItem)
{
    // Latest 366-375 (system 2: 376-385) and maximum 278-287 (288-297)
    // share the spectrum of their quantity.
    int index = -1;
    if (thdItem >= 366 && thdItem <= 385)
        index = thdItem - 366;
    else if (thdItem >= 278 && thdItem <= 297)
        index = thdItem - 278;
    if (index < 0)
        return std::nullopt;
    const int system = index / 10, thdRow = index % 10;
    constexpr int kSpectrum[] = {1536, 8536};
    return SpectrumSource{thdItem, kSpectrum[system] + 64 * thdRow, 10 * system + thdRow};
}

namespace {

using QuantityNames::kDeviceInformation;
using QuantityNames::kPhases;
using QuantityNames::kThdRows;
using QuantityNames::kTotals;

constexpr std::string_view kWirings[] = {"Wiring A", "Wiring B", "Wiring C", "Wiring D"};

constexpr NamedItemBlock kBlocks[] = {
    {0, kTotals, "", ""},
    {8, kPhases, "", ""},
    {33, kTotals, "", " sys2"},
    {41, kPhases, "", " sys2"},
    {66, QuantityNames::kEnergy, "", ""},
    {80, QuantityNames::kEnergy, "", " low"},
    {94, QuantityNames::kEnergy, "", " sys2"},
    {108, QuantityNames::kEnergy, "", " low sys2"},
    {218, kTotals, "", " max"},
    {226, kPhases, "", " max"},
    {248, kTotals, "", " max sys2"},
    {256, kPhases, "", " max sys2"},
    {278, kThdRows, "THD ", " max"},
    {288, kThdRows, "THD ", " max sys2"},
    {308, kTotals, "", " min"},
    {315, kPhases, "", " min"},
    {337, kTotals, "", " min sys2"},
    {344, kPhases, "", " min sys2"},
    {366, kThdRows, "THD ", ""},
    {376, kThdRows, "THD ", " sys2"},
    {kCircuitWiringItem, kWirings, "", ""},
    {1873, kDeviceInformation, "", ""},
};

std::vector<MonitorItemName> BuildNames()
{
    std::vector<MonitorItemName> names;
    AppendNamedItems(names, kBlocks);
    std::sort(names.begin(), names.end(),
              [](const MonitorItemName& a, const MonitorItemName& b) { return a.item < b.item; });
    return names;
}

} // namespace

const std::vector<MonitorItemName>& ZnMonitorItemNames()
{
    static const std::vector<MonitorItemName> names = BuildNames();
    return names;
}

} // namespace ZnMonitorCells
