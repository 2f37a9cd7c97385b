#pragma once

#include <array>
#include <cstdint>
#include <string>

struct ParameterSet;

// A measured quantity of the external bar graph: its limits in scaled units
// and the words of its 100 % and 0 % values (32 bit each).
struct BarQuantity {
    int nameId;
    std::int64_t minimum;
    std::int64_t maximum;
    int scale;
    int unitId;
    int fullWord;
    int zeroWord;
};

constexpr int kBarQuantityCount = 9;

// I, U, P, Q, S, PF, F, THD, PHASE DIF.
const std::array<BarQuantity, kBarQuantityCount>& BarQuantities();

enum class BarEnd { Full = 1, Zero = 2 }; // the list column of the value

int BarWord(const BarQuantity& quantity, BarEnd end);
// "5.000 (A)": the value with the scale's decimals, a blank and the unit.
std::string BarCellText(const BarQuantity& quantity, const ParameterSet& set, BarEnd end);
// Reads a typed value with the quantity's limits and stores it; throws the
// numeric field reader's message and leaves the set as it was on failure.
void StoreBarValue(const BarQuantity& quantity, BarEnd end, const std::string& text,
                   ParameterSet& set);
