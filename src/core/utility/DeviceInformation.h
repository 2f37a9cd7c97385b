#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CMeasurandsKTA;
class CModbusInterface;

// The device information window and its "Tag No." flow. Reads and writes
// take the connection's access lock, open the connection unless it is open
// and close what they opened; communication errors throw.

// The window's read: the identity, then the stored passcode (QH: 8993-8994,
// never swapped; others: 5333-5334 in the order of register 5735).
void ReadDeviceInformation(CModbusInterface& connection, CMeasurandsKTA& image);

// The window's rows in order: name string id and the image item whose text
// the row shows ("Tag No." 1878, "Modbus passcode" 1877, "Model" 1873,
// "Serial" 1875, "Firmware version" 1874, "Support information" 1876).
struct DeviceInformationRow {
    int nameId;
    int item;
};
const std::array<DeviceInformationRow, 6>& DeviceInformationRows();

struct DeviceInformationText {
    std::string name;
    std::string text;
};
std::vector<DeviceInformationText> DeviceInformationTexts(const CMeasurandsKTA& image);

// "Tag No. Setting" opening: the tag as text; on a protected device the
// passcode input is cleared (the family's own registers on QH).
std::string ReadTagSetting(CModbusInterface& connection);

// OK of "Tag No. Setting": unlocks (passcode prompt when protected), writes
// the tag to 9606-9613 and restores the protection. False when refused.
bool WriteTag(CModbusInterface& connection, const std::string& text);

// A tag as its eight registers: UTF-8 cut to 16 bytes at a character
// boundary, NUL padded, first character in the high byte.
std::array<std::uint16_t, 8> TagRegisters(const std::string& text);
// The 16 bytes of the registers as the image renders them.
std::string TagText(const std::array<std::uint16_t, 8>& registers);
