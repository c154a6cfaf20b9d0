#include "ConnectionTarget.h"

#include <QFileInfo>

QString ConnectionTarget::baseTitle()
{
    return QStringLiteral("Quernal管理");
}

ConnectionTarget ConnectionTarget::forSettings(const QString &host, const QString &file)
{
    ConnectionTarget t;
    t.database = file;
    const QString name = QFileInfo(file).fileName();
    if (host.isEmpty() || host.contains(QLatin1String("localhost"), Qt::CaseInsensitive)) {
        t.title = baseTitle() + QStringLiteral(" -- ") + name;
    } else {
        t.server = host;
        t.title = baseTitle() + QStringLiteral(" -- ") + host + u':' + name;
    }
    return t;
}
