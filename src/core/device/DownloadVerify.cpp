#include "device/DownloadVerify.h"

#include <algorithm>

#include "background/IProgressSink.h"

std::optional<DownloadVerification> VerifyDownload(CModbusInterface& connection,
                                                   const ParameterSet& written,
                                                   const WrittenWords& writtenWords,
                                                   IProgressSink& progress)
{
    progress.BeginPhase(TransferPhase::Verify);
    DownloadVerification result{written, {}};
    if (!ReadWordsFromDevice(result.readBack, writtenWords, connection, progress))
        return std::nullopt;
    for (int word : writtenWords)
        if (word >= 0 && word < kParameterWords && result.readBack[word] != written[word])
            result.differingWords.push_back(word);
    std::sort(result.differingWords.begin(), result.differingWords.end());
    result.differingWords.erase(
        std::unique(result.differingWords.begin(), result.differingWords.end()),
        result.differingWords.end());
    return result;
}

std::vector<ReportRow> DifferingRows(const ParameterSet& written,
                                     const DownloadVerification& verification)
{
    CParameterReport report(written);
    report.CompareWithDevice(verification.readBack);
    const auto& differing = verification.differingWords;
    std::vector<ReportRow> rows;
    for (const ReportRow& row : report.Rows()) {
        const auto first = std::lower_bound(differing.begin(), differing.end(), row.word);
        if (first != differing.end() && *first < row.word + row.wordCount)
            rows.push_back(row);
    }
    return rows;
}
