#include "TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace {
const char *kVars[3] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_RUNTIME_DIR"};
}

TestEnv::TestEnv()
{
    for (int i = 0; i < 3; ++i) {
        m_had[i] = qEnvironmentVariableIsSet(kVars[i]);
        m_saved[i] = qgetenv(kVars[i]);
    }
    QDir().mkpath(configHome());
    QDir().mkpath(systemConfig());
    QDir().mkpath(programDir());
    QDir().mkpath(runtime());
    QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv(kVars[0], QFile::encodeName(configHome()));
    qputenv(kVars[1], QFile::encodeName(systemConfig()));
    qputenv(kVars[2], QFile::encodeName(runtime()));
}

TestEnv::~TestEnv()
{
    for (int i = 0; i < 3; ++i) {
        if (m_had[i])
            qputenv(kVars[i], m_saved[i]);
        else
            qunsetenv(kVars[i]);
    }
}

QStringList TestEnv::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", configHome());
    env.insert("XDG_CONFIG_DIRS", systemConfig());
    env.insert("XDG_RUNTIME_DIR", runtime());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env.toStringList();
}

void TestEnv::writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
}

QByteArray TestEnv::readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
