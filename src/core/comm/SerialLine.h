#pragma once

#include "comm/ComSettings.h"
#include "comm/ITransport.h"

// Line speed of a baud index of the connection settings (1200 .. 38400 bps);
// an index outside 0..5 runs at 1200 baud.
int BaudRateForIndex(int baudIndex);

// The port and line a serial connection mode runs on. Infrared and CONFIG have
// fixed lines and ignore the user's RS-485 choices. A mode number that names
// no serial mode is taken as Infrared, which is what the Connect dialog shows
// for it; Modbus/TCP never opens a serial line.
//
// An RS-485 parity other than none, odd or even is passed on as stored: the
// transport refuses to program it.
SerialLineSettings SerialLineFor(const ComSettings& settings);
