#pragma once

#include <functional>
#include <string>
#include <vector>

#include "device/Capabilities.h"
#include "text/NumericFieldReader.h"

struct ParameterSet;

// An edit of the main window, the word it stores and its limits.
struct ReadBackField {
    int controlId = 0;
    int word = 0;
    bool wide = false; // 32 bit over word and word + 1
    NumericField limits;
};

// Every numeric edit of the main window, in reading order.
const std::vector<ReadBackField>& MainReadBackFields();
// The edits that are read for a device (CT edits only on the VT/CT layout,
// bar-graph edits on KTA, demand edits except on ZN).
std::vector<ReadBackField> ReadBackFieldsFor(Capabilities caps);

// What the read-back needs from the window.
struct ReadBackSource {
    std::function<std::string(int controlId)> text;
    // Called with the failing edit before its message is thrown.
    std::function<void(int controlId)> focus;
    int currentSourceCount = 1;
    int currentSourceIndex = 0;
    int powerSourceCount = 1;
    int powerSourceIndex = 0;
};

// Reads the edits into the set in order; the first invalid one throws the
// numeric field reader's message and leaves the later words untouched.
void ReadBackControls(ParameterSet& set, Capabilities caps, const ReadBackSource& source);
