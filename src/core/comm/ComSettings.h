#pragma once

#include <string>

#include "comm/SerialParity.h"

class CSettingsStore;

// Numbered as the "Mode" registry value stores it. A stored number outside
// the list is kept as it is (the Connect dialog reads it as Infrared).
enum class ConnectionMode { Rs485 = 0, Tcp = 1, Infrared = 2, Config = 3 };

// How the PC reaches the device. Loaded from and saved to section "ComSettings".
struct ComSettings {
    ConnectionMode mode = ConnectionMode::Config;
    int address = 1;
    std::string comPortName;
    std::string comPortDisplayName;
    std::string irPortName;
    std::string irPortDisplayName;
    std::string configPortName;
    std::string configPortDisplayName;
    int baudIndex = 5;      // 1200, 2400, 4800, 9600, 19200, 38400 bps
    int characterIndex = 1; // 0 = 7 bits, 1 = 8 bits; never read back
    SerialParity parity = SerialParity::Odd;
    int stopIndex = 0; // 0 = 1 stop bit, 1 = 2
    std::string serverAddress = "192.168.0.1";
    std::string servicePort = "502";

    ConnectionMode Mode() const { return mode; }

    // Missing values take the defaults; "Character" is never read.
    void Load(const CSettingsStore& store);
    // Writes all fourteen values.
    void Save(CSettingsStore& store) const;
};
