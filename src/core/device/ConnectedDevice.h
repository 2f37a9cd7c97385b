#pragma once

#include "device/CDeviceType.h"

class CModbusInterface;

// Holds a connection open for one series of requests and closes it however
// the series ends.
class COpenConnection {
public:
    explicit COpenConnection(CModbusInterface& connection);
    ~COpenConnection();
    COpenConnection(const COpenConnection&) = delete;
    COpenConnection& operator=(const COpenConnection&) = delete;

private:
    CModbusInterface& connection_;
};

// Opens the connection, identifies the connected device and closes the
// connection again. A device the catalogue does not know throws 11023; open
// and read errors pass unchanged.
CDeviceType IdentifyConnectedDevice(CModbusInterface& connection);
