#include "Delay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

void Delay(int ms)
{
    QElapsedTimer t;
    t.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const qint64 left = ms + 1 - t.elapsed();
    if (left <= 0)
        return;
    // A nested loop sleeps in the event dispatcher instead of spinning.
    QEventLoop loop;
    QTimer::singleShot(int(left), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}
