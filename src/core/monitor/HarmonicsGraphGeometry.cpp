#include "monitor/HarmonicsGraphGeometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {
constexpr int kBandPadding = 4;
constexpr int kFullScale = 1000; // 100.0 %

std::string Printf(const char* format, double value)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

std::string OrderText(int order)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", order);
    return buf;
}
} // namespace

int HarmonicsSlotCount(int step)
{
    return step == 2 ? 16 : kHarmonicValues;
}

int HarmonicsGraphWidth(int width)
{
    return width <= 0 ? 0 : (width - 1) / kHarmonicValues * kHarmonicValues + 1;
}

HarmonicsGraphLayout LayOutHarmonicsGraph(const HarmonicsGraphData& data, int width, int height,
                                          const HarmonicsGraphMetrics& metrics)
{
    HarmonicsGraphLayout g;
    const int step = data.step == 2 ? 2 : 1;
    g.slotCount = HarmonicsSlotCount(step);
    g.slotWidth = std::max(width, 0) / g.slotCount;
    g.bottom = std::max(height - 1, 0);
    g.orderTop = g.bottom - (metrics.orderWidth + kBandPadding);
    g.plotBottom = g.orderTop - (metrics.valueWidth + kBandPadding);
    g.plotTop = 0;
    g.lineRight = g.slotCount * g.slotWidth;
    for (int k = 0; k <= g.slotCount; ++k)
        g.verticalLines.push_back(k * g.slotWidth);
    g.horizontalLines = {g.plotTop, g.plotBottom, g.orderTop, g.bottom};

    const int plotHeight = g.plotBottom - g.plotTop;
    for (int s = 0; s < g.slotCount; ++s) {
        HarmonicsSlot slot;
        const int left = s * g.slotWidth;
        const int right = left + g.slotWidth;
        slot.order = s * step + 1;
        slot.orderText = OrderText(slot.order);
        slot.orderCell = {left + 1, g.orderTop + 1, right, g.bottom};
        slot.valueCell = {left + 1, g.plotBottom + 1, right, g.orderTop};
        if (!data.hidden) {
            const int value = data.values[s];
            slot.valueText = Printf("%.1f", value / 10.0);
            const auto barHeight =
                int(std::int64_t(value) * std::max(plotHeight - 2, 0) / kFullScale);
            slot.bar = {left + 2, g.plotBottom - barHeight, right - 1, g.plotBottom};
            slot.hasBar = slot.bar.right > slot.bar.left && barHeight > 0;
        }
        g.orders.push_back(slot);
    }
    return g;
}
