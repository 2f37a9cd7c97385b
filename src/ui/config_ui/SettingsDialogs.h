#pragma once

// Registers every settings dialog with the main window's button registry.
// Called once at start-up, before the main window opens, and by tests.
void RegisterAllSettingsDialogs();
