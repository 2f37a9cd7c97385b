#pragma once

// Registers the display settings dialogs with the main window's buttons:
// Display (the ZNEPW dialog on ZNEPW), Ext. Bar, Sigma Disp., Expression
// and Short Cut.
void RegisterDisplayDialogs();
