#include "CliMonitorFormat.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "app/CPrivateException.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

std::string OneLine(const std::string& text)
{
    std::string line = text;
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return line;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long DaysFromCivil(long year, long month, long day)
{
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

long SecondsOf(const std::tm& t)
{
    return DaysFromCivil(t.tm_year + 1900L, t.tm_mon + 1L, t.tm_mday) * 86400L + t.tm_hour * 3600L +
           t.tm_min * 60L + t.tm_sec;
}

} // namespace

std::string MonitorCycleText(const std::vector<MonitorItemName>& items,
                             const MonitorSnapshot& snapshot)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += std::to_string(items[i].item) + '\t' +
                (i < snapshot.texts.size() ? OneLine(snapshot.texts[i]) : std::string()) + '\n';
    for (const std::string& line : snapshot.extraLines)
        text += line + '\n';
    return text + '\n';
}

std::string CsvField(const std::string& text)
{
    std::string field = "\"";
    for (const char c : OneLine(text)) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + '"';
}

std::string CsvRecord(const std::vector<std::string>& fields)
{
    std::string record;
    for (const std::string& f : fields)
        record += (record.empty() ? "" : ",") + CsvField(f);
    return record + "\r\n";
}

std::vector<std::string> MonitorCsvHeader(const std::vector<MonitorItemName>& items)
{
    std::vector<std::string> header = {"Time"};
    for (const MonitorItemName& i : items)
        header.push_back(std::to_string(i.item) + " " + i.name);
    return header;
}

long UtcOffsetSeconds(const std::tm& local, const std::tm& utc)
{
    return SecondsOf(local) - SecondsOf(utc);
}

std::string Iso8601(const std::tm& local, long offsetSeconds)
{
    const long minutes = (offsetSeconds < 0 ? -offsetSeconds : offsetSeconds) / 60;
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec, offsetSeconds < 0 ? '-' : '+', minutes / 60,
                  minutes % 60);
    return text;
}

std::string Iso8601LocalTime(std::time_t t)
{
    // Copied at once: both functions return one shared buffer.
    const std::tm local = *std::localtime(&t);
    const std::tm utc = *std::gmtime(&t);
    return Iso8601(local, UtcOffsetSeconds(local, utc));
}

CMonitorCsvLog::CMonitorCsvLog(const std::string& path, const std::vector<std::string>& header)
{
    std::error_code ec;
    const bool empty =
        !std::filesystem::exists(path, ec) || std::filesystem::file_size(path, ec) == 0;
    file_ = std::fopen(path.c_str(), "ab");
    if (!file_)
        Fail(errno);
    if (empty)
        Append(header);
}

CMonitorCsvLog::~CMonitorCsvLog()
{
    if (file_)
        std::fclose(file_);
}

void CMonitorCsvLog::Append(const std::vector<std::string>& fields)
{
    const std::string record = CsvRecord(fields);
    errno = 0;
    if (std::fwrite(record.data(), 1, record.size(), file_) != record.size() ||
        std::fflush(file_) != 0)
        Fail(errno != 0 ? errno : EIO);
}

void CMonitorCsvLog::Fail(int errorCode)
{
    throw CPrivateException(FormatText(TextId::SaveError, {SystemErrorText(errorCode)}));
}
