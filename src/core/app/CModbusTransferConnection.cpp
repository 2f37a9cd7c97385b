#include "app/CModbusTransferConnection.h"

#include "comm/CModbusInterface.h"

void CModbusTransferConnection::Open()
{
    master_.Open();
}

void CModbusTransferConnection::Close()
{
    master_.Close();
}

void CModbusTransferConnection::AbortForCancel()
{
    master_.Abort();
}
