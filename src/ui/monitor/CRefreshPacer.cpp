#include "monitor/CRefreshPacer.h"

bool CRefreshPacer::Due(int control)
{
    const Clock::time_point now = Clock::now();
    const auto it = last_.find(control);
    if (it != last_.end() && now - it->second < interval_)
        return false;
    last_[control] = now;
    return true;
}
