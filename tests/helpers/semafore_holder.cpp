// Holds the lock file of a database folder until killed; prints "held" or "busy".
#include "SemaforeLock.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    SemaforeLock lock;
    const bool ok = lock.acquire(QString::fromLocal8Bit(argv[1]));
    std::printf(ok ? "held\n" : "busy\n");
    std::fflush(stdout);
    return ok ? app.exec() : 3;
}
