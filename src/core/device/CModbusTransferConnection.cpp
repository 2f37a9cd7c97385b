#include "device/CModbusTransferConnection.h"

#include "comm/CModbusInterface.h"

void CModbusTransferConnection::Open()
{
    connection_.Open();
}

void CModbusTransferConnection::Close()
{
    connection_.Close();
}

void CModbusTransferConnection::AbortForCancel()
{
    connection_.Abort();
}
