#include "StartUp.h"

#include "Delay.h"
#include "HtmlView.h"
#include "Prompt.h"
#include "QuitSignals.h"
#include "QtPrompt.h"
#include "SettingsLocation.h"
#include "SingleInstance.h"
#include "TFrmQuernal.h"
#include "TFrmSplush.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QProcess>
#include <QThread>

#include <unistd.h>

namespace {
// Set for a start made by an ending instance: it waits for that one to let go.
const char *kRestartEnv = "QUERNAL_RESTARTED";
const int kRestartWaitMs = 10000;
const int kSplashMinMs = 1000;
} // namespace

void InstallDesktopLook(QApplication &app)
{
    // Qt's own dialogs speak Japanese, like the rest of the window.
    static QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtbase);
    // Without a desktop session no icon theme is chosen: file types still get their icons.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}

void InstallFontSubstitutes()
{
    const QStringList cjk{QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                          QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic")};
    for (const char *win : {"Meiryo UI", "Meiryo", "MS UI Gothic", "Yu Gothic UI", "MS Gothic", "ＭＳ ゴシック"})
        QFont::insertSubstitutions(QString::fromUtf8(win), cjk);
    QFont base = QApplication::font();
    base.setFamilies({base.family(), cjk.first()});
    QApplication::setFont(base);
}

int RunQuernal(QApplication &app, const QStringList &arguments)
{
    QtPrompt prompt;
    Prompt::install(&prompt);

    SingleInstance instance;
    const bool restarted = qEnvironmentVariableIsSet(kRestartEnv);
    qunsetenv(kRestartEnv);
    if (!instance.claim(restarted ? kRestartWaitMs : 0)) {
        // Another instance holds the claim: bring it forward and end. It may
        // still be starting, so give its socket a moment to appear.
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5000) {
            if (instance.signalRunning())
                return 0;
            QThread::msleep(100);
        }
        Prompt::current().message(QStringLiteral("プログラムを起動できません。"), Prompt::Kind::Error);
        return 1;
    }

    InstallFontSubstitutes();
    InstallDesktopLook(app);
    const QString programDir = SettingsLocation::programDir();
    auto *splash = new TFrmSplush(programDir);
    splash->show();
    app.processEvents();

    auto *main = new TFrmQuernal(arguments, programDir);
    prompt.setOwner(main);
    QObject::connect(&instance, &SingleInstance::activationRequested, main, &TFrmQuernal::comeForward);
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, main, &QWidget::close);
    main->createDataModule();
    QElapsedTimer created;
    created.start();
    while (created.elapsed() <= kSplashMinMs)
        Delay(int(kSplashMinMs + 1 - created.elapsed()));
    delete splash;

    // A quit signal during the splash has already closed the window.
    int rc = 0;
    if (!main->closed()) {
        main->show();
        rc = app.exec();
    }
    const bool restart = main->restartRequested();
    delete main;
    Prompt::install(nullptr);
    instance.release();
    if (restart) {
        QProcess p;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kRestartEnv), QStringLiteral("1"));
        p.setProcessEnvironment(env);
        p.setProgram(QCoreApplication::applicationFilePath());
        p.startDetached();
    }
    return rc;
}

void PrepareWebEngine()
{
    HtmlView::registerSchemes();
    // Chromium's sandbox refuses to run as root; only then is it switched off.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}
