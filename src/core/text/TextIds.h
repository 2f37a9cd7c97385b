#pragma once

// String ids that several parts of the program look up: the common buttons
// and labels, the transfer and report messages, the input checks' messages.
// Texts that belong to a single window stay with that window.
namespace TextId {

// Buttons and labels shared by the dialogs.
inline constexpr int Ok = 20225;
inline constexpr int Cancel = 20213;
inline constexpr int Close = 25509;
inline constexpr int DeviceAddress = 20212;   // "Device address" of the connect and monitor windows
inline constexpr int NewPasscode = 20221;     // "New passcode"
inline constexpr int ConfirmPasscode = 20222; // "Confirm new passcode"
inline constexpr int TagNo = 25504;           // "Tag No."
inline constexpr int ConfigurationFilter = 2700; // file-dialog filter of configuration files

// Numbered lists: the first text, the others follow in order.
inline constexpr int FirstChannel = 5500;     // "1ch" ...
inline constexpr int FirstSensor = 5600;      // the current sensors, then "Custom-1" and "Custom-2"
inline constexpr int FirstCircuit = 6000;     // "Circuit A" ... "Circuit D"
inline constexpr int FirstZnpwUSensor = 7000; // the current sensors of the ZNPW-U variants

// Parameter names that the input checks insert into their messages.
inline constexpr int DeviceAddressName = 15200;

// Input checks: %1 the field's name, %2 and %3 the range, %4 the special value.
inline constexpr int OutOfRange = 11000;
inline constexpr int NotNumber = 11026;
inline constexpr int OutOfRangeOrSpecial = 11035;

// Transfers, compares and files.
inline constexpr int PortCannotOpen = 10000; // %s: the port's name
inline constexpr int AllMatching = 11004;
inline constexpr int NotMatching = 11005; // %1: how many words differ
inline constexpr int SaveError = 11006;   // %1: why
inline constexpr int Uploading = 11014;
inline constexpr int Downloading = 11015;
inline constexpr int Verifying = 20229;
inline constexpr int TcpError = 11018; // %1: the link's own message
inline constexpr int PasscodeMismatch = 11019;
inline constexpr int DeviceNotSupported = 11023; // model code and option code
inline constexpr int TransferCommunicationError = 11025;

// Device commands.
inline constexpr int AreYouSure = 11017;
inline constexpr int ClearAlarm = 11037;

} // namespace TextId
