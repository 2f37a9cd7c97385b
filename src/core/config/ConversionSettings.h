#pragma once

#include <string>
#include <vector>

#include "device/Capabilities.h"
#include "grid/CGridModel.h"
#include "text/NumericFieldReader.h"

struct ParameterSet;

namespace ConvControl {
constexpr int Grid = 1197;
} // namespace ConvControl

constexpr int kConversionCircuits = 4;

enum class ConversionRow { Coefficient = 1, Unit = 2 };

// A value cell of the conversion grid and the first of its two words.
struct ConversionCell {
    int column = 0;
    int row = 0;
    int word = 0;
    ConversionRow kind = ConversionRow::Coefficient;
};

// Circuits A-D across, the coefficient row and, on ZNEPW, the unit row.
struct ConversionGridLayout {
    std::vector<GridHeaderCell> headers;
    std::vector<ConversionCell> cells;

    const ConversionCell* CellAt(int column, int row) const;
};
ConversionGridLayout ConversionGridFor(Capabilities caps);

const NumericField& ConversionCoefficientLimits();

std::string ConversionCellText(const ConversionCell& cell, const ParameterSet& set);

// The message id a unit text breaks, checked in this order: 11041 longer than
// four characters, 11043 a character outside blank, k, digits, A-Z, / - + [ ],
// 11044 more than one k, 11042 four characters without k or blank, 11047
// nothing but blanks, 11048 ending in a blank or k. 0 when the unit is valid.
int ConversionUnitError(const std::string& text);
// The unit as stored: left-padded with blanks to four characters.
std::string PaddedConversionUnit(const std::string& text);

// Stores a cell typed in place; throws CPrivateException with the message
// when the text is refused, leaving the set unchanged.
void ApplyConversionCell(const ConversionCell& cell, const std::string& text, ParameterSet& set);
