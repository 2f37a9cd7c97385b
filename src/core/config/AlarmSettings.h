#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/Capabilities.h"
#include "device/ParameterSet.h"
#include "device/ParameterWords.h"
#include "edit/EditOutcome.h"

// Words of the alarm settings in the parameter set.
namespace AlarmWord {
constexpr int PowerOnDelay = 224; // seconds
constexpr int Latching = 225;     // 1 = latching
// Item k at FirstItem + ItemWords * k.
constexpr int FirstItem = ParameterWord::FirstAlarmItem;
constexpr int ItemWords = ParameterWord::AlarmItemWords;
// Offsets inside an item.
constexpr int HighSetpoint = 0; // signed 32 bit
constexpr int LowSetpoint = 2;  // signed 32 bit
constexpr int Output = ParameterWord::AlarmOutputOffset;
constexpr int Hysteresis = 5; // 0.1 % steps
constexpr int OnDelay = 6;    // seconds
} // namespace AlarmWord

constexpr int kAlarmRowCount = ParameterWord::AlarmItems;

// One row of the alarm list: the quantity it watches and its setpoint limits
// in the row's scaled unit (raw = shown x scale).
struct AlarmRow {
    int nameId;
    std::int32_t minimum;
    std::int32_t maximum;
    int scale;
    int unitId;
    Capabilities mask;
};

const AlarmRow& AlarmRowAt(int row);
int AlarmItemWord(int row, int offset);
// A row applies when the device shares a capability bit with the row's mask.
bool AlarmRowApplies(int row, Capabilities caps);

enum class AlarmColumn {
    Name = 0,
    HighSetpoint = 1,
    LowSetpoint = 2,
    Hysteresis = 3,
    OnDelay = 4,
    Output = 5
};
constexpr int kAlarmColumnCount = 6;
bool IsAlarmValueColumn(int column);

// The text a cell shows: empty for the value cells of a row that does not
// apply; numbers with their unit in parentheses otherwise.
std::string AlarmCellText(const ParameterSet& set, int row, AlarmColumn column);
// The bare number an in-place edit field starts with (columns 1-4).
std::string AlarmEditText(const ParameterSet& set, int row, AlarmColumn column);
// Reads an edited text into the row's word (columns 1-4). A text that is not
// a number or is out of range throws CPrivateException and changes nothing.
void StoreAlarmValue(ParameterSet& set, int row, AlarmColumn column, const std::string& text);

// The output list: the codes offered, in list order. Sized by the highest
// digital output present, grown so that a stored code up to the last one
// with a text stays listed; ZM offers "DIsable" and "Do1" (code 2) only.
std::vector<std::uint16_t> AlarmOutputCodes(Capabilities caps, std::uint16_t storedCode);
// First text id of the device's output texts (text of code c = base + c).
int AlarmOutputTextBase(Capabilities caps);
// Text of an output code; codes without a text show as their number.
std::string AlarmOutputText(Capabilities caps, std::uint16_t code);
// List entry of a stored code, or -1 when the list does not offer it.
int AlarmOutputIndex(Capabilities caps, std::uint16_t storedCode);
// Stores the code of a chosen list entry; an index outside the list is ignored.
void StoreAlarmOutput(ParameterSet& set, int row, int listIndex);

// The editable cell an in-place edit moves to: columns 1-5 of applying rows,
// skipping rows that do not apply; nullopt at the edge.
std::optional<CellPos> AlarmNeighbourCell(Capabilities caps, int row, int column, EditMove move);

// Power ON delay as typed in its edit: 0-999 seconds, stored on success.
void StorePowerOnDelay(ParameterSet& set, const std::string& text);

// The two fields above the list, read on OK; the list stores its cells as
// they are edited.
struct AlarmForm {
    std::string powerOnDelay;
    bool latching = false;
};
AlarmForm AlarmFormOf(const ParameterSet& set);
// A refused power ON delay throws its message before latching is stored.
void ReadAlarmForm(const AlarmForm& form, ParameterSet& set);
