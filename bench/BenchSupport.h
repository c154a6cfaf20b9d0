#pragma once
// Small pieces every benchmark needs: a timer, the peak memory, and
// reproducible filler bytes that do not compress.
#include <QByteArray>
#include <QElapsedTimer>

#include <sys/resource.h>

template <typename F>
double TimedMs(F f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

// The process's peak resident size so far (the kernel's high-water mark).
inline long PeakRssKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// The same bytes for the same seed on every run.
inline QByteArray Noise(qsizetype bytes, quint32 seed)
{
    QByteArray raw(bytes, Qt::Uninitialized);
    for (char &c : raw) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    return raw;
}
