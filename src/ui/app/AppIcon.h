#pragma once

#include <QIcon>

class QWidget;

// The program's icon. It is built into the executable, never taken from a
// language module, so every window that shows one has it in every language.
QIcon AppIcon();
void ApplyAppIcon(QWidget& window);
