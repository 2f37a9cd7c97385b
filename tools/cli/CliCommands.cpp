#include "CliCommands.h"

#include <unistd.h>

#include "CliDeviceCommands.h"
#include "CliMonitor.h"
#include "CliTransfer.h"
#include "CliTransferJob.h"
#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"
#include "device/CConfigFile.h"
#include "device/CParameterReport.h"
#include "device/CSettingsStocker.h"
#include "device/ConnectedDevice.h"
#include "device/ParameterDescriptor.h"
#include "device/ReportCsv.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

bool ProgressWanted()
{
    return isatty(STDERR_FILENO) != 0;
}

void PrintLines(std::FILE* out, const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
}

std::string Firmware(std::uint16_t version)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d.%02d", version / 100, version % 100);
    return text;
}

std::string DisplayText(int typeId)
{
    const DeviceTypeText t = SplitDeviceTypeText(LoadText(DeviceTypeTextId(typeId)));
    return t.model + t.suffix + (t.firmware.empty() ? "" : " " + t.firmware);
}

ParameterSet Upload(const CliOptions& o)
{
    CModbusInterface connection(o.connection);
    ParameterSet set;
    RunTransferJob(
        connection, TransferOperation::Read,
        [&](IProgressSink& sink) { return UploadParameterSet(connection, set, sink); },
        ProgressWanted());
    return set;
}

void Identify(const CliOptions& o, std::FILE* out)
{
    CModbusInterface connection(o.connection);
    PrintLines(out, IdentityLines(IdentifyConnectedDevice(connection)));
}

// A verified download that found differences has failed: the rows go to out,
// the count is the error.
void ReportVerification(const ParameterSet& set, const DownloadVerification& verification,
                        std::FILE* out)
{
    if (verification.Matches()) {
        PrintLines(out, {LoadText(TextId::AllMatching)});
        return;
    }
    const std::vector<ReportRow> rows = DifferingRows(set, verification);
    PrintLines(out, VerifyLines(set, verification, rows));
    throw CPrivateException(FormatText(TextId::NotMatching, {static_cast<int>(rows.size())}));
}

void Download(const CliOptions& o, std::FILE* out)
{
    ParameterSet set;
    CConfigFile::LoadFromFile(set, o.inputPath);
    CModbusInterface connection(o.connection);
    std::optional<DownloadVerification> verification;
    DownloadParameterSet(
        connection, set,
        [&](CProgressThread::Transfer transfer) {
            RunTransferJob(connection, TransferOperation::Write, std::move(transfer),
                           ProgressWanted());
        },
        o.verify ? &verification : nullptr);
    if (verification)
        ReportVerification(set, *verification, out);
}

void Defaults(const CliOptions& o)
{
    // As at start-up: a fresh set switched to the variant with its defaults.
    ParameterSet set;
    CSettingsStocker stocker;
    stocker.ChangeDeviceType(o.typeId, set, true);
    CConfigFile::SaveToFile(set, o.outputPath);
}

// A file whose identity matches no catalogue row has no rows to report: it is
// refused as a device that is not supported, naming the codes the file gives,
// rather than printing an empty report as if that were a result.
ParameterSet LoadReportFile(const std::string& path)
{
    ParameterSet set;
    CConfigFile::LoadFromFile(set, path);
    if (set.type.CatalogueIndex() < 0 || set.type.Caps() == 0)
        throw CPrivateException(FormatText(TextId::DeviceNotSupported,
                                           {int(set.type.modelCode), int(set.type.optionCode)}));
    return set;
}

void Report(const CliOptions& o, std::FILE* out)
{
    CParameterReport report(LoadReportFile(o.inputPath));
    report.SetHideUnable(!o.showUnable);
    if (o.compare == CliCompareSource::File) {
        report.CompareWithFile(LoadReportFile(o.compareFile), o.compareFile);
    } else if (o.compare == CliCompareSource::Device) {
        report.CompareWithDevice(Upload(o));
    }
    if (!o.csvPath.empty())
        ExportReportCsv(report, o.csvPath);
    PrintLines(out, ReportLines(report));
}

} // namespace

std::vector<std::string> IdentityLines(const CDeviceType& type)
{
    std::string io;
    for (std::uint16_t w : type.ioWords)
        io += (io.empty() ? "" : " ") + std::to_string(w);
    return {
        "type id: " + std::to_string(type.TypeId()),
        "text: " + DisplayText(type.TypeId()),
        "model code: " + std::to_string(type.modelCode),
        "firmware: " + Firmware(type.firmwareVersion),
        "option code: " + std::to_string(type.optionCode & kOptionCodeMask),
        "io words: " + io,
    };
}

std::vector<std::string> ReportLines(const CParameterReport& report)
{
    std::vector<std::string> lines;
    std::string heading = "#";
    for (const auto& h : report.ColumnHeadings())
        heading += "\t" + h;
    lines.push_back(heading);
    for (const ReportRow& row : report.Rows()) {
        const char mark = row.state == ReportRowState::Different       ? '*'
                          : row.state == ReportRowState::NotApplicable ? '-'
                                                                       : ' ';
        std::string line =
            std::string(1, mark) + "\t" + row.group + "\t" + row.name + "\t" + row.pcValue;
        if (report.IsComparing())
            line += "\t" + row.compareValue;
        lines.push_back(line);
    }
    if (report.IsComparing())
        lines.push_back(report.ResultText());
    return lines;
}

std::vector<std::string> VerifyLines(const ParameterSet& set,
                                     const DownloadVerification& verification,
                                     const std::vector<ReportRow>& rows)
{
    std::vector<std::string> lines;
    CParameterReport headings(set);
    headings.CompareWithDevice(verification.readBack);
    std::string heading = "#";
    for (const auto& h : headings.ColumnHeadings())
        heading += "\t" + h;
    lines.push_back(heading);
    for (const ReportRow& row : rows) {
        std::string line =
            "*\t" + row.group + "\t" + row.name + "\t" + row.pcValue + "\t" + row.compareValue;
        // Texts that read alike (a hidden value, a choice beyond its list) still
        // name the parameter; the raw words show the difference. A passcode stays
        // masked.
        if (row.pcValue == row.compareValue &&
            GetParameterDescriptor(row.word).type != ValueType::Passcode)
            for (int w = row.word; w < row.word + row.wordCount; ++w)
                line += "\tword " + std::to_string(w) + ": " + std::to_string(set[w]) + " / " +
                        std::to_string(verification.readBack[w]);
        lines.push_back(line);
    }
    return lines;
}

void RunCliCommand(const CliOptions& o, std::FILE* out)
{
    switch (o.command) {
    case CliCommand::Identify:
        return Identify(o, out);
    case CliCommand::Upload:
        CConfigFile::SaveToFile(Upload(o), o.outputPath);
        return;
    case CliCommand::Download:
        return Download(o, out);
    case CliCommand::Defaults:
        return Defaults(o);
    case CliCommand::Report:
        return Report(o, out);
    case CliCommand::Reset:
        return RunReset(o);
    case CliCommand::Clock:
        return RunClock(o, out);
    case CliCommand::Info:
        return RunInfo(o, out);
    case CliCommand::Monitor:
        return RunMonitor(o, out);
    }
}
