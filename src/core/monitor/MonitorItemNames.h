#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// One value cell of the standard monitor window and the short name of its
// quantity ("U1N", "EP low", "THD I1 max"), for column headings outside the
// window such as a data log.
struct MonitorItemName {
    int item;
    std::string name;
};

// Every item that a value cell of the standard monitor window shows in any of
// its tabs (value page Trend, Max and Min with the bottom grid, every energy
// tab, THD grid, device information grid, output grid), once, in ascending
// item order. The names are unique.
const std::vector<MonitorItemName>& StandardMonitorItemNames();

// The short names of the quantity layouts that every monitor's image shares.
namespace QuantityNames {
// Totals: I, U, P, Q, S, PF, F (items 0-6; maximum 218-224, minimum 308-314).
inline constexpr std::string_view kTotals[] = {"I", "U", "P", "Q", "S", "PF", "F"};
// The per-phase layout of 8-29, repeated for the maximum (226-247) and minimum (315-336).
inline constexpr std::string_view kPhases[] = {
    "I1", "I2", "I3", "IN", "U12", "U23", "U31", "U1N", "U2N", "U3N", "P1",
    "P2", "P3", "Q1", "Q2", "Q3",  "S1",  "S2",  "S3",  "PF1", "PF2", "PF3"};
// The fourteen counters of one tariff (items 66-79 and 80-93).
inline constexpr std::string_view kEnergy[] = {"EP",     "EQ",      "ES",     "EP-",     "EQ-",
                                               "EQ+LAG", "EQ+LEAD", "EQ-LAG", "EQ-LEAD", "TIMER",
                                               "EQ+P",   "EQ-P",    "EPA",    "EQA"};
// The ten rows of a THD grid (latest from 366, maximum from 278).
inline constexpr std::string_view kThdRows[] = {"I1",  "I2",  "I3",  "IN",  "U12",
                                                "U23", "U31", "U1N", "U2N", "U3N"};
// The device information grid, items 1873-1878.
inline constexpr std::string_view kDeviceInformation[] = {
    "Model", "Firmware version", "Serial", "Support information", "Modbus passcode", "Tag No."};
} // namespace QuantityNames

// Consecutive items from firstItem, each named prefix + name + suffix.
struct NamedItemBlock {
    int firstItem;
    std::span<const std::string_view> names;
    std::string_view prefix;
    std::string_view suffix;
};

// Appends the items of every block with their names.
void AppendNamedItems(std::vector<MonitorItemName>& names, std::span<const NamedItemBlock> blocks);
