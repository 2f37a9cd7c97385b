#include "device/CDeviceType.h"

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
