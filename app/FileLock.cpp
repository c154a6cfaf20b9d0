#include "FileLock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

int LockFileExclusive(const QString &path)
{
    const QByteArray p = QFile::encodeName(path);
    // Close-on-exec: child processes (gfix, gpg) never inherit the lock.
    const int fd = ::open(p.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void UnlockFile(int fd)
{
    if (fd < 0)
        return;
    ::flock(fd, LOCK_UN);
    ::close(fd);
}
