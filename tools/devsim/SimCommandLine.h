#pragma once

#include <string>
#include <vector>

#include "SimOptions.h"

// The command line of ormel-devsim.
struct SimCommandLine {
    SimOptions options;
    bool tcp = false;
    std::string host = "127.0.0.1";
    int port = 0;
    bool rtu = false;
    std::string logPath;
    bool help = false;
    int channels = -1; // --channels: I/O word 4 to report instead of the row's
};

// Throws std::invalid_argument with a message naming the offending argument.
SimCommandLine ParseSimCommandLine(const std::vector<std::string>& args);
const char* SimUsage();
