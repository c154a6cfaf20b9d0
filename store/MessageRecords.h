#pragma once
#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

class QSqlDatabase;

// One stored message as registration writes it: the index record and the
// file the message came from.
struct MessageRecord
{
    QString messageId, accountKey, senderName, senderAddress, recieveName, recieveAddress, subject;
    QDateTime date;
    QString dtype;   // "0" … "3"
    QString ftype;   // "1" .eml, "2" .msg, "0" other
    QString body;
    QString storedFile;  // the file whose bytes go into the store

    // From the eight field texts as the window shows them (the date in the
    // fixed form "yyyy/MM/dd hh:mm:ss", a date alone meaning midnight).
    // nullopt when the date does not convert.
    static std::optional<MessageRecord> fromFields(const std::array<QString, 8> &edits, const QString &body, int mDatType,
                                                   const QString &storedFile);
    static std::optional<QDateTime> parseDate(const QString &text);
    static QString ftypeFor(const QString &path);
};

// Registering, loading and deleting stored messages. Registration and
// deletion each run in one transaction: both rows or neither.
class MessageRecords
{
public:
    explicit MessageRecords(const QString &connectionName) : m_connection(connectionName) {}

    enum class Outcome { Inserted, Replaced, Failed };
    struct Result
    {
        Outcome outcome = Outcome::Failed;
        QString message;   // for a failure: the text to show, with the database's error
    };
    Result registerMessage(const MessageRecord &record);

    struct Loaded
    {
        QString fileName, extension, path;
    };
    // Writes the stored file into `folder`; nullopt with `error` set on failure.
    std::optional<Loaded> load(const QString &id, const QDateTime &date, const QString &folder, QString *error);

    bool remove(const QString &id, const QDateTime &date, QString *error);

private:
    QSqlDatabase db() const;
    QString m_connection;
};
