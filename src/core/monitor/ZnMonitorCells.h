#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "grid/CGridModel.h"
#include "monitor/MonitorItemNames.h"

class CMeasurandsKTA;

// The cells of the ZN monitor window. A ZN device measures two systems of
// circuits: system 1 holds circuits A and B, system 2 circuits C and D. The
// wiring system (register 5600) decides how many systems carry a circuit and
// which quantities each has; every list here is built for one wiring.
namespace ZnMonitorCells {

// Page modes of tab 1001.
constexpr int kTrend = 0;
constexpr int kMax = 1;
constexpr int kMin = 2;
constexpr int kEnergy = 3;
constexpr int kPageModes = 4;

constexpr int kValueColumns = 7;  // label, U, I, P, Q, S, PF
constexpr int kEnergyColumns = 3; // label, system 1, system 2
constexpr int kThdColumns = 3;    // label, Latest, Max

namespace Text {
constexpr int kBlank = 999;
constexpr int kCircuitFirst = 1500; // "Circuit A" .. "Circuit D"
constexpr int kSystemFirst = 1504;  // "System 1", "System 2"
constexpr int kHighTariff = 24050;
constexpr int kLowTariff = 24051;
} // namespace Text

// Items of the circuit wiring (kind 15: "1-N", "3-N", "1-3"), registers 5696-5699.
constexpr int kCircuitWiringItem = 386;

// One grid: headers by string id and value cells by item.
struct GridCells {
    std::vector<GridHeaderCell> headers;
    std::vector<GridItemCell> items;
    int columns = 0;
    int rows = 0;
};

// The two grids of the value page (1003 above 1004).
struct PageLayout {
    GridCells top;
    GridCells bottom;
    bool sideBySide = false; // energy: the systems' grids beside each other
};

// Systems the wiring carries circuits on: 2, or 1 for the three-phase
// four-wire connections, which take every voltage input of the device.
int SystemCount(std::uint16_t wiring);

// Trend, Max and Min: grid 1003 shows system 1, grid 1004 system 2 (empty
// when the wiring has one system), each with rows for the circuits and phases
// the wiring has. Energy: grid 1003 system 1 and grid 1004 system 2 side by
// side, each with a column per tariff. A single-phase circuit branched from a
// three-wire supply shows the voltage its wiring item (386-389) names.
PageLayout PageLayoutOf(const CMeasurandsKTA& image, int pageMode);

// The THD grid: per system a heading row (the system, "Latest", "Max") and a
// row per current and voltage the wiring has.
GridCells ThdLayoutOf(std::uint16_t wiring);

// Where the spectrum of a THD item comes from: 30 registers from register,
// into spectrum row `row` (offset row x 30 in the image's spectrum rows).
struct SpectrumSource {
    int item;
    int firstRegister;
    int row;
    int Offset() const { return row * 30; }
};
// THD latest and maximum items 366-385 and 278-297; nothing for other items.
std::optional<SpectrumSource> SpectrumSourceOf(int thdItem);
// The item the THD grid selects first: current 1 of system 1, latest.
constexpr int kFirstThdItem = 366;

// Every item the window shows in any wiring and mode, once, in ascending
// order, with unique names (the second system's carry " sys2").
const std::vector<MonitorItemName>& ZnMonitorItemNames();

} // namespace ZnMonitorCells
