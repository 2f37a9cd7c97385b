#pragma once

#include <string>
#include <vector>

#include "background/IProgressSink.h"
#include "device/ParameterSet.h"

class CModbusInterface;

// Upload and download of whole parameter sets over an open connection. Both
// walk the register map of the set's variant, report progress after every
// entry that applies (never decreasing, ending at 100) and stop when a cancel
// is requested or the connection is aborted. They return true when complete
// and false when stopped; any failure throws CPrivateException with the
// "Communication error." text (11025) around the first error's text.

// Identifies the device and reads its configuration. The set receives the
// device's identity and words only when the upload completes: a cancelled or
// failed upload leaves it as it was.
bool ReadFromDevice(ParameterSet& set, CModbusInterface& connection, IProgressSink& progress);

// Writes the set into a device of the same variant. A stopped or failed
// download leaves the device partly written.
bool WriteToDevice(const ParameterSet& set, CModbusInterface& connection, IProgressSink& progress);

// Word numbers of a parameter set, ascending.
using WrittenWords = std::vector<int>;

// The same download, telling which words it wrote: those of every map entry
// whose write request the device acknowledged, also when the download stopped
// or failed later. Entries that do not apply, the DIP switch word (30) and,
// with the switch off, the DIP-controlled words are never among them.
bool WriteToDevice(const ParameterSet& set, CModbusInterface& connection, IProgressSink& progress,
                   WrittenWords& written);

// Reads again, as an upload reads them, the map entries that hold any of the
// words into set, whose identity chooses the map; the word order is read from
// the device as an upload reads it. No identification: the caller talks to
// the device it has just written. Same contract as the transfers.
bool ReadWordsFromDevice(ParameterSet& set, const WrittenWords& words, CModbusInterface& connection,
                         IProgressSink& progress);

// The "Communication error." text (11025) around the text of the error that
// ended a transfer. The passcode handshake before a download, and the change
// of protection, report their failures the same way.
std::string CommunicationErrorText(const std::string& firstError);

// Download requests merge the entries of one block into a single write of at
// most this many registers.
constexpr int kDownloadBufferRegisters = 128;

// KTA devices below firmware 1.01 take one map entry per write request.
constexpr int kFirstMergingKtaFirmware = 101;
