#include "device/CParameterReport.h"

#include <filesystem>

#include "device/ParameterDescriptor.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

constexpr int kGroupHeadingId = 2450;
constexpr int kNameHeadingId = 2451;
constexpr int kPcHeadingId = 2452;
constexpr int kDeviceHeadingId = 2453;

// Raw words rather than texts: two values can print alike (a choice beyond
// its list, a hidden primary current) and still differ on the device.
bool SameWords(const ParameterSet& a, const ParameterSet& b, int word, int count)
{
    for (int i = 0; i < count; ++i)
        if (a[word + i] != b[word + i])
            return false;
    return true;
}

} // namespace

CParameterReport::CParameterReport(const ParameterSet& pcSet,
                                   const CParameterEnumerationInterface& enumeration)
    : enumeration_(enumeration), pc_(pcSet)
{
    Refresh();
}

void CParameterReport::CompareWithDevice(const ParameterSet& deviceSet)
{
    CompareWith(deviceSet, LoadText(kDeviceHeadingId));
}

void CParameterReport::CompareWithFile(const ParameterSet& fileSet, const std::string& path)
{
    CompareWith(fileSet, std::filesystem::path(path).filename().string());
}

void CParameterReport::CompareWith(const ParameterSet& other, std::string heading)
{
    comparison_ = other;
    comparisonHeading_ = std::move(heading);
    Refresh();
}

void CParameterReport::SetHideUnable(bool hide)
{
    hideUnable_ = hide;
    Refresh();
}

bool CParameterReport::CopyComparisonToPc()
{
    if (!comparison_)
        return false;
    pc_ = *comparison_;
    Refresh();
    return true;
}

std::vector<std::string> CParameterReport::ColumnHeadings() const
{
    std::vector<std::string> headings = {LoadText(kGroupHeadingId), LoadText(kNameHeadingId),
                                         LoadText(kPcHeadingId)};
    if (IsComparing())
        headings.push_back(comparisonHeading_);
    return headings;
}

std::string CParameterReport::ResultText() const
{
    if (!IsComparing())
        return {};
    if (differentCount_ == 0)
        return LoadText(TextId::AllMatching);
    return FormatText(TextId::NotMatching, {differentCount_});
}

ReportRow CParameterReport::BuildRow(int word) const
{
    ReportRow row;
    row.word = word;
    row.wordCount = ValueWordCount(GetParameterDescriptor(word).type);
    row.group = enumeration_.GroupText(word, pc_);
    row.name = enumeration_.NameText(word);
    row.pcValue = enumeration_.ValueText(word, pc_);
    if (comparison_)
        row.compareValue = enumeration_.ValueText(word, *comparison_);
    row.state = StateOf(row);
    return row;
}

ReportRowState CParameterReport::StateOf(const ReportRow& row) const
{
    const ParameterDescriptor& d = GetParameterDescriptor(row.word);
    if (!DescriptorApplies(d, pc_.type.Caps()))
        return ReportRowState::NotApplicable;
    if (!comparison_)
        return ReportRowState::Applies;
    if (!DescriptorApplies(d, comparison_->type.Caps()))
        return ReportRowState::NotApplicable;
    return SameWords(pc_, *comparison_, row.word, row.wordCount) ? ReportRowState::Applies
                                                                 : ReportRowState::Different;
}

void CParameterReport::Refresh()
{
    rows_.clear();
    differentCount_ = 0;
    firstDifferent_ = -1;
    for (int word = 0; word < kParameterWords;) {
        ReportRow row = BuildRow(word);
        word += row.wordCount;
        if (hideUnable_ && row.state == ReportRowState::NotApplicable && row.ValuesEmpty())
            continue;
        // Group boundaries are drawn between the rows the list shows.
        row.firstOfGroup = rows_.empty() || rows_.back().group != row.group;
        if (row.state == ReportRowState::Different && differentCount_++ == 0)
            firstDifferent_ = static_cast<int>(rows_.size());
        rows_.push_back(std::move(row));
    }
}
