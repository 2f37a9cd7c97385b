#pragma once

class CBasicParameterDialog;

// The device and file commands of the main configuration window. Each runs
// on the GUI thread with the window whose button was pressed; a command
// throws CPrivateException to report a failure, which the window shows
// (an empty text, a user abort, is not shown).
class IMainWindowCommands {
public:
    virtual ~IMainWindowCommands() = default;

    virtual void Upload(CBasicParameterDialog& window) = 0;
    virtual void Download(CBasicParameterDialog& window) = 0;
    virtual void Protect(CBasicParameterDialog& window) = 0;
    virtual void Report(CBasicParameterDialog& window) = 0;
    virtual void SaveFile(CBasicParameterDialog& window) = 0;
    virtual void OpenFile(CBasicParameterDialog& window) = 0;
    virtual void Monitor(CBasicParameterDialog& window) = 0;
    virtual void Reboot(CBasicParameterDialog& window) = 0;
};

// The commands every main window uses unless it was given its own; not
// owned. Without any, the command buttons do nothing.
void SetMainWindowCommands(IMainWindowCommands* commands);
IMainWindowCommands* MainWindowCommands();
