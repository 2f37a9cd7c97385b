#pragma once

#include <QIcon>

class QWidget;

// The program's icon (resource 128 of the original program); set on every
// window that shows one, whatever the display language.
QIcon AppIcon();
void ApplyAppIcon(QWidget& window);
