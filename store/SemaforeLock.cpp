#include "SemaforeLock.h"

#include "FileLock.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SemaforeLock::~SemaforeLock()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

QString SemaforeLock::pathFor(const QString &databaseFile)
{
    return QFileInfo(databaseFile).absolutePath() + QStringLiteral("/Semafore");
}

bool SemaforeLock::acquire(const QString &databaseFile)
{
    release();
    const QString path = pathFor(databaseFile);
    const int fd = LockFileExclusive(path);
    if (fd < 0)
        return false;
    m_fd = fd;
    m_path = path;
    return true;
}

void SemaforeLock::release()
{
    if (m_fd < 0)
        return;
    // Deleted while still locked, so nobody takes a lock on the doomed file.
    QFile::remove(m_path);
    ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

bool SemaforeLock::heldByAnyone(const QString &databaseFile)
{
    const QByteArray p = QFile::encodeName(pathFor(databaseFile));
    const int fd = ::open(p.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool busy = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return busy;
}
