#pragma once

#include <string>

#include "device/ParameterSet.h"

// Turns one word of a parameter set into the three texts of a report row. The
// report list, the comparison and the CSV export all read their texts here, so
// they always agree.
class CParameterEnumerationInterface {
public:
    virtual ~CParameterEnumerationInterface() = default;

    // The word's group; ZN variants name their input groups after the circuits.
    virtual std::string GroupText(int word, const ParameterSet& set) const;
    virtual std::string NameText(int word) const;
    // The formatted value of the row that covers the word, or an empty text
    // when the parameter does not apply to the set's variant or its settings.
    virtual std::string ValueText(int word, const ParameterSet& set) const;
};

// The enumerator the report uses unless it is given another one.
const CParameterEnumerationInterface& DefaultParameterEnumeration();

// The first word of the row that covers a word: the word itself, or the one
// before it for the second word of a two-word value.
int ParameterRowStart(int word);
