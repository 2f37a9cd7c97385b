#pragma once

#include <QtGlobal>

#include "device/CSettingsStocker.h"
#include "device/ParameterSet.h"
#include "widgets/UiText.h"

// The defaults of a device type, as a new parameter set starts.
inline ParameterSet SetOf(int typeId)
{
    ParameterSet set;
    CSettingsStocker().ChangeDeviceType(typeId, set, true);
    return set;
}

// A control the dialog must have; without it every later step would crash.
template <typename T> T* Control(QWidget* dialog, int id)
{
    T* control = FindControl<T>(dialog, id);
    if (!control)
        qFatal("control %d missing", id);
    return control;
}
