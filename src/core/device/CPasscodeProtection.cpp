#include "device/CPasscodeProtection.h"

#include <array>
#include <chrono>
#include <thread>

#include "app/IPromptService.h"
#include "comm/CModbusInterface.h"
#include "device/DeviceRegisters.h"
#include "device/RegisterMap.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"

namespace {

constexpr int kTextNoPasscodeSupport = 11020;

constexpr std::uint16_t kRequestAccess = 1;
constexpr std::uint16_t kAccessGranted = 1;
constexpr std::uint16_t kLockAccess = 0;
// Between two reads of the command register while waiting for access.
constexpr auto kPollPause = std::chrono::milliseconds(20);

// Opens the connection for one series of requests unless the caller already has.
class CTransactionBracket {
public:
    explicit CTransactionBracket(CModbusInterface& connection)
        : connection_(connection), opened_(!connection.IsOpen())
    {
        if (opened_)
            connection_.Open();
    }
    ~CTransactionBracket()
    {
        if (opened_)
            connection_.Close();
    }
    CTransactionBracket(const CTransactionBracket&) = delete;
    CTransactionBracket& operator=(const CTransactionBracket&) = delete;

private:
    CModbusInterface& connection_;
    const bool opened_;
};

} // namespace

CPasscodeProtection::~CPasscodeProtection()
{
    quiet_ = true;
    try {
        Lock();
    } catch (...) {
        // Never replace an exception that is unwinding.
    }
}

void CPasscodeProtection::SelectRegisters(CModbusInterface& connection)
{
    connection_ = &connection;
    identity_.Identify(connection);
    const bool qh = identity_.Has(CapQh);
    commandRegister_ = qh ? DeviceRegister::kQhPasscodeCommand : DeviceRegister::kPasscodeCommand;
    passcodeInputRegister_ = qh ? DeviceRegister::kQhPasscodeInput : DeviceRegister::kPasscodeInput;
    storedPasscodeRegister_ =
        qh ? DeviceRegister::kQhStoredPasscode : DeviceRegister::kStoredPasscode;
    swap_ = false;
    if (HasWordOrderRegister(identity_)) {
        std::uint16_t order = 0;
        connection.ReadHoldingRegisters(DeviceRegister::kWordOrder, 1, &order);
        swap_ = order == 1;
    }
}

std::uint32_t CPasscodeProtection::Read32(int reg)
{
    std::array<std::uint16_t, 2> words{};
    connection_->ReadHoldingRegisters(reg, 2, words.data());
    const std::uint16_t low = swap_ ? words[1] : words[0];
    const std::uint16_t high = swap_ ? words[0] : words[1];
    return std::uint32_t(low) | (std::uint32_t(high) << 16);
}

void CPasscodeProtection::Write32(int reg, std::uint32_t value)
{
    connection_->WriteDoubleWords(reg, 1, &value, swap_);
}

void CPasscodeProtection::WriteCommand(std::uint16_t value)
{
    connection_->WriteMultipleRegisters(commandRegister_, 1, &value);
}

std::uint16_t CPasscodeProtection::ReadCommand()
{
    std::uint16_t value = 0;
    connection_->ReadHoldingRegisters(commandRegister_, 1, &value);
    return value;
}

// A device grants access some time after the passcode; a wrong passcode is never granted.
bool CPasscodeProtection::AwaitAccess()
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kGrantTimeoutMs);
    while (true) {
        if (ReadCommand() == kAccessGranted)
            return true;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kPollPause);
    }
}

bool CPasscodeProtection::Unlock(CModbusInterface& connection)
{
    {
        CTransactionBracket bracket(connection);
        SelectRegisters(connection);
        if (Read32(storedPasscodeRegister_) == 0) {
            WriteCommand(kRequestAccess);
            unlocked_ = true;
            return true;
        }
    }
    const std::optional<std::uint32_t> passcode = Prompts().EnterModbusPasscode();
    if (!passcode)
        return false;
    {
        CTransactionBracket bracket(connection);
        Write32(passcodeInputRegister_, *passcode);
        WriteCommand(kRequestAccess);
        if (AwaitAccess()) {
            unlocked_ = true;
            return true;
        }
    }
    Prompts().Error(LoadText(TextId::PasscodeMismatch));
    return false;
}

void CPasscodeProtection::Lock()
{
    if (!unlocked_ || !connection_)
        return;
    try {
        CTransactionBracket bracket(*connection_);
        Relock();
    } catch (...) {
        if (!quiet_)
            throw;
    }
    unlocked_ = false;
}

void CPasscodeProtection::Relock()
{
    WriteCommand(kLockAccess);
    Write32(passcodeInputRegister_, 0);
}

bool CPasscodeProtection::ChangeProtection(CModbusInterface& connection)
{
    bool supported = true;
    {
        CTransactionBracket bracket(connection);
        SelectRegisters(connection);
        // Devices without the feature read 0 at the passcode input.
        if (!identity_.Has(CapQh))
            supported = Read32(passcodeInputRegister_) != 0;
    }
    if (!supported) {
        Prompts().Error(LoadText(kTextNoPasscodeSupport));
        return false;
    }
    const std::optional<ProtectRequest> request = Prompts().ProtectSetting();
    if (!request)
        return false;
    if (TryChange(request->currentPasscode, request->newPasscode))
        return true;
    Prompts().Error(LoadText(TextId::PasscodeMismatch));
    return false;
}

bool CPasscodeProtection::TryChange(std::uint32_t currentPasscode, std::uint32_t newPasscode)
{
    CTransactionBracket bracket(*connection_);
    Write32(passcodeInputRegister_, currentPasscode);
    WriteCommand(kRequestAccess);
    if (ReadCommand() != kAccessGranted)
        return false;
    Write32(storedPasscodeRegister_, newPasscode);
    // Leave the device as protected as it now should be, not open for writes.
    Relock();
    return true;
}
