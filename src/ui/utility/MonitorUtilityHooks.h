#pragma once

class CMyORMELDlg;

// "Utility" of the standard monitor window: the utility window on the
// window's connection, for the device its worker has identified, resetting
// the second input when the window shows channel 2.
void RunMonitorUtilityDialog(CMyORMELDlg& window);
