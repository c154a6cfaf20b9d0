// A store of generated messages (100,000 by default): time from opening the
// list to its first screen of rows, a date + subject search, and a body
// keyword search against the bare SQL of the same condition.
//   build/bench_search [messages]
#include "MessageList.h"
#include "SearchCondition.h"
#include "StoreCreator.h"
#include "TDm_Ldb.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {
double ms(QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    // A second argument keeps the store at that path for a look at its plans.
    const QString path = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("search.fdb"));
    StoreCreator::create(path);
    TDm_Ldb dm;
    dm.ApplyConnectionSettings(QString(), path);
    dm.open();
    QSqlDatabase db = dm.database();
    {
        QElapsedTimer t;
        t.start();
        db.transaction();
        QSqlQuery idx(db), dat(db);
        idx.prepare(QStringLiteral("insert into Message_IdxTbl (Message_ID,Message_Date,Sender_Name,Message_Subject,"
                                   "Message_dtype,Message_ftype,MailBody) values (?,?,?,?,'1','1',?)"));
        dat.prepare(QStringLiteral("insert into Message_DatTBL (Message_ID,Message_Date,Message_FileName,"
                                   "Message_FileExt,MailDat) values (?,?,?,'.eml',?)"));
        const QDateTime base(QDate(2016, 1, 1), QTime(0, 0));
        const QByteArray file(2000, 'x');
        QString body;
        for (int l = 0; l < 40; ++l)
            body += QStringLiteral("本文の行 %1 です。 The quick brown fox.\r\n").arg(l);
        for (int i = 0; i < n; ++i) {
            const QString id = QStringLiteral("<m%1@bench>").arg(i);
            const QDateTime d = base.addSecs(qint64(i) * 3000);
            idx.addBindValue(id);
            idx.addBindValue(d);
            idx.addBindValue(QStringLiteral("送信者%1").arg(i % 300));
            idx.addBindValue(QStringLiteral("件名 %1 %2").arg(i % 1000).arg(i % 7 == 0 ? "見積" : "連絡"));
            idx.addBindValue(i % 97 == 0 ? body + QStringLiteral("特別な語") : body);
            idx.exec();
            dat.addBindValue(id);
            dat.addBindValue(d);
            dat.addBindValue(QStringLiteral("m%1.eml").arg(i));
            dat.addBindValue(file);
            dat.exec();
        }
        db.commit();
        std::printf("%d messages stored in %.1f s\n", n, ms(t) / 1000);
    }
    MessageList &list = dm.FDTbl1();
    {
        QElapsedTimer t;
        t.start();
        list.open();
        const int rows = list.model()->rowCount();  // what the first screen shows comes from this fetch
        const QString first = list.model()->data(list.model()->index(0, 7)).toString();
        std::printf("open list, first screen (%d rows fetched): %.1f ms  [goal < 200 ms]\n", rows, ms(t));
        (void)first;
    }
    const QDateTime last = QDateTime(QDate(2016, 1, 1), QTime(0, 0)).addSecs(qint64(n - 1) * 3000);
    const QDate to = last.date(), from = to.addMonths(-1);
    {
        const auto c = SearchCondition::build({from, to, QStringLiteral("*見積*"), {}, {}, false});
        list.close();
        list.setFilter(c->sql, c->values);
        list.setFiltered(true);
        QElapsedTimer t;
        t.start();
        list.open();
        const int rows = list.model()->rowCount();
        std::printf("date + subject search (%d rows): %.1f ms  [goal < 100 ms]\n", rows, ms(t));
    }
    {
        const auto c = SearchCondition::build({QDate(2016, 1, 1), to, {}, {}, {QStringLiteral("特別な語")}, false});
        double ours = 1e18, bare = 1e18;
        int oursRows = 0, bareRows = 0;
        for (int run = 0; run < 3; ++run) {
            list.close();
            list.setFilter(c->sql, c->values);
            list.setFiltered(true);
            QElapsedTimer t;
            t.start();
            list.open();
            while (list.model()->canFetchMore())
                list.model()->fetchMore();
            oursRows = list.model()->rowCount();
            ours = qMin(ours, ms(t));
            QSqlQuery q(db);
            q.setForwardOnly(true);
            t.restart();
            // The same statement the list runs, read by a plain forward cursor.
            q.prepare(list.selectSql());
            for (const QVariant &v : c->values)
                q.addBindValue(v);
            q.exec();
            bareRows = 0;
            while (q.next())
                ++bareRows;
            bare = qMin(bare, ms(t));
        }
        std::printf("body keyword search: list %.1f ms (%d rows), bare SQL %.1f ms (%d rows), ratio %.2fx  [goal <= 1.1x]\n",
                    ours, oursRows, bare, bareRows, ours / bare);
    }
    return 0;
}
