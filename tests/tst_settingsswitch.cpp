// The about box's switch between individual and common settings.
#include "ScriptedPrompt.h"
#include "SettingsLocation.h"
#include "SettingsSwitcher.h"
#include "TestEnv.h"

#include <QtTest>

Q_DECLARE_METATYPE(Prompt::Answer)
Q_DECLARE_METATYPE(SettingsSwitcher::Outcome)

namespace {
const QString kAskCopyFromCommon = "共通設定からコピーしますか？「No」のときは初期設定になります";
const QString kAskCopyToCommon = "現在の設定を共通設定にコピーしますか？「No」のときは、すでにある共通設定になります";
}

class TstSettingsSwitch : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void switchFolders_data();
    void switchFolders();
    void copyReportsWhetherTheSourceHadEntries();

private:
    std::unique_ptr<TestEnv> env;
    ScriptedPrompt prompt;
};

void TstSettingsSwitch::init()
{
    env = std::make_unique<TestEnv>();
    prompt = ScriptedPrompt();
    Prompt::install(&prompt);
}

void TstSettingsSwitch::cleanup()
{
    Prompt::install(nullptr);
    env.reset();
}

void TstSettingsSwitch::switchFolders_data()
{
    QTest::addColumn<bool>("haveIndividual");
    QTest::addColumn<bool>("haveCommon");
    QTest::addColumn<QList<Prompt::Answer>>("answers");
    QTest::addColumn<QString>("question");      // empty: none expected
    QTest::addColumn<bool>("defaultYes");
    QTest::addColumn<SettingsSwitcher::Outcome>("outcome");
    QTest::addColumn<QString>("folderAfter");   // which folder the program then uses
    QTest::addColumn<QString>("individualIni"); // content of the individual settings file afterwards, "-" none
    QTest::addColumn<QString>("commonIni");
    using A = Prompt::Answer;
    using O = SettingsSwitcher::Outcome;
    QTest::newRow("to individual, copy common")
        << false << true << QList<A>{A::Yes} << kAskCopyFromCommon << false << O::Switched << "individual"
        << "common" << "common";
    QTest::newRow("to individual, initial instead")
        << false << true << QList<A>{A::No} << kAskCopyFromCommon << false << O::Switched << "individual"
        << "initial" << "common";
    QTest::newRow("to individual, question closed")
        << false << true << QList<A>{A::Cancel} << kAskCopyFromCommon << false << O::Unchanged << "before"
        << "-" << "common";
    QTest::newRow("to individual, no common folder")
        << false << false << QList<A>{} << QString() << false << O::Switched << "individual" << "initial" << "-";
    QTest::newRow("to common, copy current")
        << true << true << QList<A>{A::Yes} << kAskCopyToCommon << true << O::Switched << "common" << "-"
        << "individual";
    QTest::newRow("to common, keep existing, restart")
        << true << true << QList<A>{A::No} << kAskCopyToCommon << true << O::RestartNeeded << "common" << "-"
        << "common";
    QTest::newRow("to common, question closed")
        << true << true << QList<A>{A::Cancel} << kAskCopyToCommon << true << O::Unchanged << "before"
        << "individual" << "common";
    QTest::newRow("to common, none there: initial")
        << true << false << QList<A>{} << QString() << false << O::Switched << "initial" << "-" << "-";
}

void TstSettingsSwitch::switchFolders()
{
    QFETCH(bool, haveIndividual);
    QFETCH(bool, haveCommon);
    QFETCH(QList<Prompt::Answer>, answers);
    QFETCH(QString, question);
    QFETCH(bool, defaultYes);
    QFETCH(SettingsSwitcher::Outcome, outcome);
    QFETCH(QString, folderAfter);
    QFETCH(QString, individualIni);
    QFETCH(QString, commonIni);

    TestEnv::writeFile(env->initial() + "/Quernal.ini", "initial");
    if (haveCommon)
        TestEnv::writeFile(env->common() + "/Quernal.ini", "common");
    if (haveIndividual)
        TestEnv::writeFile(env->individual() + "/Quernal.ini", "individual");
    for (auto a : answers)
        prompt.answers.enqueue(a);

    const QString before = SettingsLocation::choose(env->programDir()).folder;
    SettingsSwitcher::State st{before, before + "/Quernal.ini", true};
    QCOMPARE(SettingsSwitcher::cNum(), haveIndividual ? 2 : 1);
    const auto got = SettingsSwitcher(env->programDir()).run(st);
    QCOMPARE(got, outcome);

    QList<ScriptedPrompt::Shown> questions;
    for (const auto &s : prompt.shown)
        if (s.isQuestion)
            questions << s;
    if (question.isEmpty()) {
        QVERIFY(questions.isEmpty());
    } else {
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].text, question);
        QCOMPARE(questions[0].defaultYes, defaultYes);
    }
    QCOMPARE(prompt.texts().contains("プログラムを再起動します"), outcome == SettingsSwitcher::Outcome::RestartNeeded);
    QCOMPARE(st.commonConfigFlg, outcome != SettingsSwitcher::Outcome::RestartNeeded);

    const QString expectFolder = folderAfter == "individual" ? env->individual()
                                 : folderAfter == "common"   ? env->common()
                                 : folderAfter == "initial"  ? env->initial()
                                                             : before;
    QCOMPARE(st.myAppDataPath, expectFolder);
    QCOMPARE(st.iniFilePath, expectFolder + "/Quernal.ini");

    auto content = [](const QString &folder) {
        const QString p = folder + "/Quernal.ini";
        return QFileInfo::exists(p) ? QString::fromUtf8(TestEnv::readFile(p)) : QString("-");
    };
    QCOMPARE(content(env->individual()), individualIni);
    QCOMPARE(content(env->common()), commonIni);
    QCOMPARE(content(env->initial()), QString("initial"));
    QCOMPARE(SettingsSwitcher::buttonCaption(SettingsSwitcher::cNum()),
             QString(QFileInfo(env->individual()).isDir() ? "共通設定にする" : "個別設定にする"));
}

void TstSettingsSwitch::copyReportsWhetherTheSourceHadEntries()
{
    const QString from = env->root() + "/from", to = env->root() + "/to";
    QDir().mkpath(from + "/sub");
    QDir().mkpath(to);
    // Only a folder inside: an entry was found, nothing is copied.
    QVERIFY(SettingsSwitcher::copyFolderFiles(from, to, false));
    QVERIFY(QDir(to).isEmpty());
    TestEnv::writeFile(from + "/a", "new");
    TestEnv::writeFile(to + "/a", "old");
    SettingsSwitcher::copyFolderFiles(from, to, false);
    QCOMPARE(TestEnv::readFile(to + "/a"), QByteArray("old"));
    SettingsSwitcher::copyFolderFiles(from, to, true);
    QCOMPARE(TestEnv::readFile(to + "/a"), QByteArray("new"));
    QVERIFY(!SettingsSwitcher::copyFolderFiles(env->root() + "/none", to, true));
}

QTEST_GUILESS_MAIN(TstSettingsSwitch)
#include "tst_settingsswitch.moc"
