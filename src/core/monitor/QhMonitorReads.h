#pragma once

#include <vector>

#include "comm/CModbusReader.h"
#include "monitor/QhMonitorCells.h"

class CMeasurandsKTA;
class CModbusInterface;

// The reads of the multi-circuit monitor and its channel detail window. QH
// registers always hold the low word of a pair first. Every function here
// runs on a connection the caller has opened and holds the access lock of;
// communication errors throw as the master does.
namespace QhReads {

constexpr int kClockDateItem = 1870;
constexpr int kClockTimeItem = 1871;
constexpr int kThdRows = 10;
constexpr int kSpectrumValues = 15; // orders 3, 5, ... 31

// First register of channel c's 29-value energy record on the basic (c =
// 0-7) or the extension module (c = 8-15); the pulse-input records are those
// of the extension module.
int EnergyRecordRegister(int channel);

// The blocks of a main page view, ended by kEndOfBlocks: per channel its
// record, currents and powers, or the eight pulse-input records.
std::vector<ModbusBlock> MainPageBlocks(QhCells::QhView view);
// The blocks of the detail window's tab for channel 0-15, ended by kEndOfBlocks.
std::vector<ModbusBlock> DetailBlocks(int tab, int channel);

// Registers 9104-9106 into the date item 1870 (9104 in its low half, 9105 in
// its high half) and the time item 1871 (9106).
void ReadClock(CModbusInterface& connection, CMeasurandsKTA& image);
// The clock as the main window shows it: "2024/12/15 08:30:59".
std::string ClockText(const CMeasurandsKTA& image);

// One block list into the image.
void ReadBlocks(CModbusInterface& connection, CMeasurandsKTA& image,
                const std::vector<ModbusBlock>& blocks);

// The THD of a channel and the spectrum of one THD row (0-9): voltage THD
// latest and maximum into 370-375 and 282-287, the channel's current THD
// into 366-369 and 278-281, and the 15 odd orders of the row into the first
// 15 values of spectrum row thdRow.
void ReadThd(CModbusInterface& connection, CMeasurandsKTA& image, int channel, int thdRow);

// The register the spectrum of a THD row of a channel starts at.
int SpectrumRegister(int channel, int thdRow);

} // namespace QhReads
