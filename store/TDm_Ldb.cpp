#include "TDm_Ldb.h"

#include "ChildProcess.h"
#include "SideFile.h"
#include "StoreCredentials.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

TDm_Ldb::TDm_Ldb(QObject *parent)
    : QObject(parent), m_name(QStringLiteral("FD_Message-") + QUuid::createUuid().toString(QUuid::WithoutBraces)),
      m_title(ConnectionTarget::baseTitle())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_name);
    db.setUserName(QString::fromLatin1(StoreCredentials::kUser));
    db.setPassword(QString::fromLatin1(StoreCredentials::kPassword));
    m_list = std::make_unique<MessageList>(m_name);
}

TDm_Ldb::~TDm_Ldb()
{
    m_list.reset();
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase TDm_Ldb::database() const
{
    return QSqlDatabase::database(m_name, false);
}

QString TDm_Ldb::ApplyConnectionSettings(const QString &host, const QString &file)
{
    m_target = ConnectionTarget::forSettings(host, file);
    QSqlDatabase db = database();
    db.setDatabaseName(m_target.database);
    db.setHostName(m_target.server);
    m_title = m_target.title;
    return m_title;
}

bool TDm_Ldb::SaveWindowTitle(const QString &settingsFolder, const QString &title)
{
    return SideFile::writeLines(settingsFolder + QStringLiteral("/$FormTitle.txt"), {title},
                                SideFile::Encoding::Utf8Bom);
}

bool TDm_Ldb::open()
{
    QSqlDatabase db = database();
    m_error.clear();
    // A missing file would otherwise reach the engine as a request to a server.
    if (m_target.database.isEmpty()) {
        m_error = QStringLiteral("no database file is set");
        m_connected = false;
        return false;
    }
    m_connected = db.open();
    if (!m_connected)
        m_error = db.lastError().text();
    return m_connected;
}

void TDm_Ldb::close()
{
    m_list->close();
    QSqlDatabase db = database();
    if (db.isOpen())
        db.close();
    m_connected = false;
}

std::optional<TDm_Ldb::OdsVersion> TDm_Ldb::readOdsVersion()
{
    if (odsProbe)
        return odsProbe(*this);
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("SELECT MON$ODS_MAJOR, MON$ODS_MINOR FROM MON$DATABASE")) || !q.next()) {
        m_error = q.lastError().text();
        return std::nullopt;
    }
    return OdsVersion{q.value(0).toInt(), q.value(1).toInt()};
}

QStringList TDm_Ldb::upgradeArguments() const
{
    return {QStringLiteral("-upgrade"), m_target.database, QStringLiteral("-user"),
            QString::fromLatin1(StoreCredentials::kAdminUser), QStringLiteral("-pass"),
            QString::fromLatin1(StoreCredentials::kAdminPassword)};
}

void TDm_Ldb::DataModuleCreate(const QString &host, const QString &file, bool &terminateState,
                               const QString &settingsFolder)
{
    close();
    ApplyConnectionSettings(host, file);
    auto fail = [this] {
        close();
        m_title = ConnectionTarget::baseTitle();
    };
    if (!open()) {
        fail();
    } else if (auto ods = readOdsVersion(); !ods) {
        fail();
    } else if (ods->major == 13 && ods->minor == 0) {
        // The structure of Firebird 4: upgraded in place before use.
        close();
        const ChildResult r = RunChildAndWait(gfixProgram.trimmed(), upgradeArguments(), terminateState);
        if (!r.started || !open())
            fail();
    }
    SaveWindowTitle(settingsFolder, m_title);
}
