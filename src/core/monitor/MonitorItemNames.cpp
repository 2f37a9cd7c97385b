#include "monitor/MonitorItemNames.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace {

using QuantityNames::kDeviceInformation;
using QuantityNames::kEnergy;
using QuantityNames::kPhases;
using QuantityNames::kThdRows;
using QuantityNames::kTotals;

constexpr std::string_view kCurrentDemand[] = {"I", "I1", "I2", "I3", "IN"};
constexpr std::string_view kPowerDemand[] = {"P", "Q", "S"};
constexpr std::string_view kDemandPeriods[] = {"", " history1", " history2", " history3",
                                               " history4"};
constexpr std::string_view kMaximumDemand[] = {
    "I demand max",    "I1 demand max",    "I2 demand max",    "I3 demand max",     "IN demand max",
    "P demand max in", "P demand max out", "Q demand max LAG", "Q demand max LEAD", "S demand max"};
constexpr std::string_view kCounters[] = {"Counter1", "Counter2", "Counter3", "Counter4",
                                          "Counter5", "Counter6", "Counter7", "Counter8"};
constexpr std::string_view kOutputs[] = {"Ao1", "Ao2", "Ao3", "Ao4"};

constexpr NamedItemBlock kBlocks[] = {
    {0, kTotals, "", ""},               // value page, Trend
    {8, kPhases, "", ""},               //
    {66, kEnergy, "", ""},              // energy page, high tariff tabs
    {80, kEnergy, "", " low"},          // energy page, low tariff tabs
    {218, kTotals, "", " max"},         // value page, Max
    {226, kPhases, "", " max"},         //
    {278, kThdRows, "THD ", " max"},    // THD grid, Max column
    {298, kMaximumDemand, "", ""},      // bottom grid, Max
    {308, kTotals, "", " min"},         // value page, Min
    {315, kPhases, "", " min"},         //
    {366, kThdRows, "THD ", ""},        // THD grid, Latest column
    {390, kCounters, "", ""},           // energy page, Counter tab
    {1873, kDeviceInformation, "", ""}, // device information grid
    {1879, kOutputs, "", ""},           // output grid
};

// Bottom grid, Trend: five groups of current demand (178-202) and of power
// demand (203-217) for Latest and History1-History4.
void AddDemand(std::vector<MonitorItemName>& names)
{
    constexpr int kCurrentDemandItem = 178;
    constexpr int kPowerDemandItem = 203;
    for (std::size_t period = 0; period < std::size(kDemandPeriods); ++period) {
        const std::string suffix = std::string(" demand") + std::string(kDemandPeriods[period]);
        for (std::size_t i = 0; i < std::size(kCurrentDemand); ++i)
            names.push_back({kCurrentDemandItem + int(period * std::size(kCurrentDemand) + i),
                             std::string(kCurrentDemand[i]) + suffix});
        for (std::size_t i = 0; i < std::size(kPowerDemand); ++i)
            names.push_back({kPowerDemandItem + int(period * std::size(kPowerDemand) + i),
                             std::string(kPowerDemand[i]) + suffix});
    }
}

std::vector<MonitorItemName> BuildNames()
{
    std::vector<MonitorItemName> names;
    AppendNamedItems(names, kBlocks);
    AddDemand(names);
    std::sort(names.begin(), names.end(),
              [](const MonitorItemName& a, const MonitorItemName& b) { return a.item < b.item; });
    return names;
}

} // namespace

const std::vector<MonitorItemName>& StandardMonitorItemNames()
{
    static const std::vector<MonitorItemName> names = BuildNames();
    return names;
}

void AppendNamedItems(std::vector<MonitorItemName>& names, std::span<const NamedItemBlock> blocks)
{
    for (const NamedItemBlock& block : blocks)
        for (std::size_t i = 0; i < block.names.size(); ++i)
            names.push_back({block.firstItem + int(i), std::string(block.prefix) +
                                                           std::string(block.names[i]) +
                                                           std::string(block.suffix)});
}
