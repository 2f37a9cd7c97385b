#pragma once

// The parity bit of a serial line, numbered as the "Parity" registry value stores it.
enum class SerialParity { None = 0, Odd = 1, Even = 2 };
