#pragma once

class QDialog;
class QDialogButtonBox;

// OK (control id 1, the default button) and Cancel (id 2) wired to the
// dialog's accept and reject, with the texts of the given string ids.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog, int okTextId, int cancelTextId);
