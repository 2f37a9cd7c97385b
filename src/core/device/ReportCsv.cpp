#include "device/ReportCsv.h"

#include "app/CPrivateException.h"
#include "app/IFileSystem.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

void AppendField(std::string& line, const std::string& text)
{
    line += '"';
    for (const char c : text) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

} // namespace

std::string BuildReportCsv(const CParameterReport& report)
{
    std::string csv;
    for (const ReportRow& row : report.Rows()) {
        if (report.HideUnable() && row.ValuesEmpty())
            continue;
        AppendField(csv, row.group);
        csv += ',';
        AppendField(csv, row.name);
        csv += ',';
        AppendField(csv, row.pcValue);
        if (report.IsComparing()) {
            csv += ',';
            AppendField(csv, row.compareValue);
        }
        csv += "\r\n";
    }
    return csv;
}

void ExportReportCsv(const CParameterReport& report, const std::string& path)
{
    if (const std::error_code ec = WriteFileAtomically(path, BuildReportCsv(report)))
        throw CPrivateException(FormatText(TextId::SaveError, {ec.message()}), FaultKind::File);
}
