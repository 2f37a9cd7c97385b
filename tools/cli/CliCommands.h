#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "CliCommandLine.h"

class CDeviceType;
class CParameterReport;

// Runs a parsed command; its results go to out, progress to the terminal.
// Device, file and communication errors throw CPrivateException; a cancelled
// operation throws one with an empty text.
void RunCliCommand(const CliOptions& options, std::FILE* out);

// The "name: value" lines of identify.
std::vector<std::string> IdentityLines(const CDeviceType& type);
// Tab-separated report lines: a heading, one line per row, and in compare mode
// the result text last. The first column marks a row: '*' different,
// '-' not applicable to a compared variant, blank otherwise.
std::vector<std::string> ReportLines(const CParameterReport& report);
