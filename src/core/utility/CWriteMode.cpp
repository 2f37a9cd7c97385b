#include "utility/CWriteMode.h"

#include "app/IPromptService.h"
#include "comm/CModbusInterface.h"
#include "device/DeviceRegisters.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"
#include "utility/CConnectionBracket.h"
#include "utility/RegisterIo.h"

using namespace RegisterIo;

namespace {
}

CWriteMode::CWriteMode(CModbusInterface& connection, LeaveStep step)
    : connection_(connection), step_(step)
{
}

CWriteMode::~CWriteMode()
{
    try {
        Leave();
    } catch (...) {
        // The error that unwinds, or the caller's own, is the one to report.
    }
}

bool CWriteMode::Enter(std::uint16_t mode)
{
    {
        CConnectionBracket bracket(connection_);
        highWordFirst_ = ReadHighWordFirst(connection_);
        if (Read32(connection_, DeviceRegister::kStoredPasscode, highWordFirst_) == 0) {
            entered_ = true;
            Write16(connection_, DeviceRegister::kPasscodeCommand, mode);
            return true;
        }
    }
    const std::optional<std::uint32_t> passcode = Prompts().EnterModbusPasscode();
    if (!passcode)
        return false;
    {
        CConnectionBracket bracket(connection_);
        Write32(connection_, DeviceRegister::kPasscodeInput, *passcode, highWordFirst_);
        // From here the device may be open for writes, even if the read-back fails.
        entered_ = true;
        Write16(connection_, DeviceRegister::kPasscodeCommand, mode);
        if (Read16(connection_, DeviceRegister::kPasscodeCommand) == mode)
            return true;
        entered_ = false;
    }
    Prompts().Error(LoadText(TextId::PasscodeMismatch));
    return false;
}

void CWriteMode::Leave()
{
    if (!entered_)
        return;
    // One attempt: a failed leave is not retried by the destructor on a dead link.
    entered_ = false;
    CConnectionBracket bracket(connection_);
    Write16(connection_, DeviceRegister::kPasscodeCommand, 0);
    if (step_ == LeaveStep::Full ||
        Read32(connection_, DeviceRegister::kStoredPasscode, highWordFirst_) != 0)
        Write32(connection_, DeviceRegister::kPasscodeInput, 0, highWordFirst_);
}
