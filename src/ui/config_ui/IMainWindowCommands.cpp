#include "config_ui/IMainWindowCommands.h"

namespace {
IMainWindowCommands* g_commands = nullptr;
}

void SetMainWindowCommands(IMainWindowCommands* commands)
{
    g_commands = commands;
}

IMainWindowCommands* MainWindowCommands()
{
    return g_commands;
}
