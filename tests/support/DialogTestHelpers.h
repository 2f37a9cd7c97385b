#pragma once

#include <QtGlobal>

#include "support/ParameterSets.h"
#include "widgets/UiText.h"

// A control the dialog must have; without it every later step would crash.
template <typename T> T* Control(QWidget* dialog, int id)
{
    T* control = FindControl<T>(dialog, id);
    if (!control)
        qFatal("control %d missing", id);
    return control;
}
