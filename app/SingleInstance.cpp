#include "SingleInstance.h"

#include "FileLock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
const QByteArray kRaise = "raise\n";
}

SingleInstance::SingleInstance(const QString &dir, QObject *parent) : QObject(parent), m_dir(dir) {}

SingleInstance::~SingleInstance()
{
    release();
}

QString SingleInstance::defaultDir()
{
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // No session runtime folder: a private one in /tmp, refused when someone
    // else made it first (it must be our own, a real folder, closed to others).
    const QString d = QDir::tempPath() + QStringLiteral("/quernal-%1").arg(getuid());
    const QByteArray p = QFile::encodeName(d);
    ::mkdir(p.constData(), 0700);
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() ||
        (st.st_mode & 077) != 0)
        return QString();
    return d;
}

QString SingleInstance::lockPath() const
{
    return m_dir + QStringLiteral("/Quernal.lock");
}

QString SingleInstance::socketPath() const
{
    return m_dir + QStringLiteral("/Quernal.sock");
}

bool SingleInstance::tryLock()
{
    if (m_dir.isEmpty())
        return false;
    QDir().mkpath(m_dir);
    const int fd = LockFileExclusive(lockPath());
    if (fd < 0)
        return false;
    m_fd = fd;
    return true;
}

bool SingleInstance::claim(int waitMs)
{
    if (m_fd >= 0)
        return true;
    QElapsedTimer t;
    t.start();
    while (!tryLock()) {
        if (t.elapsed() >= waitMs)
            return false;
        QThread::msleep(50);
    }
    // The lock proves any socket left behind is stale.
    QLocalServer::removeServer(socketPath());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().contains("raise")) {
                    s->write("ok\n");
                    s->flush();
                    emit activationRequested();
                }
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    m_server->listen(socketPath());
    return true;
}

bool SingleInstance::signalRunning(int timeoutMs) const
{
    QLocalSocket s;
    s.connectToServer(socketPath());
    if (!s.waitForConnected(timeoutMs))
        return false;
    s.write(kRaise);
    if (!s.waitForBytesWritten(timeoutMs))
        return false;
    const bool answered = s.waitForReadyRead(timeoutMs) && s.readAll().contains("ok");
    s.disconnectFromServer();
    return answered;
}

void SingleInstance::release()
{
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    UnlockFile(m_fd);
    m_fd = -1;
}
