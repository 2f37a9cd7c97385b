#pragma once

class CSettingsStore;

// The settings store of the running program (the user's QZ/<app> settings),
// for commands that load or save connection settings or the remembered
// passcode. Not owned; set at start-up. Without one, an in-memory store
// keeps values for the life of the process only.
void SetApplicationStore(CSettingsStore* store);
CSettingsStore& ApplicationStore();
