#pragma once

#include <functional>

class QDialog;

// Runs a dialog modally. The program runs it with exec(); tests install a
// runner that sets values and accepts or rejects without a nested event loop.
using ModalRunnerFn = std::function<int(QDialog&)>;

int RunModal(QDialog& dialog);
// Installs a runner for the current thread's dialogs; an empty one restores exec().
void SetModalRunner(ModalRunnerFn runner);
