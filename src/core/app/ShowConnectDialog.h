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

// Download's Connect dialog, which also asks whether to verify the download:
// verify holds the remembered choice and receives the user's on "Connect".
bool ShowDownloadConnectDialog(CModbusInterface& master, bool& verify, CSettingsStore& store);
bool ShowDownloadConnectDialog(CModbusInterface& master, bool& verify);
