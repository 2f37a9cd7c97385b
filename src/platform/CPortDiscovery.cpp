#include "CPortDiscovery.h"

#include <QSerialPortInfo>

#include <cstdio>

namespace {

std::string UsbId(bool present, quint16 id)
{
    if (!present)
        return {};
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(id));
    return text;
}

} // namespace

CSerialPortList CPortDiscovery::Enumerate()
{
    CSerialPortList list;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        const std::string portName = info.portName().toStdString();
        SerialPortEntry entry;
        entry.path = info.systemLocation().toStdString();
        entry.displayName = PortDisplayName(info.description().toStdString(), portName);
        entry.vendorId = UsbId(info.hasVendorIdentifier(), info.vendorIdentifier());
        entry.productId = UsbId(info.hasProductIdentifier(), info.productIdentifier());
        list.Store(portName, std::move(entry));
    }
    return list;
}
