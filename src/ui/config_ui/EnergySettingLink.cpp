#include "config_ui/EnergySettingLink.h"

bool RunEnergySetting(ParameterSet& set, int output, QWidget* parent)
{
    (void)set;
    (void)output;
    (void)parent;
    return false;
}
