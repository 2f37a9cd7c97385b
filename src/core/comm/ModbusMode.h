#pragma once

#include <cstddef>
#include <cstdint>

#include "comm/ComSettings.h"

// How the master talks in one connection mode.
struct ModbusModeParameters {
    std::uint8_t unitId = 1;
    int registersPerRequest = 10000; // 10000: no splitting
    int attempts = 3;
    int baud = 0;                 // line speed for time-outs; 0 in Modbus/TCP
    int pauseAfterResponseMs = 0; // keeps 120 bit times between serial frames
};

ModbusModeParameters ModbusModeFor(const ComSettings& settings);

constexpr int kTcpResponseTimeoutMs = 5000;
// The master's read time-out of a serial port that has just been opened.
constexpr int kSerialOpenTimeoutMs = 3000;

// Milliseconds to wait for a serial response: a base plus about 17 bit times
// per byte of the whole exchange.
int SerialResponseTimeout(int baseMs, std::size_t bytes, int baud);
