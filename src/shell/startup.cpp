#include "shell/startup.h"

namespace yw {

QString buildString(int revision)
{
    return QStringLiteral("%1").arg(revision, 4, 10, QLatin1Char('0'));
}

QString commandLineProject(const QStringList& arguments)
{
    QString line = arguments.mid(1).join(QLatin1Char(' '));
    line.remove(QLatin1Char('"'));
    return line;
}

QString criticalStartUpMessage(int number, const QString& description, const QString& component)
{
    return QStringLiteral("A critical error was encountered while trying to start Yolkwright. "
                          "Please forward the following information to Brindlecote:\r\n") +
           QStringLiteral("Error #") + QString::number(number) + QStringLiteral("(") + description +
           QStringLiteral(") in ") + component;
}

} // namespace yw
