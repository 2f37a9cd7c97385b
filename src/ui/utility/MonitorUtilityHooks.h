#pragma once

class CMyORMEL2Dlg;
class CMyORMELDlg;

// "Utility" of the standard monitor window: the utility window on the
// window's connection, for the device its worker has identified, resetting
// the second input when the window shows channel 2.
void RunMonitorUtilityDialog(CMyORMELDlg& window);

// "Utility" of the ZN monitor window: the utility window for the device its
// jobs identified; the resets ask which circuits they apply to.
void RunZnMonitorUtilityDialog(CMyORMEL2Dlg& window);
