#pragma once

#include <cstdio>

#include "CliCommandLine.h"

// ormel-cli monitor: identifies the device, then prints one cycle of its
// monitor's values after another (and appends them to --csv) until --count
// cycles are done or SIGINT / SIGTERM ends it, which is a success. With
// --count a failed cycle ends the command with its error; without, the error
// goes to stderr and the next cycle follows after the interval.
void RunMonitor(const CliOptions& options, std::FILE* out);
