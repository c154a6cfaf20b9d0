// The store on a real Firebird server on 127.0.0.1, started by the test run.
#include "SemaforeLock.h"
#include "StoreFixture.h"
#include "TDm_Ldb.h"
#include "TestEnv.h"

#include <QSqlQuery>
#include <QtTest>

class TstStoreServer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void connectsThroughTheServer();

private:
    QString host;
};

void TstStoreServer::initTestCase()
{
    host = StoreFixture::serverHost();
    QVERIFY2(!host.isEmpty(), "no Firebird server answers on 127.0.0.1:3050 (tests/fbserver.sh starts one)");
}

void TstStoreServer::connectsThroughTheServer()
{
    TestEnv env;
    // The server runs as its own user: the folder must be open to it.
    const QString dir = env.root() + "/served";
    QDir().mkpath(dir);
    QFile::setPermissions(env.root(), QFile::Permissions(0x7777));
    QFile::setPermissions(dir, QFile::Permissions(0x7777));
    const QString db = dir + "/server mail.fdb";
    StoreFixture::create(db, host);
    TDm_Ldb dm;
    bool terminateState = true;
    dm.DataModuleCreate(host, db, terminateState, env.root());
    QVERIFY2(dm.isConnected(), qPrintable(dm.lastError()));
    QCOMPARE(dm.target().server, QString("127.0.0.1"));
    QCOMPARE(dm.title(), QString("Quernal管理 -- 127.0.0.1:server mail.fdb"));
    QSqlDatabase c = dm.database();
    QVERIFY(StoreFixture::addMessage(c, "<srv>", QDateTime(QDate(2026, 12, 1), QTime(12, 0, 1)), "サーバー"));
    QVERIFY(dm.FDTbl1().open());
    QCOMPARE(dm.FDTbl1().rowCount(), 1);
    QCOMPARE(dm.FDTbl1().model()->data(dm.FDTbl1().model()->index(0, 7)).toString(), QString("サーバー"));
    // A served store has no lock file.
    QVERIFY(!QFileInfo::exists(SemaforeLock::pathFor(db)));
}

QTEST_GUILESS_MAIN(TstStoreServer)
#include "tst_storeserver.moc"
