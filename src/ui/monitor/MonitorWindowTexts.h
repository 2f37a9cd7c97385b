#pragma once

// Texts of the monitor windows' frame, tabs and lists.
namespace MonitorWindowText {
constexpr int kTrend = 100;          // "Trend", "Max", "Min"
constexpr int kEnergyTabFirst = 200; // the five energy tabs
constexpr int kHarmonics = 24000;
constexpr int kVectorChart = 24001;
constexpr int kDeviceInformation = 24002;
constexpr int kAnalogOutput = 24003;
constexpr int kLoopTest = 24004;
constexpr int kUtility = 24005;
constexpr int kChannel = 24006;
constexpr int kChannelItem = 24007; // "%1!d!ch"
constexpr int kFamilyNotAvailable = 24040;
} // namespace MonitorWindowText
