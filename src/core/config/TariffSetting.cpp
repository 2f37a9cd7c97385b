#include "config/TariffSetting.h"

#include "device/ParameterSet.h"

Tariff TariffOfWord(std::uint16_t word)
{
    return word != 0 ? Tariff::Low : Tariff::High;
}

bool TariffNoteVisible(Capabilities caps)
{
    return (caps & CapQg) == 0;
}

TariffForm TariffFormOf(const ParameterSet& set)
{
    return {TariffOfWord(set[TariffWord::Tariff])};
}

void ReadTariffForm(const TariffForm& form, ParameterSet& set)
{
    set[TariffWord::Tariff] = static_cast<std::uint16_t>(form.tariff);
}
