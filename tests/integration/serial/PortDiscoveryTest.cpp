#include <gtest/gtest.h>

#include <QSerialPortInfo>

#include "CPortDiscovery.h"

TEST(PortDiscovery, ListsEverySystemPortOnceWithAnOpenablePathAndAName)
{
    const CSerialPortList list = CPortDiscovery::Enumerate();
    const auto ports = QSerialPortInfo::availablePorts();
    ASSERT_EQ(list.Count(), static_cast<int>(ports.size()));
    for (const QSerialPortInfo& info : ports) {
        const std::string path = info.systemLocation().toStdString();
        int found = -1;
        for (int i = 0; i < list.Count(); ++i) {
            if (list.PathAt(i) == path)
                found = i;
        }
        ASSERT_GE(found, 0) << path;
        const std::string shown = list.DisplayNameAt(found);
        EXPECT_NE(shown.find(info.portName().toStdString()), std::string::npos) << shown;
        const SerialPortEntry entry = list.Entries()[static_cast<std::size_t>(found)];
        EXPECT_EQ(entry.vendorId.size(), info.hasVendorIdentifier() ? 4u : 0u);
        EXPECT_EQ(entry.productId.size(), info.hasProductIdentifier() ? 4u : 0u);
    }
}
