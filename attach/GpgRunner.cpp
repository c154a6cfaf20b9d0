#include "GpgRunner.h"

#include "Delay.h"
#include "ParameterTable.h"
#include "Prompt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

const QString &GpgRunner::busyText()
{
    static const QString t = QStringLiteral(
        "［GnuPGP]復号処理エージェント起動中です -- お待ちください（起動に長時間がかかる場合があります）");
    return t;
}

const QString &GpgRunner::timeoutText()
{
    static const QString t = QStringLiteral("GPG(Kleopatra) が機能していません\r\n"
                                            "パスキー入力画面が表示しないときはKleopatraを起動して再度実行してください");
    return t;
}

QString GpgRunner::doneText()
{
    return QStringLiteral("復号完了");
}

GpgRunner::GpgRunner(QObject *parent) : QObject(parent) {}

bool GpgRunner::configured(const QString &gpgPath)
{
    const QString p = gpgPath.trimmed();
    return !ParameterTable::isUnset(p) && QFileInfo(p).isFile();
}

QStringList GpgRunner::arguments(const QString &output, const QString &input)
{
    return {QStringLiteral("--output"), output, QStringLiteral("--quiet"), QStringLiteral("--decrypt"), input};
}

bool GpgRunner::run(const QString &gpgPath, const QString &input, const QString &output, bool &terminateState,
                    const QString &notConfiguredMessage, const StatusFn &status, std::function<void()> onEnd,
                    const QString &busyStatus)
{
    if (!configured(gpgPath)) {
        Prompt::current().message(notConfiguredMessage, Prompt::Kind::Warning);
        return false;
    }
    // The process outlives a given-up wait: its end handler still runs later.
    auto *p = new QProcess(parent() ? parent() : QCoreApplication::instance());
    p->setProcessChannelMode(QProcess::MergedChannels);
    p->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(p, &QProcess::finished, p, [p, onEnd] {
        onEnd();
        p->deleteLater();
    });
    QObject::connect(p, &QProcess::errorOccurred, p, [p, onEnd](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            onEnd();
            p->deleteLater();
        }
    });
    status(busyStatus);
    terminateState = false;
    QTimer timer1;
    timer1.setSingleShot(true);
    timer1.setInterval(timeoutMs);
    QObject::connect(&timer1, &QTimer::timeout, [&terminateState] {
        if (!terminateState) {
            Prompt::current().message(timeoutText(), Prompt::Kind::Warning);
            terminateState = true;
        }
    });
    timer1.start();
    p->start(gpgPath.trimmed(), arguments(output, input));
    while (!terminateState)
        Delay(10);
    timer1.stop();
    status(doneText());
    return true;
}
