#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "app/IPromptService.h"
#include "comm/ComSettings.h"

// The prompt service of ormel-cli: messages go to the error stream, answers
// come from the input stream (the terminal, or a pipe when scripted). Typed
// passcodes are not echoed on a terminal. There are no file dialogs: files
// are named on the command line.
class CTerminalPrompts : public IPromptService {
public:
    // Not owned; both streams outlive the service.
    CTerminalPrompts(std::FILE* in, std::FILE* out);

    // The connection of the command line, handed out by ConnectDialog.
    void SetConnection(const ComSettings& settings) { connection_ = settings; }
    // Answers the passcode question without asking (--passcode).
    void SetPasscode(std::uint32_t passcode) { passcode_ = passcode; }

    PromptResult ShowMessage(const std::string& text, PromptIcon icon,
                             PromptButtons buttons) override;
    std::optional<std::string> AskFileName(const FileDialogRequest& request) override;
    bool ConnectDialog(ComSettings& settings) override;
    std::optional<std::uint32_t> EnterModbusPasscode() override;
    std::optional<ProtectRequest> ProtectSetting() override;

    // Whether an error message has been shown, so the caller need not add its own.
    bool ErrorShown() const { return errorShown_; }

private:
    // A line without its end, or nothing at the end of the input.
    std::optional<std::string> ReadLine(bool hidden);

    std::FILE* in_;
    std::FILE* out_;
    std::optional<ComSettings> connection_;
    std::optional<std::uint32_t> passcode_;
    bool errorShown_ = false;
};

// The system's texts break lines with "\r" (message boxes); a terminal needs "\n".
std::string TerminalText(const std::string& text);
