#include "app/RunTransfer.h"

#include "app/CModbusTransferConnection.h"
#include "app/CPrivateException.h"
#include "app/CProgressDialog.h"
#include "comm/CModbusInterface.h"
#include "device/ParameterSet.h"
#include "device/ParameterTransfer.h"
#include "widgets/ModalRunner.h"

bool RunTransfer(CModbusInterface& master, ParameterSet& parameters, TransferOperation operation,
                 const ParameterTransfer& transfer, QWidget* parent)
{
    ParameterSet record = parameters;
    CModbusTransferConnection connection(master);
    CProgressDialog::Link link;
    link.infrared = master.Settings().Mode() == ConnectionMode::Infrared;
    link.successRate = [&master] { return master.SuccessRate(); };
    CProgressDialog dialog(
        operation, connection, [&](IProgressSink& sink) { return transfer(master, record, sink); },
        link, parent);
    dialog.Start();
    const int result = RunModal(dialog);
    if (result != QDialog::Accepted || dialog.Outcome() == TransferOutcome::Cancelled)
        return false;
    if (!dialog.ErrorText().empty())
        throw CPrivateException(dialog.ErrorText());
    if (operation == TransferOperation::Read)
        parameters = record;
    return true;
}

bool RunTransfer(CModbusInterface& master, ParameterSet& parameters, TransferOperation operation,
                 QWidget* parent)
{
    return RunTransfer(
        master, parameters, operation,
        [operation](CModbusInterface& m, ParameterSet& set, IProgressSink& sink) {
            return operation == TransferOperation::Read ? ReadFromDevice(set, m, sink)
                                                        : WriteToDevice(set, m, sink);
        },
        parent);
}
