#pragma once

// The link-quality icon of the progress window in Infrared mode, by the
// master's success rate (percent): 151 best ... 148 nothing got through.
inline constexpr int kQualityIconNone = 148;
inline constexpr int kQualityIconBest = 151;

inline int QualityIconForRate(double successRate)
{
    if (successRate >= 80)
        return 151;
    if (successRate >= 40)
        return 150;
    if (successRate > 0)
        return 149;
    return kQualityIconNone;
}
