#pragma once
#include <QString>

// The lock file "Semafore" in the folder of an embedded database: whoever
// holds it open and locked uses that folder. The system drops the lock when
// the holder ends, so a file left behind by a crash locks nothing.
class SemaforeLock
{
public:
    SemaforeLock() = default;
    ~SemaforeLock();
    SemaforeLock(const SemaforeLock &) = delete;
    SemaforeLock &operator=(const SemaforeLock &) = delete;

    static QString pathFor(const QString &databaseFile);

    // Takes the lock of the database file's folder; false when another
    // process holds it or the file cannot be made.
    bool acquire(const QString &databaseFile);
    // Lets go and deletes the file, which this holder owns.
    void release();
    bool held() const { return m_fd >= 0; }
    QString path() const { return m_path; }

    // Whether some process holds the lock of that folder now (a look only).
    static bool heldByAnyone(const QString &databaseFile);

private:
    int m_fd = -1;
    QString m_path;
};
