#include "utility/DeviceInformation.h"

#include <algorithm>
#include <string_view>

#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "device/CDeviceType.h"
#include "device/CPasscodeProtection.h"
#include "device/DeviceRegisters.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/DeviceText.h"
#include "text/CStringTable.h"
#include "utility/CConnectionBracket.h"
#include "utility/ImageIdentity.h"
#include "utility/RegisterIo.h"
#include "utility/UtilityRegisters.h"

using namespace RegisterIo;

namespace {

constexpr std::size_t kTagBytes = 16;

// Length of the UTF-8 sequence that starts with lead; 1 for a stray byte.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

// The longest prefix of at most limit bytes that ends at a character boundary.
std::string_view CutAtCharacter(std::string_view text, std::size_t limit)
{
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t n = SequenceLength(static_cast<unsigned char>(text[end]));
        if (end + n > limit)
            break;
        end += n;
    }
    return text.substr(0, std::min(end, text.size()));
}

// The QH family by its model code: the information window reads only four of
// the five I/O words, too few to pick the catalogue row.
bool IsQh(const CMeasurandsKTA& image)
{
    for (const DeviceTypeRecord& row : DeviceCatalogue())
        if (row.modelCode == image.modelCode && (row.Caps() & CapQh))
            return true;
    return false;
}

} // namespace

void ReadDeviceInformation(CModbusInterface& connection, CMeasurandsKTA& image)
{
    CAccessRight access(connection);
    CConnectionBracket bracket(connection);
    ReadIdentityInto(connection, image);
    if (IsQh(image)) {
        image.storedPasscode = Read32(connection, DeviceRegister::kQhStoredPasscode, false);
    } else {
        const bool highWordFirst = ReadHighWordFirst(connection);
        image.storedPasscode = Read32(connection, DeviceRegister::kStoredPasscode, highWordFirst);
    }
}

const std::array<DeviceInformationRow, 6>& DeviceInformationRows()
{
    static constexpr std::array<DeviceInformationRow, 6> kRows = {
        {{3302, 1878}, {3305, 1877}, {3304, 1873}, {3301, 1875}, {3300, 1874}, {3303, 1876}}};
    return kRows;
}

std::vector<DeviceInformationText> DeviceInformationTexts(const CMeasurandsKTA& image)
{
    std::vector<DeviceInformationText> texts;
    for (const DeviceInformationRow& row : DeviceInformationRows())
        texts.push_back({LoadText(row.nameId), image.FormatItem(row.item)});
    return texts;
}

std::string ReadTagSetting(CModbusInterface& connection)
{
    CAccessRight access(connection);
    CConnectionBracket bracket(connection);
    CDeviceType type;
    type.Identify(connection);
    std::array<std::uint16_t, 8> registers{};
    connection.ReadHoldingRegisters(UtilityRegister::kTag, UtilityRegister::kTagRegisters,
                                    registers.data());
    // 4942-4943 lie inside a QH energy record: QH has its own passcode registers.
    const bool qh = type.Has(CapQh);
    const int stored = qh ? DeviceRegister::kQhStoredPasscode : DeviceRegister::kStoredPasscode;
    const int input = qh ? DeviceRegister::kQhPasscodeInput : DeviceRegister::kPasscodeInput;
    if (Read32(connection, stored, false) != 0)
        Write32(connection, input, 0, false);
    return TagText(registers);
}

bool WriteTag(CModbusInterface& connection, const std::string& text)
{
    CAccessRight access(connection);
    CPasscodeProtection protection;
    if (!protection.Unlock(connection))
        return false;
    {
        CConnectionBracket bracket(connection);
        const std::array<std::uint16_t, 8> registers = TagRegisters(text);
        connection.WriteMultipleRegisters(UtilityRegister::kTag, UtilityRegister::kTagRegisters,
                                          registers.data());
    }
    protection.Lock();
    return true;
}

std::array<std::uint16_t, 8> TagRegisters(const std::string& text)
{
    const std::string_view field = std::string_view(text).substr(0, text.find('\0'));
    const std::string_view cut = CutAtCharacter(field, kTagBytes);
    std::array<std::uint16_t, 8> registers{};
    for (std::size_t i = 0; i < cut.size(); ++i) {
        const auto byte = static_cast<std::uint16_t>(static_cast<unsigned char>(cut[i]));
        registers[i / 2] |= static_cast<std::uint16_t>(i % 2 == 0 ? byte << 8 : byte);
    }
    return registers;
}

std::string TagText(const std::array<std::uint16_t, 8>& registers)
{
    std::array<char, kTagBytes> bytes{};
    UnpackText(registers.data(), bytes);
    return DeviceFieldText(std::string_view(bytes.data(), bytes.size()));
}
