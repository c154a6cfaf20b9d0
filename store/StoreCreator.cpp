#include "StoreCreator.h"

#include "StoreCredentials.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <ibase.h>

namespace StoreCreator {

namespace {

QString statusText(const ISC_STATUS *status)
{
    QStringList parts;
    char buf[1024];
    const ISC_STATUS *p = status;
    while (fb_interpret(buf, sizeof buf, &p))
        parts << QString::fromUtf8(buf);
    return parts.join(u' ');
}

QString quoted(const QString &s)
{
    QString t = s;
    t.replace(u'\'', QLatin1String("''"));
    return u'\'' + t + u'\'';
}

} // namespace

QStringList schemaStatements()
{
    QFile f(QStringLiteral(":/store/schema.sql"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList statements;
    QString current;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1String("--")))
            continue;
        current += line + u'\n';
        if (t.endsWith(u';')) {
            current = current.trimmed();
            current.chop(1);
            statements << current;
            current.clear();
        }
    }
    return statements;
}

QString create(const QString &path, const QString &host)
{
    const QString target = host.isEmpty() ? path : host + u':' + path;
    const QByteArray sql = QStringLiteral("CREATE DATABASE %1 USER %2 PASSWORD %3 PAGE_SIZE 16384 "
                                          "DEFAULT CHARACTER SET UTF8")
                               .arg(quoted(target), quoted(QString::fromLatin1(StoreCredentials::kUser)),
                                    quoted(QString::fromLatin1(StoreCredentials::kPassword)))
                               .toUtf8();
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    if (isc_dsql_execute_immediate(status, &db, &tr, 0, sql.constData(), SQL_DIALECT_V6, nullptr))
        return statusText(status);
    isc_detach_database(status, &db);

    const QString name = QStringLiteral("create-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString error;
    {
        QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), name);
        c.setDatabaseName(path);
        c.setHostName(host);
        c.setUserName(QString::fromLatin1(StoreCredentials::kUser));
        c.setPassword(QString::fromLatin1(StoreCredentials::kPassword));
        if (!c.open()) {
            error = c.lastError().text();
        } else {
            QSqlQuery q(c);
            for (const QString &s : schemaStatements()) {
                if (!q.exec(s)) {
                    error = q.lastError().text();
                    break;
                }
            }
            c.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

} // namespace StoreCreator
