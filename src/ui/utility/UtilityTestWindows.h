#pragma once

#include <functional>

class CDeviceType;
class CModbusInterface;
class QWidget;

// The loop-test and preset windows that the "Utility" window opens. They live
// with the test dialogs; the program installs them once at start. Each opener
// runs the window that fits the device (the ZNPW/ZNEPW loop test for those
// devices) modally over parent, on the monitor's connection, and shows its
// own errors. A button whose opener is missing stays disabled.
struct UtilityTestWindows {
    using Opener = std::function<void(CModbusInterface& connection, const CDeviceType& device,
                                      QWidget* parent)>;
    Opener loopTest; // the loop-test question 11036 has been answered Yes
    Opener preset;
};

// The openers every "Utility" window made afterwards starts with.
void SetUtilityTestWindows(UtilityTestWindows windows);
const UtilityTestWindows& InstalledUtilityTestWindows();
