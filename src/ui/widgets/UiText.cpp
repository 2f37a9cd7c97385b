#include "widgets/UiText.h"

#include <QWidget>

#include <vector>

#include "text/CStringTable.h"

QString UiText(int id)
{
    return QString::fromStdString(LoadText(id));
}

QString UiFormat(int id, std::initializer_list<QString> inserts)
{
    std::vector<FormatArg> args;
    for (const QString& s : inserts)
        args.emplace_back(s.toStdString());
    return QString::fromStdString(FormatText(id, args));
}

QString ControlName(int controlId)
{
    return QStringLiteral("c%1").arg(controlId);
}

void SetControlId(QWidget* widget, int controlId)
{
    widget->setObjectName(ControlName(controlId));
}
