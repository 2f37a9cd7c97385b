#include "CliTransfer.h"

#include "app/CPrivateException.h"
#include "device/CPasscodeProtection.h"
#include "device/ParameterTransfer.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

// The passcode unlock is the first part of a download, and its failures read like the
// download's own.
bool Unlock(CPasscodeProtection& protection, CModbusInterface& connection)
{
    try {
        return protection.Unlock(connection);
    } catch (const CPrivateException& e) {
        if (e.IsAbort())
            throw;
        throw CPrivateException(FormatText(TextId::TransferCommunicationError, {e.Text()}),
                                e.Kind());
    }
}

} // namespace

bool UploadParameterSet(CModbusInterface& connection, ParameterSet& set, IProgressSink& sink)
{
    return ReadFromDevice(set, connection, sink);
}

void DownloadParameterSet(CModbusInterface& connection, const ParameterSet& set,
                          const std::function<void(CProgressThread::Transfer)>& runJob,
                          std::optional<DownloadVerification>* verification)
{
    CPasscodeProtection protection;
    if (!Unlock(protection, connection))
        throw CPrivateException::Aborted();
    // A failed or cancelled job leaves the locking to the destructor, which
    // keeps the job's error rather than one of its own.
    runJob([&](IProgressSink& sink) {
        WrittenWords written;
        if (!WriteToDevice(set, connection, sink, written))
            return false;
        if (!verification)
            return true;
        *verification = VerifyDownload(connection, set, written, sink);
        return verification->has_value();
    });
    protection.Lock();
}
