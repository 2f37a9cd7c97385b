#include "monitor/MonitorWindows.h"

#include "app/IPromptService.h"
#include "monitor/CMyORMEL2Dlg.h"
#include "monitor/CMyORMELDlg.h"
#include "monitor/CPMDialog.h"
#include "monitor/MonitorWindowTexts.h"
#include "text/CStringTable.h"
#include "widgets/ModalRunner.h"

int OpenMonitorWindow(MonitorWindowKind kind, const CDeviceType&, CModbusInterface& connection,
                      QWidget*)
{
    if (kind == MonitorWindowKind::PowerManagement) {
        CPMDialog window(connection);
        return RunModal(window);
    }
    if (kind == MonitorWindowKind::Second) {
        CMyORMEL2Dlg window(connection);
        return RunModal(window);
    }
    if (kind != MonitorWindowKind::Standard) {
        Prompts().ShowMessage(LoadText(MonitorWindowText::kFamilyNotAvailable),
                              PromptIcon::Information, PromptButtons::Ok);
        return 0;
    }
    // A window of its own: its parent, the main window, is hidden meanwhile.
    CMyORMELDlg window(connection);
    return RunModal(window);
}
