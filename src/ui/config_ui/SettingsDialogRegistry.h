#pragma once

#include <QDialog>

#include <functional>
#include <memory>

#include "device/ParameterSet.h"

class QWidget;

// A settings dialog opened from a button of the main window, made with its
// own copy of the working set. `parameters` gives that copy back after the
// dialog ended with Accepted.
struct SettingsDialogHandle {
    std::unique_ptr<QDialog> dialog;
    std::function<ParameterSet()> parameters;
};

// Makes the dialog of a button for the working set; the factory picks the
// dialog that fits the set's variant (Display and Modbus have two each).
using SettingsDialogFactory =
    std::function<SettingsDialogHandle(const ParameterSet& working, QWidget* parent)>;

// The dialog behind a settings button (Alarm 1052, Tariff 1036, ...). A later
// registration replaces an earlier one; an empty factory removes it.
void RegisterSettingsDialog(int controlId, SettingsDialogFactory factory);
// The factory of a button, or nullptr: such a button does nothing.
const SettingsDialogFactory* FindSettingsDialog(int controlId);

// The factory of a dialog class that follows the commit pattern: constructed
// as Dialog(const ParameterSet&, QWidget* parent), with Parameters().
template <typename Dialog> SettingsDialogFactory SettingsDialogOf()
{
    return [](const ParameterSet& working, QWidget* parent) {
        auto dialog = std::make_unique<Dialog>(working, parent);
        Dialog* d = dialog.get();
        return SettingsDialogHandle{std::move(dialog), [d] { return d->Parameters(); }};
    };
}
