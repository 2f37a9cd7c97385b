#include "utility/DeviceReset.h"

#include <stdexcept>

#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "device/CPasscodeProtection.h"
#include "device/DeviceRegisters.h"
#include "utility/CConnectionBracket.h"
#include "utility/RegisterIo.h"
#include "utility/UtilityRegisters.h"

using namespace RegisterIo;

namespace {

constexpr int kQhChannels = 16;

// Opens writes, sends one command, closes them and restores the protection
// the way the utility commands do: the passcode input is cleared only on a
// protected device.
void SendCommand(CModbusInterface& connection, int reg, std::uint16_t value)
{
    CConnectionBracket bracket(connection);
    Write16(connection, DeviceRegister::kPasscodeCommand, 1);
    Write16(connection, reg, value);
    Write16(connection, DeviceRegister::kPasscodeCommand, 0);
    if (Read32(connection, DeviceRegister::kStoredPasscode, false) != 0)
        Write32(connection, DeviceRegister::kPasscodeInput, 0, false);
}

// registerOf picks the command register once the device is identified.
template <typename RegisterOf>
bool RunCommand(CModbusInterface& connection, RegisterOf registerOf, std::uint16_t value)
{
    CAccessRight access(connection);
    CPasscodeProtection protection;
    if (!protection.Unlock(connection))
        return false;
    // 4942-4944 lie inside a QH energy record.
    if (protection.Identity().Has(CapQh))
        throw std::invalid_argument("the utility commands do not apply to QH devices");
    SendCommand(connection, registerOf(protection.Identity()), value);
    // The command's own lock step has run; a failure before it leaves the
    // locking to the protection's destructor.
    protection.Forget();
    return true;
}

} // namespace

bool RunResetCommand(CModbusInterface& connection, const ResetRequest& request)
{
    return RunCommand(
        connection,
        [&](const CDeviceType& device) { return ResetCommandRegister(request, device); },
        request.value);
}

bool ClearAlarm(CModbusInterface& connection)
{
    return RunCommand(
        connection, [](const CDeviceType&) { return UtilityRegister::kClearAlarm; }, 1);
}

bool RunQhReset(CModbusInterface& connection, const QhReset& reset)
{
    if (reset.channel < 0 || reset.channel >= kQhChannels)
        throw std::invalid_argument("QH channel outside 0-15");
    CAccessRight access(connection);
    CPasscodeProtection protection;
    if (!protection.Unlock(connection))
        return false;
    if (!protection.Identity().Has(CapQh))
        throw std::invalid_argument("QH reset codes apply to QH devices only");
    {
        CConnectionBracket bracket(connection);
        Write16(connection, UtilityRegister::kQhChannelReset + reset.channel, reset.code);
    }
    protection.Lock();
    return true;
}
