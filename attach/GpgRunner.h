#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

// Runs GnuPG to decrypt one file and waits for it while the window keeps
// working. GnuPG gets an argument list, never a shell line. If it has not
// ended after the agent time-out, the wait is given up with a warning; the
// process goes on and its end handler still runs when it ends.
class GpgRunner : public QObject
{
    Q_OBJECT
public:
    static constexpr int kAgentTimeoutMs = 75000;
    static const QString &busyText();        // the status while GnuPG runs
    static const QString &timeoutText();     // the Kleopatra warning
    static QString doneText();               // "復号完了"

    explicit GpgRunner(QObject *parent = nullptr);

    int timeoutMs = kAgentTimeoutMs;   // Timer1's interval; tests shorten it

    // Whether the parameter names an existing program.
    static bool configured(const QString &gpgPath);
    static QStringList arguments(const QString &output, const QString &input);

    using StatusFn = std::function<void(const QString &)>;
    // Decrypts `input` into `output`. `onEnd` is the process's end handler; it
    // must set terminateState. Returns false when GnuPG is not configured
    // (after showing `notConfiguredMessage`).
    bool run(const QString &gpgPath, const QString &input, const QString &output, bool &terminateState,
             const QString &notConfiguredMessage, const StatusFn &status, std::function<void()> onEnd,
             const QString &busyStatus = busyText());
};
