#include "utility/MonitorUtilityHooks.h"

#include "monitor/CMonitorWorker.h"
#include "monitor/CMyORMEL2Dlg.h"
#include "monitor/CMyORMELDlg.h"
#include "utility/CUtilityDialog.h"

void RunMonitorUtilityDialog(CMyORMELDlg& window)
{
    RunUtilityDialog(window.Connection(), window.Worker().ConnectedDevice(),
                     window.UtilitySelector(), &window);
}

void RunZnMonitorUtilityDialog(CMyORMEL2Dlg& window)
{
    RunUtilityDialog(window.Connection(), window.ConnectedDevice(), false, &window);
}
