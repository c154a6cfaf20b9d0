#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A throw-away home for one test: its own user and system configuration
// folders, runtime folder and program folder, set through the XDG variables
// the program reads, and put back afterwards.
class TestEnv
{
public:
    TestEnv();
    ~TestEnv();
    TestEnv(const TestEnv &) = delete;
    TestEnv &operator=(const TestEnv &) = delete;

    QString root() const { return m_dir.path(); }
    QString configHome() const { return root() + "/home-config"; }
    QString systemConfig() const { return root() + "/etc-xdg"; }
    QString runtime() const { return root() + "/run"; }
    QString programDir() const { return root() + "/prog/"; }   // ends in "/", like the program's

    QString individual() const { return configHome() + "/Brivane/QuernalDB"; }
    QString common() const { return systemConfig() + "/Brivane/QuernalDB"; }
    QString initial() const { return programDir() + "config"; }

    // The environment a child process needs to live in this home.
    QStringList environment() const;

    static void writeFile(const QString &path, const QByteArray &bytes);
    static QByteArray readFile(const QString &path);

private:
    QTemporaryDir m_dir;
    QByteArray m_saved[3];
    bool m_had[3] = {};
};
