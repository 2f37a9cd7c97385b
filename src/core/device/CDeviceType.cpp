#include "device/CDeviceType.h"

#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"
#include "device/DeviceRegisters.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

} // namespace

void CDeviceType::Resolve()
{
    catalogueIndex_ = Match();
}

std::int32_t CDeviceType::Match() const
{
    const auto& rows = DeviceCatalogue();
    for (int i = 0; i < kDeviceTypeCount; ++i) {
        const DeviceTypeRecord& r = rows[static_cast<size_t>(i)];
        if (r.modelCode != modelCode || r.optionCode != optionCode)
            continue;
        if (firmwareVersion < r.versionMin || firmwareVersion > r.versionMax)
            continue;
        if (ioWords == r.ioWords || (r.HasAlternativeIo() && ioWords == r.altIoWords))
            return i;
    }
    return -1;
}

void CDeviceType::SelectById(int typeId)
{
    const int row = CatalogueRowOfTypeId(typeId);
    if (row < 0)
        return;
    const DeviceTypeRecord& r = DeviceCatalogue()[static_cast<size_t>(row)];
    modelCode = r.modelCode;
    firmwareVersion = r.versionMin;
    optionCode = r.optionCode;
    ioWords = r.ioWords;
    catalogueIndex_ = row;
}

int CDeviceType::CatalogueIndex() const
{
    if (catalogueIndex_ < 0)
        catalogueIndex_ = Match();
    return catalogueIndex_;
}

const DeviceTypeRecord* CDeviceType::Record() const
{
    const int row = CatalogueIndex();
    return row < 0 ? nullptr : &DeviceCatalogue()[static_cast<size_t>(row)];
}

int CDeviceType::TypeId() const
{
    const DeviceTypeRecord* r = Record();
    return r ? r->typeId : -1;
}

Capabilities CDeviceType::Caps() const
{
    const DeviceTypeRecord* r = Record();
    return r ? r->Caps() : 0;
}

bool CDeviceType::SameIdentity(const CDeviceType& other) const
{
    return modelCode == other.modelCode && firmwareVersion == other.firmwareVersion &&
           optionCode == other.optionCode && ioWords == other.ioWords;
}

std::uint32_t CDeviceType::Identify(CModbusInterface& connection)
{
    std::uint16_t value = 0;
    connection.ReadHoldingRegisters(DeviceRegister::kModelCode, 1, &value);
    modelCode = value;
    connection.ReadHoldingRegisters(DeviceRegister::kFirmwareVersion, 1, &value);
    firmwareVersion = value;
    connection.ReadHoldingRegisters(DeviceRegister::kOptionCode, 1, &value);
    optionCode = static_cast<std::uint16_t>(value & kOptionCodeMask);
    connection.ReadHoldingRegisters(DeviceRegister::kIoWords, static_cast<int>(ioWords.size()),
                                    ioWords.data());
    Resolve();
    if (catalogueIndex_ < 0 || Caps() == 0)
        throw CPrivateException(
            FormatText(TextId::DeviceNotSupported, {int(modelCode), int(optionCode)}));
    return CapsHigh();
}
