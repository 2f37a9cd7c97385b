#pragma once

#include <string>

#include "comm/CSerialPortList.h"
#include "comm/ComSettings.h"

// What the Connect dialog is opened for. Only a Download offers "Verify
// after download": reading words back means nothing to the other commands.
enum class ConnectPurpose { DeviceCommand, Download };
bool OffersVerifyAfterDownload(ConnectPurpose purpose);

// Which groups of the Connect dialog a mode shows.
struct ConnectVisibility {
    bool deviceAddress;
    bool comPort;
    bool configNote;
    bool lineSettings; // transfer rate, parity bit, stop bit
    bool tcpEndpoint;  // station address, port
};

ConnectVisibility VisibilityForMode(ConnectionMode mode);

// The mode a stored value opens the dialog in: an unknown value reads as Infrared.
ConnectionMode DialogModeFor(ConnectionMode storedMode);

// List items selected for stored line settings; out-of-range values take the last item.
int BaudItemFor(int baudIndex);
int ParityItemFor(SerialParity parity);
int StopItemFor(int stopIndex);

// The device address text the dialog opens with: modes without an address show 1.
std::string InitialAddressText(const ComSettings& settings);

// The device address edit read as an integer 1..247; throws CPrivateException
// with the message that names "Device address".
int ReadDeviceAddress(const std::string& text);

// The remembered display name of a serial mode's port (empty for Modbus/TCP).
std::string RememberedDisplayName(const ComSettings& settings, ConnectionMode mode);

// Ports remembered in the settings that the discovery did not report
// (pseudo-terminals, adapters unplugged a moment ago) are added under their
// stored names, so a saved choice can still be selected.
void AddRememberedPorts(CSerialPortList& ports, const ComSettings& settings);

// What "Connect" stores for a serial mode's chosen port.
void StorePort(ComSettings& settings, ConnectionMode mode, const SerialPortEntry& port);
