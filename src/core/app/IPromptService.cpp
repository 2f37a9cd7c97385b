#include "app/IPromptService.h"

#include <atomic>

#include "comm/ComSettings.h"

namespace {

// Without a user to ask, everything is declined and messages are dropped.
class CNoPrompts : public IPromptService {
public:
    PromptResult ShowMessage(const std::string&, PromptIcon, PromptButtons buttons) override
    {
        return IsYesNo(buttons)                     ? PromptResult::No
               : buttons == PromptButtons::OkCancel ? PromptResult::Cancel
                                                    : PromptResult::Ok;
    }
    std::optional<std::string> AskFileName(const FileDialogRequest&) override { return {}; }
    bool ConnectDialog(ComSettings&) override { return false; }
    std::optional<std::uint32_t> EnterModbusPasscode() override { return {}; }
    std::optional<ProtectRequest> ProtectSetting() override { return {}; }
};

CNoPrompts g_noPrompts;
std::atomic<IPromptService*> g_service{nullptr};

} // namespace

void SetPromptService(IPromptService* service)
{
    g_service = service;
}

IPromptService& Prompts()
{
    IPromptService* s = g_service;
    return s ? *s : g_noPrompts;
}
