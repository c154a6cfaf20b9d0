#pragma once
#include "ConnectionTarget.h"
#include "MessageList.h"
#include "MessageRecords.h"

#include <QObject>
#include <QSqlDatabase>
#include <functional>
#include <memory>
#include <optional>

// The data module: the one connection to the message store, the list of
// stored messages over it, and the structure upgrade of an older file.
class TDm_Ldb : public QObject
{
    Q_OBJECT
public:
    struct OdsVersion
    {
        int major = 0;
        int minor = 0;
    };

    explicit TDm_Ldb(QObject *parent = nullptr);
    ~TDm_Ldb() override;

    // Firebird's own repair tool; replaceable for tests.
    QString gfixProgram = QStringLiteral("/usr/bin/gfix");
    // Reads the open store's structure version; replaceable for tests.
    std::function<std::optional<OdsVersion>(TDm_Ldb &)> odsProbe;

    // Start-up: connect with the settings, upgrade a structure 13.0 file with
    // gfix (awaited while the window keeps working), then save the title in
    // the settings folder. Failures leave the store closed and the plain title.
    void DataModuleCreate(const QString &host, const QString &file, bool &terminateState,
                          const QString &settingsFolder);

    // Sets the connection's target and returns the window title for it.
    QString ApplyConnectionSettings(const QString &host, const QString &file);
    static bool SaveWindowTitle(const QString &settingsFolder, const QString &title);

    bool open();
    void close();
    bool isConnected() const { return m_connected; }
    QString title() const { return m_title; }
    QString lastError() const { return m_error; }
    const ConnectionTarget &target() const { return m_target; }
    std::optional<OdsVersion> readOdsVersion();
    // The arguments gfix gets for an upgrade, as a list: any path reaches it whole.
    QStringList upgradeArguments() const;

    QSqlDatabase database() const;
    QString connectionName() const { return m_name; }
    MessageList &FDTbl1() { return *m_list; }
    MessageRecords records() const { return MessageRecords(m_name); }

private:
    QString m_name;
    ConnectionTarget m_target;
    QString m_title;
    QString m_error;
    bool m_connected = false;
    std::unique_ptr<MessageList> m_list;
};
