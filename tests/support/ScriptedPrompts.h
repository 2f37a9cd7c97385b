#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/IPromptService.h"
#include "comm/ComSettings.h"

// A prompt service that answers from queues filled by the test and records
// every message it was shown. An unexpected question is declined.
class CScriptedPrompts : public IPromptService {
public:
    struct Shown {
        std::string text;
        PromptIcon icon;
        PromptButtons buttons;
    };

    std::deque<PromptResult> answers;
    std::deque<std::optional<std::string>> fileNames;
    std::deque<std::optional<ComSettings>> connects; // nullopt = Cancel
    // "Verify after download" as the user leaves it; empty: as it was offered.
    std::deque<bool> verifyChoices;
    std::vector<bool> verifyOffered; // the state each Download's Connect dialog opened with
    std::deque<std::optional<std::uint32_t>> passcodes;
    std::deque<std::optional<ProtectRequest>> protects;
    std::vector<Shown> shown;
    int connectCount = 0;
    int passcodeCount = 0;

    PromptResult ShowMessage(const std::string& text, PromptIcon icon,
                             PromptButtons buttons) override
    {
        shown.push_back({text, icon, buttons});
        if (!answers.empty()) {
            const PromptResult r = answers.front();
            answers.pop_front();
            return r;
        }
        return IsYesNo(buttons)                     ? PromptResult::No
               : buttons == PromptButtons::OkCancel ? PromptResult::Cancel
                                                    : PromptResult::Ok;
    }
    std::optional<std::string> AskFileName(const FileDialogRequest&) override
    {
        return Pop(fileNames);
    }
    bool ConnectDialog(ComSettings& settings) override
    {
        ++connectCount;
        auto s = Pop(connects);
        if (!s)
            return false;
        settings = *s;
        return true;
    }
    bool DownloadConnectDialog(ComSettings& settings, bool& verify) override
    {
        verifyOffered.push_back(verify);
        const bool connected = ConnectDialog(settings);
        if (!verifyChoices.empty()) {
            if (connected)
                verify = verifyChoices.front();
            verifyChoices.pop_front();
        }
        return connected;
    }
    std::optional<std::uint32_t> EnterModbusPasscode() override
    {
        ++passcodeCount;
        return Pop(passcodes);
    }
    std::optional<ProtectRequest> ProtectSetting() override { return Pop(protects); }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> t;
        for (const auto& s : shown)
            t.push_back(s.text);
        return t;
    }

private:
    template <typename T> static std::optional<typename T::value_type::value_type> Pop(T& queue)
    {
        if (queue.empty())
            return std::nullopt;
        auto v = queue.front();
        queue.pop_front();
        return v;
    }
};

// Installs a prompt service for the lifetime of a test.
class CPromptScope {
public:
    explicit CPromptScope(IPromptService& s) { SetPromptService(&s); }
    ~CPromptScope() { SetPromptService(nullptr); }
    CPromptScope(const CPromptScope&) = delete;
    CPromptScope& operator=(const CPromptScope&) = delete;
};
