#include "config_ui/EnergySettingLink.h"

#include "config_ui/CPulseDialog.h"

bool RunEnergySetting(ParameterSet& set, int output, QWidget* parent)
{
    return RunPulseDialog(set, output + 1, parent); // the dialog counts outputs from 1
}
