#pragma once

#include <QGuiApplication>

#include <utility>

#include "app/CPrivateException.h"
#include "app/RunShowingErrors.h"
#include "device/ParameterTransfer.h"

// A device command of the utility windows at the user-interface boundary. An
// exchange that failed on the way or that the device refused with an
// exception reads like the monitor windows' "Communication error." message,
// which tells the user what to check; any other error shows its own text; an
// abort passes silently. True when the command ran to its end.
template <class Command> bool RunDeviceCommand(Command&& command)
{
    return RunShowingErrors([&] {
        try {
            std::forward<Command>(command)();
        } catch (const CPrivateException& e) {
            if (e.Kind() != FaultKind::Link && e.Kind() != FaultKind::DeviceException)
                throw;
            throw CPrivateException(CommunicationErrorText(e.Text()), e.Kind());
        }
    });
}

// The wait cursor for the scope of a command that blocks the window.
class CWaitCursor {
public:
    CWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
