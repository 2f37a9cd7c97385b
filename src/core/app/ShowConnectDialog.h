#pragma once

class CModbusInterface;
class CSettingsStore;

// Before a device operation: the Connect dialog with the stored connection
// settings. On "Connect" the settings are saved and handed to the master and
// true is returned; on "Cancel" nothing is saved and the operation ends
// silently (false).
bool ShowConnectDialog(CModbusInterface& master, CSettingsStore& store);
// The same with the application's settings store.
bool ShowConnectDialog(CModbusInterface& master);
