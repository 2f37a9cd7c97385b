#include "monitor/CMeasurandsKTA.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "monitor/DeviceText.h"
#include "monitor/FormatKinds.h"
#include "monitor/ModelCodes.h"
#include "monitor/MonitorTexts.h"
#include "text/CStringTable.h"

namespace {

// The energy fraction of a counter lies this many items above it.
constexpr int kFractionOffset = 56;
constexpr int kFirstOutputItem = 1879;

enum DeviceInformationItem {
    kModelItem = 1873,
    kFirmwareItem = 1874,
    kSerialItem = 1875,
    kSupportItem = 1876,
    kPasscodeItem = 1877,
    kTagItem = 1878,
};

[[gnu::format(printf, 1, 2)]] std::string Printf(const char* pattern, ...)
{
    char buffer[64];
    va_list args;
    va_start(args, pattern);
    const int n = std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

std::string Scaled(std::int32_t v, double divisor, const char* pattern)
{
    return Printf(pattern, v / divisor);
}

// Model names by model code and the option bits that tell the variants apart.
std::string_view ModelName(std::uint16_t model, std::uint16_t option)
{
    const auto pick =
        [option](std::initializer_list<std::pair<std::uint16_t, std::string_view>> bits,
                 std::string_view otherwise) {
            for (const auto& [bit, name] : bits)
                if (option & bit)
                    return name;
            return otherwise;
        };
    switch (model) {
    case ModelCode::kKta:
        return "KTA";
    case ModelCode::kKtb:
        return pick({{0x80, "KTBL"}, {0x100, "KTBC"}}, "KTB");
    case ModelCode::kQg:
        return pick({{0x80, "QGLPW"}, {0x100, "QGCPW"}, {0x400, "QGEPW"}}, "QGMPW");
    case ModelCode::kLkta:
        return "LKTA";
    case ModelCode::kLktas:
        return "LKTAS";
    case ModelCode::kQh:
        return pick({{0x80, "QHLPW"}, {0x100, "QHCPW"}, {0x400, "QHEPW"}}, "QHMPW");
    case ModelCode::kZm:
        return pick({{0x800, "ZMPV"}}, "ZMPW");
    case ModelCode::kZnpw:
        return pick({{0x1000, "ZNPW-U"}}, "ZNPW");
    case ModelCode::kZnepw:
        return "ZNEPW";
    default:
        return {};
    }
}

bool ReportsPasscodeState(std::uint16_t model, std::uint16_t firmware)
{
    switch (model) {
    case ModelCode::kQg:
    case ModelCode::kKtb:
    case ModelCode::kLkta:
    case ModelCode::kLktas:
    case ModelCode::kQh:
        return true;
    case ModelCode::kKta:
        return firmware >= 101;
    default:
        return false;
    }
}

} // namespace

std::int32_t CMeasurandsKTA::Item(int item) const
{
    if (item < 0 || item >= kItemCount)
        return 0;
    return items[static_cast<std::size_t>(item)];
}

void CMeasurandsKTA::SetItem(int item, std::int32_t value)
{
    if (item >= 0 && item < kItemCount)
        items[static_cast<std::size_t>(item)] = value;
}

std::string CMeasurandsKTA::FormatItem(int item) const
{
    const FormatKind kind = FormatKindOf(item);
    const std::int32_t v = Item(item);
    const bool zn = ModelCode::IsZn(modelCode);
    switch (kind) {
    case FormatKind::Current:
        return Scaled(v, 1000, "%.3lf");
    case FormatKind::Voltage:
    case FormatKind::Frequency:
        return Scaled(v, 100, "%.2lf");
    case FormatKind::ActivePower:
    case FormatKind::ReactivePower:
    case FormatKind::ApparentPower:
        return zn ? Scaled(v, 10, "%.1lf") : Printf("%d", v);
    case FormatKind::PowerFactor:
        return Scaled(v, 10000, "%.4lf");
    case FormatKind::LeadLag:
        return LoadText(v != 0 ? MonitorText::kLead : MonitorText::kLag);
    case FormatKind::ActiveEnergy:
    case FormatKind::ReactiveEnergy:
    case FormatKind::ApparentEnergy:
        return FormatEnergy(item);
    case FormatKind::OperatingTimer:
        return zn ? Scaled(v, 100, "%.2lf") : Scaled(v, 10, "%.1lf");
    case FormatKind::Thd:
    case FormatKind::Tenths:
        return Scaled(v, 10, "%.1lf");
    case FormatKind::Count:
        return Printf("%d", v);
    case FormatKind::AnalogOutput:
        return FormatOutput(item - kFirstOutputItem);
    case FormatKind::CircuitWiring:
        // A wiring code the texts do not cover shows nothing rather than a
        // neighbouring text of the table.
        if (v < 0 || v >= MonitorText::kCircuitWiringCount)
            return {};
        return LoadText(MonitorText::kCircuitWiringFirst + v);
    case FormatKind::BcdDate: {
        const auto u = static_cast<std::uint32_t>(v);
        return Printf("20%02x/%02x/%02x", (u >> 8) & 0xFF, u & 0xFF, (u >> 24) & 0xFF);
    }
    case FormatKind::BcdTime: {
        const auto u = static_cast<std::uint32_t>(v);
        const auto hour = (static_cast<std::uint32_t>(Item(item - 1)) >> 16) & 0xFF;
        return Printf("%02x:%02x:%02x", hour, (u >> 8) & 0xFF, u & 0xFF);
    }
    case FormatKind::DeviceInformation:
        return FormatDeviceInformation(item);
    case FormatKind::None:
        break;
    }
    return {};
}

// The fraction counts 2^32 parts of the integer's last digit; the integer
// divisions below (not 2^32 / 1000 or / 100) decide the last digit shown.
std::string CMeasurandsKTA::FormatEnergy(int item) const
{
    const std::int32_t v = Item(item);
    const auto fraction = static_cast<std::uint32_t>(Item(item + kFractionOffset));
    if (ModelCode::IsZn(modelCode))
        return Printf("%.4lf", v / 100.0 + (fraction / 42949672u) / 10000.0);
    return Printf("%.4lf", v / 10.0 + (fraction / 4294967u) / 10000.0);
}

std::string CMeasurandsKTA::FormatOutput(int output) const
{
    int count = ioWords[2];
    if (modelCode == ModelCode::kKtb && count == 0)
        count = 4; // KTB reports no count but has its four outputs
    if (output < 0 || output >= count || output >= static_cast<int>(outputValues.size()))
        return {};
    const int value = outputValues[static_cast<std::size_t>(output)];
    if (outputType == 1)
        return Printf("%.3lf", value / 1000.0);
    return Printf("%.2lf", value / 100.0);
}

std::string CMeasurandsKTA::FormatDeviceInformation(int item) const
{
    switch (item) {
    case kModelItem:
        return std::string(ModelName(modelCode, optionCode));
    case kFirmwareItem:
        if (versionTriple[0] != 0)
            return Printf("%d.%d.%d", versionTriple[0], versionTriple[1], versionTriple[2]);
        return Printf("%.02lf", firmwareVersion / 100.0);
    case kSerialItem:
        if (modelCode == ModelCode::kZm || ModelCode::IsZn(modelCode))
            return LoadText(MonitorText::kNotSupported);
        return DeviceFieldText(std::string_view(serial.data(), serial.size()));
    case kSupportItem:
        return Printf("%lu", static_cast<unsigned long>(storedPasscode));
    case kPasscodeItem:
        if (!ReportsPasscodeState(modelCode, firmwareVersion))
            return LoadText(MonitorText::kNotSupported);
        return LoadText(storedPasscode != 0 ? MonitorText::kProtectionEnabled
                                            : MonitorText::kProtectionDisabled);
    case kTagItem:
        return DeviceFieldText(std::string_view(tag.data(), tag.size()));
    default:
        return {};
    }
}
