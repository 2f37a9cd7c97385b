#include "config/ReadBack.h"

#include "app/CPrivateException.h"
#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "device/ParameterSet.h"

namespace {
NumericField Limits(std::int64_t minimum, std::int64_t maximum, int nameId)
{
    return {1, minimum, maximum, nameId, std::nullopt};
}

bool IsDemandEdit(int controlId)
{
    return controlId == MainControl::DemandCurrentInterval ||
           controlId == MainControl::DemandPowerInterval;
}

// With "Discrete input" chosen the interval stays 0 whatever the edit shows.
bool DrivenByInput(int controlId, const ReadBackSource& s)
{
    if (controlId == MainControl::DemandCurrentInterval)
        return s.currentSourceCount > 1 && s.currentSourceIndex == 0;
    return s.powerSourceCount > 1 && s.powerSourceIndex == 0;
}
} // namespace

const std::vector<ReadBackField>& MainReadBackFields()
{
    using namespace MainControl;
    static const std::vector<ReadBackField> fields = {
        {VtPrimary, MainWord::VtPrimary, true, Limits(50, 400000, 15153)},
        {VtSecondary, MainWord::VtSecondary, false, Limits(50, 500, 15154)},
        {CtPrimary, MainWord::CtPrimary, false, Limits(1, 20000, 15151)},
        {CtSecondary, MainWord::CtSecondary, false, Limits(1, 5, 15152)},
        {BarVoltage, MainWord::BarVoltage, true, Limits(50, 400000, 15601)},
        {BarCurrent, MainWord::BarCurrent, false, Limits(1, 20000, 15600)},
        {DemandCurrentInterval, MainWord::DemandCurrentInterval, false, Limits(1, 60, 15250)},
        {DemandPowerInterval, MainWord::DemandPowerInterval, false, Limits(1, 60, 15251)},
    };
    return fields;
}

std::vector<ReadBackField> ReadBackFieldsFor(Capabilities caps)
{
    using namespace MainControl;
    const bool vtCt = InputLayoutFor(caps) == InputLayout::VtCt;
    std::vector<ReadBackField> fields;
    for (const auto& f : MainReadBackFields()) {
        const int id = f.controlId;
        if ((id == CtPrimary || id == CtSecondary) && !vtCt)
            continue;
        if ((id == BarVoltage || id == BarCurrent) && !BarGraphEnabled(caps))
            continue;
        if (IsDemandEdit(id) && !DemandGroupEnabled(caps))
            continue;
        fields.push_back(f);
    }
    return fields;
}

void ReadBackControls(ParameterSet& set, Capabilities caps, const ReadBackSource& source)
{
    for (const auto& f : ReadBackFieldsFor(caps)) {
        if (IsDemandEdit(f.controlId) && DrivenByInput(f.controlId, source)) {
            set[f.word] = 0;
            continue;
        }
        std::int64_t value = 0;
        try {
            value = ReadNumericField(source.text(f.controlId), f.limits);
        } catch (const CPrivateException&) {
            if (source.focus)
                source.focus(f.controlId);
            throw;
        }
        if (f.wide)
            set.Set32(f.word, static_cast<std::int32_t>(value));
        else
            set[f.word] = static_cast<std::uint16_t>(value);
    }
}
