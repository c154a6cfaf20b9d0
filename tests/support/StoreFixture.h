#pragma once
#include <QDateTime>
#include <QString>

class QSqlDatabase;

// Real message stores for tests: made with the program's own creator.
namespace StoreFixture {

// Makes an empty store at `path` (embedded unless a host is given); fails the
// test run when that is impossible.
void create(const QString &path, const QString &host = QString());

// Adds one message (both rows) through the given open connection.
bool addMessage(QSqlDatabase &db, const QString &id, const QDateTime &date, const QString &subject,
                const QString &body = QString(), const QByteArray &file = "From: a\r\n\r\nx");

// The server the test run started, or empty when none answers on 127.0.0.1:3050.
QString serverHost();

} // namespace StoreFixture
