#include "monitor/HarmonicsGraphData.h"

#include "app/DebugLog.h"
#include "monitor/CMeasurandsKTA.h"

void UpdateHarmonicsFromImage(HarmonicsGraphData& data, const CMeasurandsKTA& image)
{
    DebugPrintf("Draw HD offset:%d\n", data.row * CMeasurandsKTA::kSpectrumValues);
    data.hidden = false;
    data.values.fill(0);
    data.values[0] = 1000;
    if (data.row < 0 || data.row >= CMeasurandsKTA::kSpectrumRows)
        return;
    const auto& row = image.spectrum[data.row];
    for (int i = 0; i < CMeasurandsKTA::kSpectrumValues; ++i)
        data.values[1 + i] = row[i];
}
