#pragma once

// Registers the external interface dialogs: Di, Do / Po, Ao, Modbus (serial
// or Modbus/TCP by the variant) and CC-Link.
void RegisterInterfaceDialogs();
