#include "StoreFixture.h"

#include "StoreCreator.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpSocket>
#include <QVariant>

namespace StoreFixture {

void create(const QString &path, const QString &host)
{
    const QString error = StoreCreator::create(path, host);
    if (!error.isEmpty())
        qFatal("cannot create store %s: %s", qPrintable(path), qPrintable(error));
}

bool addMessage(QSqlDatabase &db, const QString &id, const QDateTime &date, const QString &subject,
                const QString &body, const QByteArray &file)
{
    QSqlQuery q(db);
    q.prepare("insert into Message_IdxTbl (Message_ID,Message_Date,Message_Subject,Message_dtype,Message_ftype,"
              "MailBody) values (?,?,?,'1','1',?)");
    q.addBindValue(id);
    q.addBindValue(date);
    q.addBindValue(subject);
    q.addBindValue(body);
    if (!q.exec()) {
        qWarning("insert index row: %s", qPrintable(q.lastError().text()));
        return false;
    }
    q.prepare("insert into Message_DatTBL (Message_ID,Message_Date,Message_FileName,Message_FileExt,MailDat) "
              "values (?,?,?,?,?)");
    q.addBindValue(id);
    q.addBindValue(date);
    q.addBindValue(QString("msg.eml"));
    q.addBindValue(QString(".eml"));
    q.addBindValue(file);
    if (!q.exec()) {
        qWarning("insert file row: %s", qPrintable(q.lastError().text()));
        return false;
    }
    return true;
}

QString serverHost()
{
    QTcpSocket s;
    s.connectToHost("127.0.0.1", 3050);
    return s.waitForConnected(1000) ? QStringLiteral("127.0.0.1") : QString();
}

} // namespace StoreFixture
