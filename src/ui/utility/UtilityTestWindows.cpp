#include "utility/UtilityTestWindows.h"

namespace {

// Set on the GUI thread at start, read there when a window opens.
UtilityTestWindows& Installed()
{
    static UtilityTestWindows windows;
    return windows;
}

} // namespace

void SetUtilityTestWindows(UtilityTestWindows windows)
{
    Installed() = std::move(windows);
}

const UtilityTestWindows& InstalledUtilityTestWindows()
{
    return Installed();
}
