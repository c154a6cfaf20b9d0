#include "CommandLine.h"

#include <QString>

CommandLine CommandLine::parse(const QStringList &args)
{
    CommandLine c;
    if (args.isEmpty())
        return c;
    const QString first = args.first();
    if (first.contains(QLatin1String("help"), Qt::CaseInsensitive)) {
        c.helpRequested = true;
        return c;
    }
    bool ok = false;
    const int n = first.trimmed().toInt(&ok);
    if (ok)
        c.theme = (n < 0 || n > 3) ? 0 : n;
    return c;
}

QString CommandLine::helpText()
{
    return QStringLiteral("コマンドライン引数\r\n0:Win/1:ライト/2:ダーク/3:Win10");
}
