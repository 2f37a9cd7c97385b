#pragma once

#include <string>
#include <string_view>

#include "device/ParameterSet.h"

constexpr int kUnitTextChars = 4;

// A unit name for a converted value, four characters over words n and n+1:
// the first character in the high byte of word n, the second in its low byte,
// the third and fourth likewise in word n+1 (the byte order of IPv4 words).
// Shorter texts are left-padded with blanks; longer ones are cut to four bytes
// without splitting a multibyte character.
void SetUnitText(ParameterSet& set, int word, std::string_view text);

// The four characters as stored; NUL bytes (a never-set unit) are dropped.
std::string UnitText(const ParameterSet& set, int word);
