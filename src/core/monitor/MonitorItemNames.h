#pragma once

#include <string>
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
