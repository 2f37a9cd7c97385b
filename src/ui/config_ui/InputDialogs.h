#pragma once

// Registers "Other Setting" (Others) and "Conversion Value Settings"
// (Conv. Value) with the main window. "Energy Setting" has no button of its
// own: the output dialog opens it with RunPulseDialog (CPulseDialog.h).
void RegisterInputDialogs();
