#include "app/DialogText.h"

#include "widgets/UiText.h"

QString DialogText(int id)
{
    QString text = UiText(id);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
