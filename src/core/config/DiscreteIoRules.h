#pragma once

#include <array>
#include <cstdint>

#include "device/Capabilities.h"
#include "device/ParameterSet.h"
#include "device/ParameterWords.h"

namespace DiscreteWord {
constexpr int InputFunction = ParameterWord::DiscreteInputFunction;
constexpr int InputType = 189;
} // namespace DiscreteWord

// Control ids of "Discrete Input Setting".
namespace DiControl {
constexpr int Function = 1024;
constexpr int NormalOpen = 1034;
constexpr int NormalClose = 1035;
} // namespace DiControl

// One digital output of "Discrete / Pulse Output Setting": what the device
// must have for it, its words and the ids of its controls.
struct DigitalOutputRow {
    Capabilities capability;
    int functionList;
    int functionWord;
    int normalOpen;
    int normalClose;
    int typeWord;
    int group;
    int functionLabel;
    int contactLabel;
    int energyButton;
};

const std::array<DigitalOutputRow, 4>& DigitalOutputTable();

enum class DiscreteInputFunction {
    NoFunction = 0,
    UpdateDemand = 1,
    ResetEnergy = 2,
    ClearAlarm = 3,
    ChangeTariff = 4
};
enum class DiscreteOutputFunction { NoFunction = 0, EnergyCount = 1, AlarmStatus = 2 };
enum class ContactType { NormalOpen = 0, NormalClose = 1 };

// Entries of the input's function list (texts 1700 onwards).
int DiscreteInputFunctionCount(Capabilities caps);
// The input's function selects by position; a function this variant's list
// lacks (from another variant's file) selects nothing (-1), and OK then keeps
// it, rather than turning it into a different function such as an energy reset.
int DiscreteInputFunctionIndex(Capabilities caps, std::uint16_t field);
// Entries of an output's function list (texts 1800 onwards).
int DiscreteOutputFunctionCount(Capabilities caps);
// The ZN meters only count energy on their outputs: the function is fixed.
bool DiscreteOutputFunctionFixed(Capabilities caps);

// The list entry that shows a stored choice: a value past the end shows the
// last entry, so that OK never stores an index the list does not have.
int ChoiceListIndex(std::uint16_t field, int entryCount);
// "Normal close" is shown for any non-zero contact type.
bool ShowsNormalClose(std::uint16_t field);

// What opening the output dialog does to the set: on the ZN meters every
// present output is set to "Energy count".
void PrepareDiscreteOutputs(ParameterSet& set);

// "Discrete Input Setting": the function's list position (-1: nothing
// selected, which keeps the stored function) and the contact type.
struct DiscreteInputForm {
    int function = -1;
    bool normalClose = false;
};
DiscreteInputForm DiscreteInputFormOf(const ParameterSet& set);
void ReadDiscreteInputForm(const DiscreteInputForm& form, ParameterSet& set);

// "Discrete / Pulse Output Setting", one entry per row of the output table.
// Outputs the device lacks are shown but never stored.
struct DiscreteOutputForm {
    struct Output {
        int function = -1;
        bool normalClose = false;
    };
    std::array<Output, 4> outputs{};
};
DiscreteOutputForm DiscreteOutputFormOf(const ParameterSet& set);
void ReadDiscreteOutputForm(const DiscreteOutputForm& form, ParameterSet& set);
