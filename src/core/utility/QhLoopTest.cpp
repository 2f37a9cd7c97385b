#include "utility/QhLoopTest.h"

#include <stdexcept>

#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "device/CPasscodeProtection.h"
#include "device/DeviceRegisters.h"
#include "monitor/CMeasurandsKTA.h"
#include "text/CStringTable.h"
#include "utility/CConnectionBracket.h"
#include "utility/RegisterIo.h"
#include "utility/UtilityRegisters.h"

using namespace RegisterIo;
using namespace UtilityRegister;

namespace {

constexpr int kMaxChannels = 16;
constexpr int kTextChannel1MustBeInLoopTest = 25001;

struct Block {
    int reg;
    int values;
    int firstItem;
};

Block Common()
{
    return {kQhCommon, 8, 862};
}
Block Currents(int channel)
{
    return {kQhCurrents + kQhCurrentStride * channel, 5, 886};
}
Block Powers(int channel)
{
    return {kQhPowers + kQhPowerStride * channel, 16, 1006};
}

void CheckChannel(int channel)
{
    if (channel < 0 || channel >= kMaxChannels)
        throw std::invalid_argument("QH channel outside 0-15");
}

void ReadBlock(CModbusInterface& connection, const Block& b, CMeasurandsKTA& copy)
{
    const auto values = ReadValues(connection, b.reg, b.values, false);
    for (std::size_t i = 0; i < values.size(); ++i)
        copy.items[std::size_t(b.firstItem) + i] = static_cast<std::int32_t>(values[i]);
}

void WriteBlock(CModbusInterface& connection, const Block& b, const CMeasurandsKTA& copy)
{
    const auto first = copy.items.begin() + b.firstItem;
    WriteValues(connection, b.reg, std::vector<std::uint32_t>(first, first + b.values), false);
}

// The QH lock step of the test sequences: 0 to the command register, and 0
// to the passcode input when the device holds a passcode.
void QhLock(CModbusInterface& connection)
{
    Write16(connection, DeviceRegister::kQhPasscodeCommand, 0);
    if (Read32(connection, DeviceRegister::kQhStoredPasscode, false) != 0)
        Write32(connection, DeviceRegister::kQhPasscodeInput, 0, false);
}

// Unlocks with the QH registers, runs body on an open connection, locks. A
// failure before the lock step leaves it to the protection's destructor.
template <typename Body> bool Unlocked(CModbusInterface& connection, Body body)
{
    CPasscodeProtection protection;
    if (!protection.Unlock(connection))
        return false;
    if (!protection.Identity().Has(CapQh))
        throw std::invalid_argument("the QH loop test applies to QH devices only");
    CConnectionBracket bracket(connection);
    body();
    QhLock(connection);
    protection.Forget();
    return true;
}

} // namespace

int ReadQhChannelCount(CModbusInterface& connection)
{
    CAccessRight access(connection);
    CConnectionBracket bracket(connection);
    const int count = Read16(connection, kQhChannelCount);
    return count >= 1 && count <= kMaxChannels ? count : 0;
}

bool ReadQhLoopTestMode(CModbusInterface& connection, int channel)
{
    CheckChannel(channel);
    CAccessRight access(connection);
    CConnectionBracket bracket(connection);
    return Read16(connection, kQhLoopTestMode + channel) != 0;
}

void ReadQhLoopTestValues(CModbusInterface& connection, int channel, CMeasurandsKTA& copy)
{
    CheckChannel(channel);
    CAccessRight access(connection);
    CConnectionBracket bracket(connection);
    for (const Block& b : {Common(), Currents(channel), Powers(channel)})
        ReadBlock(connection, b, copy);
}

ModeSwitchResult SwitchQhLoopTest(CModbusInterface& connection, int channel, bool on)
{
    CheckChannel(channel);
    const int reg = kQhLoopTestMode + channel;
    return RunModeSwitch(
        connection, on,
        [&] { return Unlocked(connection, [&] { Write16(connection, reg, on ? 1 : 0); }); },
        [&] { return Read16(connection, reg) != 0; });
}

QhLoopTestWrite WriteQhLoopTestValues(CModbusInterface& connection, int channel,
                                      CMeasurandsKTA& copy)
{
    CheckChannel(channel);
    CAccessRight access(connection);
    QhLoopTestWrite result;
    result.written = Unlocked(connection, [&] {
        // Voltages and frequency are common: only channel 1's loop test may change them.
        result.commonWritten = Read16(connection, kQhLoopTestMode) == 1;
        if (result.commonWritten)
            WriteBlock(connection, Common(), copy);
        else
            ReadBlock(connection, Common(), copy);
        WriteBlock(connection, Currents(channel), copy);
        WriteBlock(connection, Powers(channel), copy);
    });
    if (result.written && !result.commonWritten)
        result.notice = LoadText(kTextChannel1MustBeInLoopTest);
    return result;
}
