#include "config/DiscreteIoRules.h"

#include <algorithm>

namespace {
std::uint16_t ContactWord(bool normalClose)
{
    return static_cast<std::uint16_t>(normalClose ? ContactType::NormalClose
                                                  : ContactType::NormalOpen);
}
} // namespace

const std::array<DigitalOutputRow, 4>& DigitalOutputTable()
{
    static const std::array<DigitalOutputRow, 4> table = {{
        {CapDo1, 1025, 186, 1036, 1037, 187, 1116, 1117, 1118, 1053},
        {CapDo2, 1026, 190, 1038, 1039, 191, 1119, 1120, 1121, 1054},
        {CapDo3, 1027, 192, 1040, 1041, 193, 1122, 1123, 1124, 1055},
        {CapDo4, 1028, 194, 1042, 1043, 195, 1125, 1126, 1127, 1056},
    }};
    return table;
}

int DiscreteInputFunctionCount(Capabilities caps)
{
    return (caps & (CapKtaGen2 | CapKtbGen2 | CapLkta | CapLktas)) != 0 ? 5 : 3;
}

int DiscreteInputFunctionIndex(Capabilities caps, std::uint16_t field)
{
    return field < DiscreteInputFunctionCount(caps) ? int(field) : -1;
}

int DiscreteOutputFunctionCount(Capabilities caps)
{
    return DiscreteOutputFunctionFixed(caps) ? 2 : 3;
}

bool DiscreteOutputFunctionFixed(Capabilities caps)
{
    return (caps & CapZn) != 0;
}

int ChoiceListIndex(std::uint16_t field, int entryCount)
{
    return std::clamp(int(field), 0, std::max(entryCount - 1, 0));
}

bool ShowsNormalClose(std::uint16_t field)
{
    return field != 0;
}

void PrepareDiscreteOutputs(ParameterSet& set)
{
    const Capabilities caps = set.type.Caps();
    if (!DiscreteOutputFunctionFixed(caps))
        return;
    for (const auto& row : DigitalOutputTable()) {
        if ((caps & row.capability) != 0)
            set[row.functionWord] = std::uint16_t(DiscreteOutputFunction::EnergyCount);
    }
}

DiscreteInputForm DiscreteInputFormOf(const ParameterSet& set)
{
    return {DiscreteInputFunctionIndex(set.type.Caps(), set[DiscreteWord::InputFunction]),
            ShowsNormalClose(set[DiscreteWord::InputType])};
}

void ReadDiscreteInputForm(const DiscreteInputForm& form, ParameterSet& set)
{
    if (form.function >= 0)
        set[DiscreteWord::InputFunction] = static_cast<std::uint16_t>(form.function);
    set[DiscreteWord::InputType] = ContactWord(form.normalClose);
}

DiscreteOutputForm DiscreteOutputFormOf(const ParameterSet& set)
{
    const int count = DiscreteOutputFunctionCount(set.type.Caps());
    DiscreteOutputForm form;
    for (size_t i = 0; i < form.outputs.size(); ++i) {
        const DigitalOutputRow& row = DigitalOutputTable()[i];
        form.outputs[i] = {ChoiceListIndex(set[row.functionWord], count),
                           ShowsNormalClose(set[row.typeWord])};
    }
    return form;
}

void ReadDiscreteOutputForm(const DiscreteOutputForm& form, ParameterSet& set)
{
    const Capabilities caps = set.type.Caps();
    for (size_t i = 0; i < form.outputs.size(); ++i) {
        const DigitalOutputRow& row = DigitalOutputTable()[i];
        if ((caps & row.capability) == 0)
            continue;
        if (form.outputs[i].function >= 0)
            set[row.functionWord] = static_cast<std::uint16_t>(form.outputs[i].function);
        set[row.typeWord] = ContactWord(form.outputs[i].normalClose);
    }
}
