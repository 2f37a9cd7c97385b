#pragma once

// Type ids of the catalogue rows the tests use, each with its display text.
// A name is family, firmware generation (the family's first, second or third
// firmware range in the catalogue) and variant: "Modbus" is the family's 1**1
// variant, Modbus with one Do and one Di; a variant named by an analog-output
// type has four such outputs; "Ao2" has two of 4-20 mA, one Do and one Di.
// tests/unit/device/CatalogueIdsTest.cpp pins every id to its row, so a name
// cannot drift from what it says.

// KTA, model code 4711
constexpr int kKtaGen1Modbus = 0;    // "KTA-|1**1 Modbus, Do x1, Di x1|Ver.1.02 or earlier"
constexpr int kKtaGen2Modbus = 4;    // "KTA-|1**1 Modbus, Do x1, Di x1|Ver.2.00 to 2.31"
constexpr int kKtaGen2Ao4to20mA = 5; // "KTA-|1**2 Ao 4-20mA x4|Ver.2.31 or earlier"
constexpr int kKtaGen2Do4 = 12;      // "KTA-|1**9 Do x4|Ver.2.31 or earlier"
constexpr int kKtaGen3Modbus = 70;   // "KTA-|1**1 Modbus, Do x1, Di x1|Ver.2.40 or later"
constexpr int kKtaGen3Ao2 = 73;      // "KTA-|1**4 Ao 4-20mA x2, Do x1, Di x1|Ver.2.40 or later"

// KTB, model code 4721
constexpr int kKtbGen1Modbus = 1;    // "KTB-|1**1 Modbus, Do x1, Di x1|Ver.1.03 or earlier"
constexpr int kKtbGen1Ao4to20mA = 2; // "KTB-|1**2/7 Ao 4-20mA x4, Do x1, Di x1|Ver.1.03 or earlier"
constexpr int kKtbGen1Ao1to5V = 3;   // "KTB-|1**3/8 Ao 1-5V x4, Do x1, Di x1|Ver.1.03 or earlier"
constexpr int kKtbGen2Modbus = 13;   // "KTB-|1**1 Modbus, Do x1, Di x1|Ver.2.00 to 2.20"
constexpr int kKtb3P4WModbus = 19;   // "KTB-|2**1 3P4W, Modbus, Do x1, Di x1"
constexpr int kKtb3P4WAo4to20mA = 20; // "KTB-|2**2/7 3P4W, Ao 4-20mA x4, Do x1, Di x1"
constexpr int kKtb3P4WAo1to5V = 21;   // "KTB-|2**3/8 3P4W, Ao 1-5V x4, Do x1, Di x1"
constexpr int kKtbGen3Modbus = 39;    // "KTB-|1**1 Modbus, Do x1, Di x1|Ver.3.00 or later"

// KTBL, model code 4721 with the LonWorks option
constexpr int kKtblGen1LonWorks = 25; // "KTBL-|1**1 LonWorks, Do x1, Di x1|Ver.1.02 or earlier"

// LKTA, model code 4712
constexpr int kLktaModbus = 49; // "LKTA-|1**1 Modbus, Do x1, Di x1"
constexpr int kLktaAo2 = 53;    // "LKTA-|1**4 Ao 4-20mA x2, Do x1, Di x1"

// QG, model code 4731
constexpr int kQgLonWorksCounter = 33; // "QGLPW-|21* 3P4W, LonWorks, Counter x4"
constexpr int kQgCcLinkCounter = 35;   // "QGCPW-|21* 3P4W, CC-Link, Counter x4"
constexpr int kQgCcLinkInput2 = 36;    // "QGCPW-|22* 3P4W, CC-Link, Input x2"
constexpr int kQgModbusCounter = 37;   // "QGMPW-|21* 3P4W, Modbus, Counter x4"
constexpr int kQgModbusInput2 = 38;    // "QGMPW-|22* 3P4W, Modbus, Input x2"

// QH, model code 4741
constexpr int kQhModbus = 52;    // "QHMPW-|2*** Modbus, Input x8"
constexpr int kQhTcp = 61;       // "QHEPW-|2*** Modbus/TCP, Input x8"
constexpr int kQhModbusEx8 = 64; // "QHMPW-|2*** Modbus, Input x8, +QHPW-EX8(Input x8)"

// ZM, model code 4751
constexpr int kZmModbus = 79;   // "ZMPW-|1*3 Modbus"
constexpr int kZmAo = 80;       // "ZMPW-|1*1 Ao x1"
constexpr int kZmDo = 81;       // "ZMPW-|1*2 Do x1"
constexpr int kZmpvModbus = 82; // "ZMPV-|1*3 Modbus"

// ZN, model codes 4761 (ZNPW) and 4762 (ZNEPW)
constexpr int kZnpw = 83;  // "ZNPW-|2*3 Modbus, Do x2"
constexpr int kZnepw = 84; // "ZNEPW-|2*3 Modbus, Do x2"
constexpr int kZnpwU = 85; // "ZNPW-U-|2*3 Modbus, Do x2"
