#include "device/CConfigFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <functional>

#include "app/CPrivateException.h"
#include "device/IniFile.h"
#include "device/ParameterWords.h"
#include "device/RegisterMap.h"
#include "text/TextIds.h"

namespace {

constexpr int kLoadErrorText = 11007;     // "Load error. %1!s!"
constexpr int kInvalidFormatText = 11008; // "Load error. Invalid file format."

// A missing key has no system error of its own; "No data available" says
// what went wrong without suggesting that the file itself is missing.
constexpr int kMissingKeyError = ENODATA;

constexpr std::uint16_t kZmModelCode = 4751;
// ZM files written before the Long register setting existed lack its key.

using KeyVisitor = std::function<void(const std::string& key, const RegisterBlock& entry, int j)>;

std::string ParameterKey(int reg)
{
    return "L" + std::to_string(reg);
}

// Keys of a 32-bit entry run on by one per value, not per register.
void ForEachParameterKey(const CDeviceType& type, const KeyVisitor& visit)
{
    const Capabilities caps = type.Caps();
    for (const RegisterBlock& entry : RegisterMapFor(type)) {
        if (!EntryApplies(entry, caps))
            continue;
        for (int j = 0; j < entry.count; ++j)
            visit(ParameterKey(entry.reg + j), entry, j);
    }
}

std::string ValueText(const ParameterSet& set, const RegisterBlock& entry, int j)
{
    if (entry.Is32Bit())
        return std::to_string(set.Get32(entry.firstWord + 2 * j));
    return std::to_string(set[entry.firstWord + j]);
}

void StoreValue(ParameterSet& set, const RegisterBlock& entry, int j, int value)
{
    if (entry.Is32Bit())
        set.Set32(entry.firstWord + 2 * j, value);
    else
        set[entry.firstWord + j] = static_cast<std::uint16_t>(value);
}

int ScanOrThrow(const std::string& text)
{
    int value = 0;
    if (!CConfigFile::ScanInt(text, value))
        throw CPrivateException(kInvalidFormatText);
    return value;
}

int ReadIdentityValue(const IniFile& ini, const char* key, const char* defaultValue)
{
    return ScanOrThrow(ini.Get(CConfigFile::kSection, key).value_or(defaultValue));
}

std::string IoKey(int i)
{
    return "DeviceIO" + std::to_string(i);
}

void WriteIdentity(IniFile& ini, const CDeviceType& type)
{
    ini.Set(CConfigFile::kSection, "Model", std::to_string(type.modelCode));
    ini.Set(CConfigFile::kSection, "DeviceExtension",
            std::to_string(type.optionCode & kOptionCodeMask));
    ini.Set(CConfigFile::kSection, "DeviceVersion", std::to_string(type.firmwareVersion));
    for (int i = 0; i < 5; ++i)
        ini.Set(CConfigFile::kSection, IoKey(i), std::to_string(type.ioWords[size_t(i)]));
}

void ReadIdentity(const IniFile& ini, CDeviceType& type)
{
    type.modelCode =
        static_cast<std::uint16_t>(ReadIdentityValue(ini, "Model", CConfigFile::kDefaultModel));
    type.optionCode = static_cast<std::uint16_t>(ReadIdentityValue(ini, "DeviceExtension", "0") &
                                                 kOptionCodeMask);
    type.firmwareVersion = static_cast<std::uint16_t>(ReadIdentityValue(ini, "DeviceVersion", "0"));
    for (int i = 0; i < 5; ++i)
        type.ioWords[size_t(i)] =
            static_cast<std::uint16_t>(ReadIdentityValue(ini, IoKey(i).c_str(), "0"));
    type.Resolve();
}

} // namespace

bool CConfigFile::ScanInt(const std::string& text, int& value)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    const long long v = std::strtoll(begin, &end, 10);
    if (end == begin)
        return false;
    // Out-of-range digits keep the low 32 bits, as the scan's store into an int does.
    value = static_cast<int>(v);
    return true;
}

bool CConfigFile::SaveToFile(const ParameterSet& set, const std::string& path)
{
    IniFile ini;
    // Keys already in the file stay, so the file must be readable to be merged into.
    if (const auto ec = ini.Read(path); ec && ec != std::errc::no_such_file_or_directory)
        throw CPrivateException(TextId::SaveError, ec.value(), FaultKind::File);
    WriteIdentity(ini, set.type);
    ForEachParameterKey(set.type, [&](const std::string& key, const RegisterBlock& entry, int j) {
        ini.Set(kSection, key, ValueText(set, entry, j));
    });
    if (const auto ec = ini.WriteAtomically(path))
        throw CPrivateException(TextId::SaveError, ec.value(), FaultKind::File);
    return true;
}

bool CConfigFile::LoadFromFile(ParameterSet& set, const std::string& path)
{
    IniFile ini;
    if (const auto ec = ini.Read(path))
        throw CPrivateException(kLoadErrorText, ec.value(), FaultKind::File);
    ReadIdentity(ini, set.type);
    const bool zm = set.type.modelCode == kZmModelCode;
    ForEachParameterKey(set.type, [&](const std::string& key, const RegisterBlock& entry, int j) {
        const auto text = ini.Get(kSection, key);
        if (text) {
            StoreValue(set, entry, j, ScanOrThrow(*text));
        } else if (zm && entry.firstWord == ParameterWord::LongRegister) {
            StoreValue(set, entry, j, 0);
        } else {
            throw CPrivateException(kLoadErrorText, kMissingKeyError);
        }
    });
    return true;
}
