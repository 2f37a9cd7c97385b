#pragma once

#include <optional>
#include <vector>

#include "device/CParameterReport.h"
#include "device/ParameterSet.h"
#include "device/ParameterTransfer.h"

class CModbusInterface;
class IProgressSink;

// What the device holds of a download, read back right after it.
struct DownloadVerification {
    // The downloaded set with every written word as the device returned it;
    // the words the download did not write keep the set's values, so a
    // comparison with the downloaded set shows only real differences.
    ParameterSet readBack;
    WrittenWords differingWords; // ascending

    bool Matches() const { return differingWords.empty(); }
};

// Reads back exactly the words a download wrote (the entries that hold them,
// as an upload reads them) and compares them word by word with the set that
// was written. Announces the verify phase to progress first. Nothing when
// cancelled; a failure throws CPrivateException with the "Communication
// error." text, as the transfers do.
std::optional<DownloadVerification> VerifyDownload(CModbusInterface& connection,
                                                   const ParameterSet& written,
                                                   const WrittenWords& writtenWords,
                                                   IProgressSink& progress);

// The parameter report's rows, PC side the downloaded set and device side the
// read-back, of the parameters that hold a differing word: in word order,
// including rows the report would grey out or hide.
std::vector<ReportRow> DifferingRows(const ParameterSet& written,
                                     const DownloadVerification& verification);
