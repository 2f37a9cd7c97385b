#include "device/ConnectedDevice.h"

#include "comm/CModbusInterface.h"

COpenConnection::COpenConnection(CModbusInterface& connection) : connection_(connection)
{
    try {
        connection_.Open();
    } catch (...) {
        // A half-opened transport is not left behind for the next user.
        connection_.Close();
        throw;
    }
}

COpenConnection::~COpenConnection()
{
    connection_.Close();
}

CDeviceType IdentifyConnectedDevice(CModbusInterface& connection)
{
    COpenConnection open(connection);
    CDeviceType device;
    device.Identify(connection);
    return device;
}
