#pragma once
#include <QObject>
#include <QString>

class QLocalServer;

// Keeps one running instance per user. The claim is an advisory lock on an
// open file: the system drops it when the holder ends in any way, so a crashed
// instance never blocks the next start. A second start tells the holder to
// come forward over a local socket and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // `dir` holds the lock file and the socket (per user: the runtime folder).
    explicit SingleInstance(const QString &dir = defaultDir(), QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString defaultDir();

    // Takes the claim; waits up to `waitMs` for an ending instance to let go.
    bool claim(int waitMs = 0);
    // Asks the holder to come forward; true when it answered.
    bool signalRunning(int timeoutMs = 3000) const;
    // Gives the claim up (before a restart, or at the end).
    void release();
    bool isClaimed() const { return m_fd >= 0; }

    QString lockPath() const;
    QString socketPath() const;

signals:
    void activationRequested();

private:
    bool tryLock();
    QString m_dir;
    int m_fd = -1;
    QLocalServer *m_server = nullptr;
};
