#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/Capabilities.h"
#include "device/ParameterSet.h"

constexpr int kAoListControl = 1096;

enum class AoRowKind {
    OutputType,
    Input,
    AdjustZero,
    AdjustSpan,
    Linearizer,
    InputPercent,
    Output
};

// One row of "Analog Output Setting": its word within an output's block
// (which is also its name's place in the texts 3849 onwards) and its kind.
struct AoRow {
    int offset;
    AoRowKind kind;
};

// ZM with an analog output starts with "Output type" (29 rows); the others
// start with "Input" (28 rows).
std::vector<AoRow> AnalogOutputRows(Capabilities caps);
// One column per output up to the highest present one.
int AnalogOutputColumns(Capabilities caps);
int AoWord(int output, const AoRow& row);
int AoRowNameId(const AoRow& row);
bool IsAoListRow(AoRowKind kind);

// What the outputs drive, by variant and, on ZM, by the chosen output type.
enum class AoOutputKind { Current4to20, Voltage1to5, ZmCurrent0to20, ZmVoltage5, ZmVoltage10 };
AoOutputKind AoOutputKindOf(Capabilities caps, std::uint16_t outputType);

// Limits, scale and unit text of a numeric row; nullopt for list rows.
struct AoLimits {
    std::int64_t minimum;
    std::int64_t maximum;
    int scale;
    int unitId;
};
std::optional<AoLimits> AoRowLimits(AoRowKind kind, Capabilities caps, std::uint16_t outputType);

// A list row's entries: the stored values in list order and their text base.
struct AoChoices {
    std::vector<int> values;
    int textBase;
};
AoChoices AoChoicesFor(AoRowKind kind, Capabilities caps);
// The entry showing a stored value; 0 when the list lacks it.
int AoChoiceIndex(const AoChoices& choices, std::uint16_t value);

// The text a cell shows: the stored choice, or the value with its unit.
std::string AoCellText(const ParameterSet& set, int output, const AoRow& row);
// The value put into the in-place edit of a numeric cell.
std::string AoEditText(const ParameterSet& set, int output, const AoRow& row);
// Reads an edited numeric cell with the row's limits (throws the range
// message) and stores it.
void StoreAoNumber(ParameterSet& set, int output, const AoRow& row, const std::string& text);

// Stores the value of the list entry chosen in a list row; false for an
// entry the list does not have. Choosing the type an output already has keeps
// its outputs and table; another type changes them as below.
bool StoreAoChoice(ParameterSet& set, int output, const AoRow& row, int listIndex);

// A new output type on ZM: the output 0 %/100 % go to the type's defaults and
// the table's Y values to 0, since values of the old range mean nothing.
void ChangeAoOutputType(ParameterSet& set, int output, std::uint16_t outputType);
