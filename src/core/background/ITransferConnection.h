#pragma once

// The connection a transfer job brackets: the Modbus master of the one
// command that runs the job. No access lock is taken; nothing else uses it.
class ITransferConnection {
public:
    virtual ~ITransferConnection() = default;
    // Failures throw CPrivateException.
    virtual void Open() = 0;
    // Also called after a failed Open.
    virtual void Close() = 0;
    // Called from another thread when the user cancels: ends the request in
    // flight without further attempts (serial: the abort flag; Modbus/TCP: only
    // while a blocking call runs, the abort flag and the cancelled call). It may
    // arrive while the job closes the connection.
    virtual void AbortForCancel() = 0;
};
