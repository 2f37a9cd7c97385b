#pragma once

#include <QKeyEvent>

#include "edit/EditOutcome.h"

// The editor key of a Qt key press; keys with Ctrl, Alt or Shift (other than
// Shift+Tab) are ordinary editing.
EditKey EditKeyOf(const QKeyEvent& event);
