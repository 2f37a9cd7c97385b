#include <gtest/gtest.h>

#include "device/CDeviceType.h"
#include "support/CatalogueIds.h"
#include "text/CStringTable.h"

namespace {

// What a test constant's name claims: the identity a device of that row
// reports, the family and generation bits the row must have and must not
// have, and its display text.
struct NamedRow {
    const char* name;
    int typeId;
    std::uint16_t model;
    std::uint16_t firmware;
    std::uint16_t option;
    IoWords io;
    Capabilities has;
    Capabilities lacks;
    const char* text;
};

constexpr Capabilities kModbusDoDi = CapModbusRtu | CapDo1 | CapDi1;
constexpr Capabilities kFourAo = CapAo1 | CapAo2 | CapAo3 | CapAo4;

// clang-format off
const NamedRow kRows[] = {
    {"kKtaGen1Modbus", kKtaGen1Modbus, 4711, 102, 0x0000, {0, 0, 0, 0, 0},
     CapKta | kModbusDoDi, CapKtaGen2, "KTA-|1**1 Modbus, Do x1, Di x1|Ver.1.02 or earlier"},
    {"kKtaGen2Modbus", kKtaGen2Modbus, 4711, 200, 0x0002, {1, 1, 0, 0, 0},
     CapKtaGen2 | kModbusDoDi, CapGen3, "KTA-|1**1 Modbus, Do x1, Di x1|Ver.2.00 to 2.31"},
    {"kKtaGen2Ao4to20mA", kKtaGen2Ao4to20mA, 4711, 231, 0x0001, {0, 0, 4, 0, 0},
     CapKtaGen2 | kFourAo | CapAo4to20mA, CapGen3 | CapAnyDo, "KTA-|1**2 Ao 4-20mA x4|Ver.2.31 or earlier"},
    {"kKtaGen2Do4", kKtaGen2Do4, 4711, 231, 0x0000, {0, 4, 0, 0, 0},
     CapKtaGen2 | CapAnyDo, CapGen3 | CapAnyAo, "KTA-|1**9 Do x4|Ver.2.31 or earlier"},
    {"kKtaGen3Modbus", kKtaGen3Modbus, 4711, 240, 0x0002, {1, 1, 0, 0, 0},
     CapKtaGen2 | CapGen3 | kModbusDoDi, CapAnyAo, "KTA-|1**1 Modbus, Do x1, Di x1|Ver.2.40 or later"},
    {"kKtaGen3Ao2", kKtaGen3Ao2, 4711, 240, 0x0001, {1, 1, 2, 0, 0},
     CapGen3 | CapAo1 | CapAo2 | CapAo4to20mA | CapDo1 | CapDi1, CapAo3, "KTA-|1**4 Ao 4-20mA x2, Do x1, Di x1|Ver.2.40 or later"},

    {"kKtbGen1Modbus", kKtbGen1Modbus, 4721, 103, 0x0002, {0, 0, 0, 0, 0},
     CapKtb | kModbusDoDi, CapKtbGen2, "KTB-|1**1 Modbus, Do x1, Di x1|Ver.1.03 or earlier"},
    {"kKtbGen1Ao4to20mA", kKtbGen1Ao4to20mA, 4721, 103, 0x0001, {0, 0, 0, 0, 0},
     CapKtb | kFourAo | CapAo4to20mA, CapKtbGen2, "KTB-|1**2/7 Ao 4-20mA x4, Do x1, Di x1|Ver.1.03 or earlier"},
    {"kKtbGen1Ao1to5V", kKtbGen1Ao1to5V, 4721, 103, 0x0004, {0, 0, 0, 0, 0},
     CapKtb | kFourAo | CapAo1to5V, CapKtbGen2, "KTB-|1**3/8 Ao 1-5V x4, Do x1, Di x1|Ver.1.03 or earlier"},
    {"kKtbGen2Modbus", kKtbGen2Modbus, 4721, 200, 0x0002, {1, 1, 0, 0, 0},
     CapKtbGen2 | kModbusDoDi, CapKtbV3 | Cap3P4W, "KTB-|1**1 Modbus, Do x1, Di x1|Ver.2.00 to 2.20"},
    {"kKtb3P4WModbus", kKtb3P4WModbus, 4721, 300, 0x0012, {1, 1, 0, 0, 0},
     CapKtbGen2 | Cap3P4W | kModbusDoDi, CapAnyAo, "KTB-|2**1 3P4W, Modbus, Do x1, Di x1"},
    {"kKtb3P4WAo4to20mA", kKtb3P4WAo4to20mA, 4721, 300, 0x0011, {1, 1, 4, 0, 0},
     CapKtbGen2 | Cap3P4W | kFourAo | CapAo4to20mA, CapAo1to5V, "KTB-|2**2/7 3P4W, Ao 4-20mA x4, Do x1, Di x1"},
    {"kKtb3P4WAo1to5V", kKtb3P4WAo1to5V, 4721, 300, 0x0014, {1, 1, 4, 0, 0},
     CapKtbGen2 | Cap3P4W | kFourAo | CapAo1to5V, CapAo4to20mA, "KTB-|2**3/8 3P4W, Ao 1-5V x4, Do x1, Di x1"},
    {"kKtbGen3Modbus", kKtbGen3Modbus, 4721, 300, 0x0002, {1, 1, 0, 0, 0},
     CapKtbGen2 | CapKtbV3 | kModbusDoDi, Cap3P4W, "KTB-|1**1 Modbus, Do x1, Di x1|Ver.3.00 or later"},
    {"kKtblGen1LonWorks", kKtblGen1LonWorks, 4721, 102, 0x0080, {1, 1, 0, 0, 0},
     CapKtb | CapLonWorks | CapDo1 | CapDi1, CapKtbV3 | CapModbusRtu, "KTBL-|1**1 LonWorks, Do x1, Di x1|Ver.1.02 or earlier"},

    {"kLktaModbus", kLktaModbus, 4712, 100, 0x0002, {1, 1, 0, 0, 0},
     CapLkta | kModbusDoDi, CapAnyAo, "LKTA-|1**1 Modbus, Do x1, Di x1"},
    {"kLktaAo2", kLktaAo2, 4712, 100, 0x0001, {1, 1, 2, 0, 0},
     CapLkta | CapAo1 | CapAo2 | CapAo4to20mA | CapDo1 | CapDi1, CapAo3, "LKTA-|1**4 Ao 4-20mA x2, Do x1, Di x1"},

    {"kQgLonWorksCounter", kQgLonWorksCounter, 4731, 100, 0x0090, {0, 0, 0, 1, 4},
     CapQg | CapLonWorks, CapQgInput, "QGLPW-|21* 3P4W, LonWorks, Counter x4"},
    {"kQgCcLinkCounter", kQgCcLinkCounter, 4731, 100, 0x0110, {0, 0, 0, 1, 4},
     CapQg, CapQgInput | CapFieldModbus, "QGCPW-|21* 3P4W, CC-Link, Counter x4"},
    {"kQgCcLinkInput2", kQgCcLinkInput2, 4731, 100, 0x0110, {0, 0, 0, 2, 8},
     CapQg | CapQgInput, CapFieldModbus, "QGCPW-|22* 3P4W, CC-Link, Input x2"},
    {"kQgModbusCounter", kQgModbusCounter, 4731, 100, 0x0012, {0, 0, 0, 1, 4},
     CapQg | CapFieldModbus, CapQgInput, "QGMPW-|21* 3P4W, Modbus, Counter x4"},
    {"kQgModbusInput2", kQgModbusInput2, 4731, 100, 0x0012, {0, 0, 0, 2, 8},
     CapQg | CapQgInput | CapFieldModbus, 0, "QGMPW-|22* 3P4W, Modbus, Input x2"},

    {"kQhModbus", kQhModbus, 4741, 100, 0x0002, {0, 0, 0, 8, 0},
     CapQhBase | CapFieldModbus, CapQhExt, "QHMPW-|2*** Modbus, Input x8"},
    {"kQhTcp", kQhTcp, 4741, 100, 0x0400, {0, 0, 0, 8, 0},
     CapQhBase | CapModbusTcp, CapQhExt, "QHEPW-|2*** Modbus/TCP, Input x8"},
    {"kQhModbusEx8", kQhModbusEx8, 4741, 100, 0x0002, {0, 0, 0, 16, 0},
     CapQhBase | CapQhExt | CapFieldModbus, 0, "QHMPW-|2*** Modbus, Input x8, +QHPW-EX8(Input x8)"},

    {"kZmModbus", kZmModbus, 4751, 100, 0x0002, {0, 0, 0, 1, 0},
     CapZm | CapZmZnModbus, CapZmAo | CapZmpv, "ZMPW-|1*3 Modbus"},
    {"kZmAo", kZmAo, 4751, 100, 0x0005, {0, 0, 1, 1, 0},
     CapZm | CapZmAo | CapAo1, CapAnyDo, "ZMPW-|1*1 Ao x1"},
    {"kZmDo", kZmDo, 4751, 100, 0x0000, {0, 1, 0, 1, 0},
     CapZm | CapDo1 | CapDoBlock, CapZmAo, "ZMPW-|1*2 Do x1"},
    {"kZmpvModbus", kZmpvModbus, 4751, 100, 0x0802, {0, 0, 0, 1, 0},
     CapZm | CapZmpv | CapZmZnModbus, CapZmAo, "ZMPV-|1*3 Modbus"},

    {"kZnpw", kZnpw, 4761, 100, 0x0002, {0, 2, 0, 4, 0},
     CapZnpw, CapZnpwU | CapZnepw, "ZNPW-|2*3 Modbus, Do x2"},
    {"kZnepw", kZnepw, 4762, 100, 0x0002, {0, 2, 0, 4, 0},
     CapZnepw, CapZnpw, "ZNEPW-|2*3 Modbus, Do x2"},
    {"kZnpwU", kZnpwU, 4761, 100, 0x1002, {0, 2, 0, 4, 0},
     CapZnpw | CapZnpwU, CapZnepw, "ZNPW-U-|2*3 Modbus, Do x2"},
};
// clang-format on

class CatalogueIds : public ::testing::TestWithParam<NamedRow> {};

TEST_P(CatalogueIds, NameMatchesTheRowADeviceOfThatKindResolvesTo)
{
    const NamedRow& row = GetParam();
    CDeviceType device;
    device.modelCode = row.model;
    device.firmwareVersion = row.firmware;
    device.optionCode = row.option;
    device.ioWords = row.io;
    device.Resolve();
    EXPECT_EQ(device.TypeId(), row.typeId);

    const DeviceTypeRecord* record = CatalogueRecordOfTypeId(row.typeId);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Caps() & row.has, row.has);
    EXPECT_EQ(record->Caps() & row.lacks, 0u);
    EXPECT_EQ(LoadText(DeviceTypeTextId(row.typeId)), row.text);
}

INSTANTIATE_TEST_SUITE_P(EveryTestConstant, CatalogueIds, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name + 1); });

} // namespace
