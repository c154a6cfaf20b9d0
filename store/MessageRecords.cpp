#include "MessageRecords.h"

#include "SafeName.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const char *kInsertIdx =
    "insert into Message_IdxTbl (Message_ID,Message_Date,Account_Key,Sender_Name,Sender_Address,Recieve_Name,"
    "Recieve_Address,Message_Subject,Message_dtype,Message_ftype,MailBody) values (:Message_ID,:Message_Date,"
    ":Account_Key,:Sender_Name,:Sender_Address,:Recieve_Name,:Recieve_Address,:Message_Subject,:Message_dtype,"
    ":Message_ftype,:MailBody)";
const char *kUpdateIdx =
    "update Message_IdxTbl set Account_Key = :Account_Key,Sender_Name  = :Sender_Name,Sender_Address = "
    ":Sender_Address,Recieve_Name = :Recieve_Name, Recieve_Address  = :Recieve_Address,Message_Subject = "
    ":Message_Subject,Message_dtype = :Message_dtype, Message_ftype = :Message_ftype, MailBody  = :MailBody where "
    "Message_ID = :old_Message_ID and Message_Date = :old_Message_Date";
const char *kInsertDat =
    "insert into Message_DatTBL (Message_ID,Message_Date,Message_FileName,Message_FileExt,MailDat) values "
    "(:Message_ID,:Message_Date,:Message_FileName,:Message_FileExt,:MailDat) ";
const char *kUpdateDat =
    "update Message_DatTBL set Message_FileName = :Message_FileName,Message_FileExt = :Message_FileExt,MailDat = "
    ":MailDat where Message_ID = :old_Message_ID and Message_Date = :old_Message_Date";

// Only "this pair is stored already" turns an insert into a replace.
bool isDuplicatePair(const QSqlError &e)
{
    return e.nativeErrorCode() == QLatin1String("-803") ||
           e.databaseText().contains(QLatin1String("PRIMARY or UNIQUE KEY"), Qt::CaseInsensitive);
}

QString errorText(const QSqlError &e)
{
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

} // namespace

