#pragma once

#include <string>

#include "device/CParameterReport.h"

// The report as CSV: one line per list row, ended by CR LF, no header:
// "group","name","PC value"[,"comparison value"]. A double quote inside a
// field is doubled. With "Hide unable functions." set, a row whose values are
// all empty is left out. UTF-8 without a byte order mark.
std::string BuildReportCsv(const CParameterReport& report);

// Writes BuildReportCsv to a file, replacing it whole or not at all. Throws
// CPrivateException ("Save error. " and the system's reason) on failure.
void ExportReportCsv(const CParameterReport& report, const std::string& path);
