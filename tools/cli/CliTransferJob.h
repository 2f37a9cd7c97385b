#pragma once

#include "background/CProgressThread.h"

class CModbusInterface;

// Runs an upload or download like the progress window does: on a job thread
// that opens and closes the connection, with a bar on the terminal when
// showProgress is set. Ctrl-C or SIGTERM cancel the transfer at its next step
// instead of killing the process, so the caller can still restore the
// device's protection. Throws CPrivateException with the job's error text, or
// an empty one when cancelled.
void RunTransferJob(CModbusInterface& connection, TransferOperation operation,
                    CProgressThread::Transfer transfer, bool showProgress);
