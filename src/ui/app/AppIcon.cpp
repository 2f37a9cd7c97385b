#include "app/AppIcon.h"

#include <QWidget>

// The resource is compiled into a static library: register it explicitly so
// the linker keeps it. Q_INIT_RESOURCE must be used outside any namespace.
static void InitAppResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(ormel);
        return true;
    }();
    (void)done;
}

QIcon AppIcon()
{
    InitAppResources();
    static const QIcon icon(QStringLiteral(":/icons/ormel.png"));
    return icon;
}

void ApplyAppIcon(QWidget& window)
{
    window.setWindowIcon(AppIcon());
}
