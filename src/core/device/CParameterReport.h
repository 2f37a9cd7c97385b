#pragma once

#include <optional>
#include <string>
#include <vector>

#include "device/CParameterEnumerationInterface.h"
#include "device/ParameterSet.h"

enum class ReportRowState {
    Applies = 0,       // and, when comparing, both sides hold the same words
    Different = 1,     // both variants have the parameter and the raw words differ
    NotApplicable = 2, // the PC variant, or one of the two compared, lacks it
};

enum class ReportColumn { Group = 0, Name = 1, Pc = 2, Compare = 3 };

struct ReportRow {
    int word = 0;      // first word of the row
    int wordCount = 1; // 2 for num32, IPv4 and unit text
    bool firstOfGroup = false;
    ReportRowState state = ReportRowState::Applies;
    std::string group;
    std::string name;
    std::string pcValue;
    std::string compareValue; // empty unless comparing

    bool ValuesEmpty() const { return pcValue.empty() && compareValue.empty(); }
};

// The parameter report: every parameter of a copy of the edited set (the PC
// side) as text, optionally beside a second set read from a device or a file,
// with the differences marked and counted. The rows are rebuilt whenever the
// sides or the hide flag change; the caller's sets are never modified.
class CParameterReport {
public:
    explicit CParameterReport(
        const ParameterSet& pcSet,
        const CParameterEnumerationInterface& enumeration = DefaultParameterEnumeration());

    // Both switch to compare mode for good and replace the comparison side.
    void CompareWithDevice(const ParameterSet& deviceSet);
    // The fourth column is headed with the file's name, without its folder.
    void CompareWithFile(const ParameterSet& fileSet, const std::string& path);

    // "Hide unable functions.": drops rows that no compared variant has and
    // that show no value.
    void SetHideUnable(bool hide);
    bool HideUnable() const { return hideUnable_; }

    // "<< Copy": the comparison side becomes this report's PC side, so that
    // the report can be saved or exported as the device or file holds it.
    // False, and nothing changes, before a comparison exists.
    bool CopyComparisonToPc();

    bool IsComparing() const { return comparison_.has_value(); }
    const ParameterSet& PcSet() const { return pc_; }
    const ParameterSet* ComparisonSet() const { return comparison_ ? &*comparison_ : nullptr; }

    // The rows of the list, in word order, hidden rows removed.
    const std::vector<ReportRow>& Rows() const { return rows_; }
    int DifferentCount() const { return differentCount_; }
    // Index in Rows() of the first different row, to scroll into view; -1 when none.
    int FirstDifferentRow() const { return firstDifferent_; }

    // "Group", "Name", "PC", and when comparing "Device" or the file's name.
    std::vector<std::string> ColumnHeadings() const;
    // Empty in report mode; the match count when comparing.
    std::string ResultText() const;
    bool ResultIsRed() const { return IsComparing() && differentCount_ != 0; }

private:
    void CompareWith(const ParameterSet& other, std::string heading);
    void Refresh();
    ReportRow BuildRow(int word) const;
    ReportRowState StateOf(const ReportRow& row) const;

    const CParameterEnumerationInterface& enumeration_;
    ParameterSet pc_;
    std::optional<ParameterSet> comparison_;
    std::string comparisonHeading_;
    bool hideUnable_ = false;
    std::vector<ReportRow> rows_;
    int differentCount_ = 0;
    int firstDifferent_ = -1;
};