std::optional<QDateTime> MessageRecord::parseDate(const QString &text)
{
    const QString t = text.trimmed();
    for (const char *f : {"yyyy/MM/dd hh:mm:ss", "yyyy/M/d h:mm:ss", "yyyy/MM/dd hh:mm", "yyyy/M/d h:mm"}) {
        const QDateTime d = QDateTime::fromString(t, QString::fromLatin1(f));
        if (d.isValid())
            return d;
    }
    for (const char *f : {"yyyy/MM/dd", "yyyy/M/d"}) {
        const QDate d = QDate::fromString(t, QString::fromLatin1(f));
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    return std::nullopt;
}

QString MessageRecord::ftypeFor(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    return ext == QLatin1String("eml") ? QStringLiteral("1") : ext == QLatin1String("msg") ? QStringLiteral("2")
                                                                                          : QStringLiteral("0");
}

std::optional<MessageRecord> MessageRecord::fromFields(const std::array<QString, 8> &e, const QString &body, int mDatType,
                                                       const QString &storedFile)
{
    const auto date = parseDate(e[1]);
    if (!date)
        return std::nullopt;
    MessageRecord r;
    r.messageId = e[0];
    r.date = *date;
    r.accountKey = e[2];
    r.senderName = e[3];
    r.senderAddress = e[4];
    r.recieveName = e[5];
    r.recieveAddress = e[6];
    r.subject = e[7];
    r.dtype = QString::number(mDatType).left(1);
    r.ftype = ftypeFor(storedFile);
    r.body = body;
    r.storedFile = storedFile;
    return r;
}

QSqlDatabase MessageRecords::db() const
{
    return QSqlDatabase::database(m_connection, false);
}

MessageRecords::Result MessageRecords::registerMessage(const MessageRecord &rec)
{
    Result res;
    QFile file(rec.storedFile);
    if (!file.open(QIODevice::ReadOnly)) {
        res.message = QStringLiteral("更新できませんでした(Message_DatTBL)\r\n") + file.errorString();
        return res;
    }
    const QByteArray bytes = file.readAll();
    file.close();

    QSqlDatabase c = db();
    if (!c.transaction()) {
        res.message = QStringLiteral("更新できませんでした(Message_IdxTbl)") + errorText(c.lastError());
        return res;
    }
    auto fail = [&](const QString &text) {
        c.rollback();
        res.outcome = Outcome::Failed;
        res.message = text;
        return res;
    };
    QSqlQuery q(c);
    auto bindIdx = [&](bool update) {
        q.bindValue(QStringLiteral(":Account_Key"), rec.accountKey);
        q.bindValue(QStringLiteral(":Sender_Name"), rec.senderName);
        q.bindValue(QStringLiteral(":Sender_Address"), rec.senderAddress);
        q.bindValue(QStringLiteral(":Recieve_Name"), rec.recieveName);
        q.bindValue(QStringLiteral(":Recieve_Address"), rec.recieveAddress);
        q.bindValue(QStringLiteral(":Message_Subject"), rec.subject);
        q.bindValue(QStringLiteral(":Message_dtype"), rec.dtype);
        q.bindValue(QStringLiteral(":Message_ftype"), rec.ftype);
        q.bindValue(QStringLiteral(":MailBody"), rec.body);
        q.bindValue(update ? QStringLiteral(":old_Message_ID") : QStringLiteral(":Message_ID"), rec.messageId);
        q.bindValue(update ? QStringLiteral(":old_Message_Date") : QStringLiteral(":Message_Date"), rec.date);
    };
    bool replaced = false;
    q.prepare(QString::fromLatin1(kInsertIdx));
    bindIdx(false);
    if (!q.exec()) {
        const QSqlError e = q.lastError();
        if (!isDuplicatePair(e))
            return fail(QStringLiteral("更新できませんでした(Message_IdxTbl)") + errorText(e));
        q.prepare(QString::fromLatin1(kUpdateIdx));
        bindIdx(true);
        if (!q.exec())
            return fail(QStringLiteral("更新できませんでした(Message_IdxTbl)") + errorText(q.lastError()));
        replaced = true;
    }

    const QFileInfo fi(rec.storedFile);
    const QString name = fi.fileName().trimmed();
    const QString ext = fi.suffix().isEmpty() ? QString() : (u'.' + fi.suffix()).trimmed();
    auto bindDat = [&](bool update) {
        q.bindValue(QStringLiteral(":Message_FileName"), name);
        q.bindValue(QStringLiteral(":Message_FileExt"), ext);
        q.bindValue(QStringLiteral(":MailDat"), bytes);
        q.bindValue(update ? QStringLiteral(":old_Message_ID") : QStringLiteral(":Message_ID"), rec.messageId);
        q.bindValue(update ? QStringLiteral(":old_Message_Date") : QStringLiteral(":Message_Date"), rec.date);
    };
    q.prepare(QString::fromLatin1(kInsertDat));
    bindDat(false);
    if (!q.exec()) {
        const QSqlError e = q.lastError();
        if (!isDuplicatePair(e))
            return fail(QStringLiteral("UPdate できませんでした(Message_DatTBL)\r\n") + errorText(e));
        q.prepare(QString::fromLatin1(kUpdateDat));
        bindDat(true);
        if (!q.exec())
            return fail(QStringLiteral("UPdate できませんでした(Message_DatTBL)\r\n") + errorText(q.lastError()));
    }
    q.finish();
    if (!c.commit())
        return fail(QStringLiteral("更新できませんでした(Message_IdxTbl)") + errorText(c.lastError()));
    res.outcome = replaced ? Outcome::Replaced : Outcome::Inserted;
    return res;
}

std::optional<MessageRecords::Loaded> MessageRecords::load(const QString &id, const QDateTime &date,
                                                            const QString &folder, QString *error)
{
    QSqlQuery q(db());
    q.prepare(QStringLiteral("select Message_FileName,Message_FileExt,MailDat from Message_DatTBL where Message_ID "
                             "= :Message_ID and Message_Date = :Message_Date"));
    q.bindValue(QStringLiteral(":Message_ID"), id);
    q.bindValue(QStringLiteral(":Message_Date"), date);
    if (!q.exec()) {
        if (error)
            *error = errorText(q.lastError());
        return std::nullopt;
    }
    if (!q.next()) {
        // An index row without its file: nothing to show.
        if (error)
            *error = QStringLiteral("no stored file for this message");
        return std::nullopt;
    }
    Loaded l;
    // The stored name becomes a file in our folder: never a path elsewhere.
    l.extension = q.value(1).toString();
    l.fileName = SafeFileName(q.value(0).toString());
    l.path = SafePathIn(folder, l.fileName);
    QSaveFile out(l.path);
    if (!out.open(QIODevice::WriteOnly) || out.write(q.value(2).toByteArray()) < 0 || !out.commit()) {
        if (error)
            *error = out.errorString();
        return std::nullopt;
    }
    return l;
}

bool MessageRecords::remove(const QString &id, const QDateTime &date, QString *error)
{
    QSqlDatabase c = db();
    if (!c.transaction()) {
        if (error)
            *error = errorText(c.lastError());
        return false;
    }
    QSqlQuery q(c);
    for (const char *sql : {"delete from Message_DatTBL where Message_ID = :Message_ID and Message_Date = :Message_Date",
                            "delete from Message_IdxTbl where Message_ID = :Message_ID and Message_Date = :Message_Date"}) {
        q.prepare(QString::fromLatin1(sql));
        q.bindValue(QStringLiteral(":Message_ID"), id);
        q.bindValue(QStringLiteral(":Message_Date"), date);
        if (!q.exec()) {
            if (error)
                *error = errorText(q.lastError());
            c.rollback();
            return false;
        }
    }
    q.finish();
    if (!c.commit()) {
        if (error)
            *error = errorText(c.lastError());
        return false;
    }
    return true;
}
