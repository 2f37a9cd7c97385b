#include "CliTransfer.h"

#include "device/ParameterTransfer.h"

bool UploadParameterSet(CModbusInterface& connection, ParameterSet& set, IProgressSink& sink)
{
    return ReadFromDevice(set, connection, sink);
}

void DownloadParameterSet(CModbusInterface& connection, const ParameterSet& set,
                          const std::function<void(CProgressThread::Transfer)>& runJob)
{
    runJob([&](IProgressSink& sink) { return WriteToDevice(set, connection, sink); });
}
