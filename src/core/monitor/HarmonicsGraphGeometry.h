#pragma once

#include <string>
#include <vector>

#include "monitor/HarmonicsGraphData.h"

// Pixel rules of the harmonics graph, kept apart from painting. Rectangles
// are [left, right) x [top, bottom).
struct GraphRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const GraphRect&) const = default;
};

// Text sizes in the graph's (rotated) label font: the band heights follow the
// widths of the widest texts they hold.
struct HarmonicsGraphMetrics {
    int orderWidth = 0; // width of "99"
    int valueWidth = 0; // width of "999.9"
};

// Number of slots: 31 for step 1, 16 for step 2.
int HarmonicsSlotCount(int step);
// The graph's width cut down to a multiple of 31 pixels plus 1, so that the
// 31 slots of step 1 share it without a remainder.
int HarmonicsGraphWidth(int width);

struct HarmonicsSlot {
    int order = 1;
    std::string orderText; // "%02d"
    std::string valueText; // value / 10, "%.1lf"; empty while hidden
    GraphRect orderCell;   // inside the grid lines of the order band
    GraphRect valueCell;   // inside the grid lines of the value band
    // Absent while hidden or when the slot is too narrow. The bar is not cut
    // at the plot: a value over 1000 reaches above it.
    bool hasBar = false;
    GraphRect bar;
};

struct HarmonicsGraphLayout {
    int slotWidth = 0;
    int slotCount = 0;
    int plotTop = 0;
    int plotBottom = 0;                // top line of the value band
    int orderTop = 0;                  // top line of the order band
    int bottom = 0;                    // the last line
    std::vector<int> verticalLines;    // x of every slot boundary
    std::vector<int> horizontalLines;  // y, from the top
    int lineRight = 0;                 // horizontal lines run from x 0 to here
    std::vector<HarmonicsSlot> orders; // one per slot, left to right
};

HarmonicsGraphLayout LayOutHarmonicsGraph(const HarmonicsGraphData& data, int width, int height,
                                          const HarmonicsGraphMetrics& metrics);
