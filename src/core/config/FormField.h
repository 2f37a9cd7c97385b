#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "text/NumericFieldReader.h"

// Told the control id of a refused value, so that the dialog can put the
// focus there.
using FocusControl = std::function<void(int controlId)>;

// Reads one edit of a settings form with the numeric field reader. A refused
// value is passed to `focus` with the edit's control id before the reader's
// message is thrown.
std::int64_t ReadFormField(const std::string& text, const NumericField& field, int controlId,
                           const FocusControl& focus);
