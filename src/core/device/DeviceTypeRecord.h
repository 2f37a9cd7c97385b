#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "device/Capabilities.h"

using IoWords = std::array<std::uint16_t, 5>;

// One row of the device-type catalogue.
struct DeviceTypeRecord {
    int typeId;
    std::uint16_t modelCode;
    std::uint16_t versionMin; // inclusive
    std::uint16_t versionMax; // inclusive
    std::uint16_t optionCode;
    IoWords ioWords;
    IoWords altIoWords; // first word 0xFFFF: no alternative set
    std::uint32_t capsLow;
    std::uint32_t capsHigh;

    Capabilities Caps() const { return CapMask(capsLow, capsHigh); }
    bool HasAlternativeIo() const { return altIoWords[0] != 0xFFFF; }
};

constexpr int kDeviceTypeCount = 86;
constexpr std::uint16_t kOptionCodeMask = 0x1D97;

// The catalogue in storage order: type-id order except that the last rows hold
// type ids 80, 81, 79, 82, 83, 85, 84. Row index and type id are different
// things; use the lookups below.
const std::array<DeviceTypeRecord, kDeviceTypeCount>& DeviceCatalogue();

// Row index of a type id, or -1.
int CatalogueRowOfTypeId(int typeId);
// Row of a type id, or nullptr.
const DeviceTypeRecord* CatalogueRecordOfTypeId(int typeId);

// String-table id of a type id's display text ("prefix|suffix|firmware").
int DeviceTypeTextId(int typeId);

// The variants a user can pick without a device, in display order: (text id, type id).
const std::vector<std::pair<int, int>>& DeviceSelectionList();

// The three "|"-separated fields of a display text; missing fields are empty.
struct DeviceTypeText {
    std::string model;
    std::string suffix;
    std::string firmware;
};
DeviceTypeText SplitDeviceTypeText(const std::string& text);
