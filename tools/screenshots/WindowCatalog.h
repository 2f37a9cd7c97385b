#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Every window of the program, each made in one variant or state that shows
// it. The screenshots tool renders each of them, and the window text check
// opens each of them in both languages and fails on a text that is missing,
// so a window listed here is reviewed and text-checked alike.
//
// How a window joins: add a line to the Add...Windows function of its group
// (AlarmDialogs.cpp, MainWindow.cpp, ...):
//     catalog.Add("Alarm_KTB", DialogOf<CAlarmDialog>(39));
// The factory runs once per language, after the language has been switched,
// so the window is built in that language; it must not run a modal loop or
// reach a device. A new group is a new source file in this folder with its
// own Add...Windows function, declared below and called from AllWindows() in
// WindowCatalog.cpp. The functions are called explicitly, not from
// self-registering statics, because this is a static library: the linker
// would drop an object file that nothing refers to, and its windows with it.
struct WindowEntry {
    std::string name;
    std::function<std::unique_ptr<QWidget>()> make;
};

class CWindowCatalog {
public:
    void Add(std::string name, std::function<std::unique_ptr<QWidget>()> make);
    const std::vector<WindowEntry>& Entries() const { return entries_; }

private:
    std::vector<WindowEntry> entries_;
};

// The whole list, built on first use, in the order of the groups below.
const std::vector<WindowEntry>& AllWindows();

void AddAppShellWindows(CWindowCatalog& catalog);
void AddMainWindows(CWindowCatalog& catalog);
void AddInputDialogWindows(CWindowCatalog& catalog);
void AddAlarmDialogWindows(CWindowCatalog& catalog);
void AddDisplayDialogWindows(CWindowCatalog& catalog);
void AddInterfaceDialogWindows(CWindowCatalog& catalog);
void AddCommandWindows(CWindowCatalog& catalog);
void AddWidgetWindows(CWindowCatalog& catalog);
void AddMonitorWindows(CWindowCatalog& catalog);
void AddZnMonitorWindows(CWindowCatalog& catalog);
void AddUtilityWindows(CWindowCatalog& catalog);
void AddQhMonitorWindows(CWindowCatalog& catalog);
void AddTestWindows(CWindowCatalog& catalog);
