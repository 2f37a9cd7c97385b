#include "config/DisplayOptions.h"

#include "device/ParameterSet.h"

bool ExpressionIndicationEnabled(Capabilities caps)
{
    return (caps & CapKta) != 0;
}

bool ExpressionPowerFormatEnabled(Capabilities caps)
{
    return (caps & (CapKtaGen2 | CapKtbGen2)) != 0;
}

ExpressionForm ExpressionFormOf(const ParameterSet& set)
{
    return {SecondButtonChecked(set[DisplayOptionWord::InputLine]),
            SecondButtonChecked(set[DisplayOptionWord::PhaseDirection]),
            SecondButtonChecked(set[DisplayOptionWord::PowerFormat])};
}

void ReadExpressionForm(const ExpressionForm& form, ParameterSet& set)
{
    const Capabilities caps = set.type.Caps();
    if (ExpressionIndicationEnabled(caps)) {
        set[DisplayOptionWord::InputLine] = PairValue(form.rstLines);
        set[DisplayOptionWord::PhaseDirection] = PairValue(form.lagLead);
    }
    if (ExpressionPowerFormatEnabled(caps))
        set[DisplayOptionWord::PowerFormat] = PairValue(form.noKForPower);
}

ShortCutForm ShortCutFormOf(const ParameterSet& set)
{
    return {SecondButtonChecked(set[DisplayOptionWord::ClearAlarmShortCut])};
}

void ReadShortCutForm(const ShortCutForm& form, ParameterSet& set)
{
    set[DisplayOptionWord::ClearAlarmShortCut] = PairValue(form.clearAlarm);
}
