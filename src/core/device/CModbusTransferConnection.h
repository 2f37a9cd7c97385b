#pragma once

#include "background/ITransferConnection.h"

class CModbusInterface;

// The Modbus master of one command as the connection of its transfer job.
class CModbusTransferConnection : public ITransferConnection {
public:
    // Not owned: the command's interface outlives the job.
    explicit CModbusTransferConnection(CModbusInterface& connection) : connection_(connection) {}

    void Open() override;
    void Close() override;
    void AbortForCancel() override;

private:
    CModbusInterface& connection_;
};
