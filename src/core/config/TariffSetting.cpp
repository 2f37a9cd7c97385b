#include "config/TariffSetting.h"

Tariff TariffOfWord(std::uint16_t word)
{
    return word != 0 ? Tariff::Low : Tariff::High;
}

bool TariffNoteVisible(Capabilities caps)
{
    return (caps & CapQg) == 0;
}
