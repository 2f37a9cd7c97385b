#pragma once

#include <vector>

#include "device/Capabilities.h"
#include "device/ParameterWords.h"

struct ParameterSet;

// The lines of the six sigma screens: 4 lines each, stored as display item
// codes in words 4-27. Codes below 100 are measured values, 100-119 the
// energy items, 210-213 and 310-313 the peak and off-peak energy items.
constexpr int kSigmaFirstWord = ParameterWord::FirstSigmaLine;
constexpr int kSigmaLinesPerScreen = 4;
constexpr int kSigmaRowsMax = ParameterWord::SigmaLines;

// 24 rows (Sigma1-6) on KTB, else 16 (Sigma1-4).
int SigmaRowCount(Capabilities caps);
int SigmaRowWord(int row);
int SigmaRowNameId(int row); // "Sigma1 line1" ...
// The capability mask that makes a row editable: lines 1-3 of Sigma1-4 on
// KTB and second-generation KTA, line 4 and Sigma5-6 on KTB only.
Capabilities SigmaRowMask(int row);
bool SigmaRowEditable(Capabilities caps, int row);

// Text of a stored item code; 0 for a code without a text.
int SigmaItemTextId(int code);

// The codes a row's drop-down list offers, in list order, and how many of
// them are measured values (the energy items follow those).
struct SigmaItemList {
    std::vector<int> codes;
    int measuredCount = 0;
};
SigmaItemList SigmaItemsFor(Capabilities caps, int row);

// List position of a stored code: measured values by their place in the
// list, energy items after them (100-209: c - 100, 210-309: c - 190, from 310:
// c - 286, each plus the measured count). -1 when the list does not offer it.
int SigmaListPosition(const SigmaItemList& list, int code);
// The code of a list position, or -1.
int SigmaCodeAt(const SigmaItemList& list, int position);

// Stores the code of the list entry chosen on a row. A row the variant cannot
// change, or an entry its list does not have, stores nothing: false.
bool StoreSigmaChoice(ParameterSet& set, int row, int listIndex);
