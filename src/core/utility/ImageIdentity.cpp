#include "utility/ImageIdentity.h"

#include "monitor/CMeasurandsKTA.h"
#include "utility/RegisterIo.h"
#include "utility/UtilityRegisters.h"

using namespace RegisterIo;

void ReadIdentityInto(CModbusInterface& connection, CMeasurandsKTA& image)
{
    const auto identity =
        ReadWords(connection, UtilityRegister::kIdentityBlock, UtilityRegister::kIdentityCount);
    image.modelCode = identity[0];
    image.firmwareVersion = identity[1];
    UnpackText(&identity[2], image.serial);
    UnpackText(&identity[6], image.tag);
    const auto option =
        ReadWords(connection, UtilityRegister::kOptionBlock, UtilityRegister::kOptionCount);
    image.optionCode = option[0];
    for (std::size_t i = 0; i < image.ioWords.size(); ++i)
        image.ioWords[i] = option[i + 1];
}
