#pragma once

#include <functional>

#include "background/CProgressThread.h"

class CModbusInterface;
class IProgressSink;
class QWidget;
struct ParameterSet;

// The transfer a progress window runs on its job thread: reads the device
// into parameters (upload) or writes parameters to it (download), reporting
// to sink after each step. Returns false when it stopped for a cancel.
using ParameterTransfer =
    std::function<bool(CModbusInterface& master, ParameterSet& parameters, IProgressSink& sink)>;

// Runs an upload or download under the progress window. The window works on
// its own copy of the set: an upload replaces the caller's set only when it
// completed. Returns false when the user cancelled (nothing is shown);
// throws CPrivateException with the job's error after the window has closed.
bool RunTransfer(CModbusInterface& master, ParameterSet& parameters, TransferOperation operation,
                 const ParameterTransfer& transfer, QWidget* parent = nullptr);

// The upload or download of the whole parameter set (ReadFromDevice /
// WriteToDevice) under the progress window. A download's passcode unlock is
// the caller's, before this.
bool RunTransfer(CModbusInterface& master, ParameterSet& parameters, TransferOperation operation,
                 QWidget* parent = nullptr);
