#pragma once
#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C) into a signal on
// the event loop, so the program closes its window the normal way and writes
// its settings instead of dying mid-run.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

signals:
    void quitRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
