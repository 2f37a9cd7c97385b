#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct ComSettings;

enum class PromptIcon { None, Error, Warning, Information, Question };
// YesNoDefaultNo: Yes and No with No as the default button, for a question
// whose Yes cannot be taken back.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoDefaultNo };
enum class PromptResult { Ok, Cancel, Yes, No };

constexpr bool IsYesNo(PromptButtons buttons)
{
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoDefaultNo;
}

// A file dialog. The filter is a string-table filter text such as
// "Configuration Files (*.cfg)|*.cfg|All Files (*.*)|*.*||".
struct FileDialogRequest {
    bool save = false;
    std::string filter;
    std::string defaultExtension; // appended when the name has none
    bool overwritePrompt = true;  // save only
};

// What "Protect Setting" hands back on OK: both passcodes already checked
// (1..999999999, or 0 for an empty field).
struct ProtectRequest {
    std::uint32_t currentPasscode = 0;
    std::uint32_t newPasscode = 0;
};

// Everything that asks the user something while a command runs: message
// boxes, file dialogs and the small input dialogs. The desktop program shows
// real windows; the command-line tool asks on the terminal; tests answer from
// a script. Called on the GUI thread only.
class IPromptService {
public:
    virtual ~IPromptService() = default;

    virtual PromptResult ShowMessage(const std::string& text, PromptIcon icon,
                                     PromptButtons buttons) = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<std::string> AskFileName(const FileDialogRequest& request) = 0;
    // The Connect dialog: edits the settings in place; false when cancelled.
    virtual bool ConnectDialog(ComSettings& settings) = 0;
    // The Connect dialog of a Download, which also offers "Verify after
    // download": verify comes in as the remembered choice and goes out as the
    // user's. A service without the option asks for the connection only.
    virtual bool DownloadConnectDialog(ComSettings& settings, bool& /*verify*/)
    {
        return ConnectDialog(settings);
    }
    // "Enter Modbus Passcode": the passcode to send, or nothing when cancelled.
    virtual std::optional<std::uint32_t> EnterModbusPasscode() = 0;
    // "Protect Setting": nothing when cancelled.
    virtual std::optional<ProtectRequest> ProtectSetting() = 0;

    void Error(const std::string& text) { ShowMessage(text, PromptIcon::Error, PromptButtons::Ok); }
    bool AskYesNo(const std::string& text)
    {
        return ShowMessage(text, PromptIcon::Question, PromptButtons::YesNo) == PromptResult::Yes;
    }
};

// The process's prompt service; not owned. Set by the program at start.
void SetPromptService(IPromptService* service);
IPromptService& Prompts();
