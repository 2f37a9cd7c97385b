#include "utility/CConnectionBracket.h"

#include "comm/CModbusInterface.h"

CConnectionBracket::CConnectionBracket(CModbusInterface& connection)
    : connection_(connection), opened_(!connection.IsOpen())
{
    if (opened_)
        connection_.Open();
}

CConnectionBracket::~CConnectionBracket()
{
    if (opened_)
        connection_.Close();
}
