#pragma once

#include <cstdio>

#include "CliCommandLine.h"

// The device offers no such command (the Utility window would disable it), or
// a command that changes the device had neither a terminal nor --yes to
// confirm it: ormel-cli ends with exit status 2 and the reason.
class CliRefused : public CliUsageError {
public:
    using CliUsageError::CliUsageError;
};

// reset, clock and info. Device and communication errors throw
// CPrivateException; a declined confirmation throws an abort.
void RunReset(const CliOptions& options);
void RunClock(const CliOptions& options, std::FILE* out);
void RunInfo(const CliOptions& options, std::FILE* out);
