#pragma once

#include "background/ITransferConnection.h"

class CModbusInterface;

// The Modbus master of one command as the connection of a transfer job.
class CModbusTransferConnection : public ITransferConnection {
public:
    // Not owned: the master outlives the job.
    explicit CModbusTransferConnection(CModbusInterface& master) : master_(master) {}

    void Open() override;
    void Close() override;
    // The master ends the request in flight: a serial read at its response or
    // time-out, a Modbus/TCP wait at once.
    void AbortForCancel() override;

private:
    CModbusInterface& master_;
};
