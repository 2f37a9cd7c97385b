#include "WindowCatalog.h"

void CWindowCatalog::Add(std::string name, std::function<std::unique_ptr<QWidget>()> make)
{
    entries_.push_back({std::move(name), std::move(make)});
}

const std::vector<WindowEntry>& AllWindows()
{
    static const std::vector<WindowEntry> entries = [] {
        CWindowCatalog catalog;
        AddAppShellWindows(catalog);
        AddMainWindows(catalog);
        AddInputDialogWindows(catalog);
        AddAlarmDialogWindows(catalog);
        AddDisplayDialogWindows(catalog);
        AddInterfaceDialogWindows(catalog);
        AddCommandWindows(catalog);
        AddWidgetWindows(catalog);
        AddMonitorWindows(catalog);
        AddZnMonitorWindows(catalog);
        AddUtilityWindows(catalog);
        AddQhMonitorWindows(catalog);
        AddTestWindows(catalog);
        return catalog.Entries();
    }();
    return entries;
}
