#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "CliCommandLine.h"

#include "device/DownloadVerify.h"

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
// What download --verify prints when the device holds other words than were
// written: the report's heading, then one line per row of a differing word,
// marked '*', with the PC and the device value.
std::vector<std::string> VerifyLines(const ParameterSet& set,
                                     const DownloadVerification& verification,
                                     const std::vector<ReportRow>& rows);
