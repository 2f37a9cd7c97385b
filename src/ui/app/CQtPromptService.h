#pragma once

#include <QString>

#include "app/IPromptService.h"

class CSettingsStore;
class QWidget;

// The desktop program's prompts: message boxes, file dialogs, the Connect
// dialog and the passcode dialogs, each run modally over the active window.
class CQtPromptService : public IPromptService {
public:
    // Not owned: the store holds the remembered passcode.
    explicit CQtPromptService(CSettingsStore& store) : store_(store) {}

    PromptResult ShowMessage(const std::string& text, PromptIcon icon,
                             PromptButtons buttons) override;
    std::optional<std::string> AskFileName(const FileDialogRequest& request) override;
    bool ConnectDialog(ComSettings& settings) override;
    bool DownloadConnectDialog(ComSettings& settings, bool& verify) override;
    std::optional<std::uint32_t> EnterModbusPasscode() override;
    std::optional<ProtectRequest> ProtectSetting() override;

private:
    CSettingsStore& store_;
};

// A filter of the string table ("Configuration Files (*.cfg)|*.cfg|All Files
// (*.*)|*.*||") as a file dialog's name filters; "*.*" means every file.
QString ToQtFileFilter(const std::string& filter);
