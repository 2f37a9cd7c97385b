#pragma once

// Keeps the computer from sleeping while a device operation runs (a monitor
// command, a transfer). The platform installs what asks its power manager; with
// nothing installed a request does nothing.
//
// A request belongs to the thread that makes it: the function is called with
// true on that thread when an operation starts and with false on the same
// thread when it ends.
using KeepAwakeFunction = void (*)(bool systemRequired);

// Installs f (nullptr uninstalls). Safe to call from any thread, but a guard
// keeps the function it found for its own end, so install before work starts.
void InstallKeepAwake(KeepAwakeFunction f);
KeepAwakeFunction InstalledKeepAwake();

// Asks to stay awake for its lifetime.
class CKeepAwake {
public:
    CKeepAwake();
    ~CKeepAwake();
    CKeepAwake(const CKeepAwake&) = delete;
    CKeepAwake& operator=(const CKeepAwake&) = delete;

private:
    KeepAwakeFunction function_;
};
