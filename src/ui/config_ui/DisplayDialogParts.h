#pragma once

#include "config_ui/InterfaceDialogWidgets.h"

#include <vector>

#include "config/CodedList.h"

class CListCtrlInfoTip;
class QBoxLayout;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QWidget;

// Controls the display dialogs share.

// OK (id 1) and Cancel (id 2) at the bottom of a dialog.
void AddOkCancel(QDialog* dialog, QBoxLayout* layout);
// A drop-down list of the entries' texts, with `selected` chosen (-1: none).
QComboBox* CodedCombo(QWidget* parent, int controlId, const std::vector<CodedEntry>& entries,
                      int selected);
// Sizes a list to show all of its rows without scrolling, then fits its columns.
void FitListToRows(CListCtrlInfoTip* list, int rows, int width);
