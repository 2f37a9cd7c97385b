#pragma once

#include "comm/CSerialPortList.h"

// The serial ports the system reports now. Pseudo-terminals and other virtual
// lines are not reported; they can still be opened by path.
class CPortDiscovery {
public:
    static CSerialPortList Enumerate();
};
