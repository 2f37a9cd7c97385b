#pragma once

#include <functional>
#include <optional>

#include "background/CProgressThread.h"
#include "device/DownloadVerify.h"
#include "device/ParameterSet.h"

class CModbusInterface;

// Upload as the progress job runs it: identifies the device and reads its
// whole parameter set. False when cancelled.
bool UploadParameterSet(CModbusInterface& connection, ParameterSet& set, IProgressSink& sink);

// Download as the configuration window runs it: unlocks the device's passcode
// protection (asking through the prompt service when it is set), hands the
// write of set to runJob, and restores the protection whatever the job did.
// A declined or wrong passcode throws an empty CPrivateException; the
// mismatch message has then been shown. With verification given, the same
// job then reads the written words back and leaves the result there.
void DownloadParameterSet(CModbusInterface& connection, const ParameterSet& set,
                          const std::function<void(CProgressThread::Transfer)>& runJob,
                          std::optional<DownloadVerification>* verification = nullptr);
