// Registering generated messages into an embedded store (parse, fields,
// both rows in one transaction) against bare INSERTs of the same rows with
// the same commits, in one run; then a 100 MB dropped message copied to its
// working copy, with the peak resident size.
//   build/bench_register [messages]
#include "BenchSupport.h"
#include "EmlDisplay.h"
#include "GpgRunner.h"
#include "MessageRecords.h"
#include "MimeReader.h"
#include "ParameterTable.h"
#include "RecordedView.h"
#include "StoreCreator.h"
#include "TDm_Ldb.h"
#include "VirtualFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QString writeMessage(const QString &dir, int i)
{
    const QString path = QStringLiteral("%1/m%2.eml").arg(dir).arg(i, 5, 10, QLatin1Char('0'));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    const QDateTime date = QDateTime(QDate(2020, 1, 1), QTime(0, 0)).addSecs(qint64(i) * 977);
    f.write("Message-Id: <bench" + QByteArray::number(i) + "@example.jp>\r\nDate: " +
            date.toString(QStringLiteral("ddd, dd MMM yyyy hh:mm:ss +0900")).toLatin1() +
            "\r\nFrom: =?UTF-8?B?5bGx55Sw?= <yamada@example.jp>\r\nTo: sato@example.jp\r\n"
            "Subject: =?UTF-8?B?6KaL56mN5pu4?= " + QByteArray::number(i) +
            "\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"B\"\r\n\r\n"
            "--B\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n");
    const int lines = 60 + (i * 37) % 240;  // bodies of about 4 to 20 KB
    for (int l = 0; l < lines; ++l)
        f.write("本文の行です。A line of the body, number " + QByteArray::number(l) + ".\r\n");
    // A small attachment on most, a few hundred KB on every fiftieth.
    const qsizetype att = i % 50 == 0 ? 300 * 1024 : 6 * 1024;
    f.write("--B\r\nContent-Type: application/octet-stream; name=\"a.bin\"\r\nContent-Transfer-Encoding: base64\r\n\r\n");
    const QByteArray b64 = Noise(att, quint32(i)).toBase64();
    for (qsizetype p = 0; p < b64.size(); p += 76)
        f.write(b64.mid(p, 76) + "\r\n");
    f.write("--B--\r\n");
    return path;
}

struct Store
{
    TDm_Ldb dm;
    explicit Store(const QString &path)
    {
        StoreCreator::create(path);
        dm.ApplyConnectionSettings(QString(), path);
        dm.open();
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? atoi(argv[1]) : 10000;
    QTemporaryDir dir;
    const QString msgs = dir.filePath(QStringLiteral("msgs"));
    QDir().mkpath(msgs);
    QStringList files;
    qint64 total = 0;
    for (int i = 0; i < n; ++i) {
        files << writeMessage(msgs, i);
        total += QFile(files.last()).size();
    }
    std::printf("%d messages, %.1f KB on average\n", n, total / 1024.0 / n);

    // Ours: the whole registration path, as quernal-cli register runs it.
    QList<MessageRecord> rows;
    double ours = 0;
    {
        Store s(dir.filePath(QStringLiteral("ours.fdb")));
        MessageRecords records = s.dm.records();
        ParameterTable params;
        bool terminateState = true;
        GpgRunner gpg;
        QElapsedTimer t;
        t.start();
        for (const QString &f : files) {
            RecordedView view;
            view.keepMemos = false;
            MimeReader reader;
            EmlDisplay d(view, {&params, dir.path(), &terminateState, &gpg});
            const auto r = d.show(f, reader);
            const auto rec = MessageRecord::fromFields(view.fields.texts(), view.editor.join(u'\n'), r.mDatType, f);
            if (!rec || records.registerMessage(*rec).outcome != MessageRecords::Outcome::Inserted) {
                std::printf("registration failed for %s\n", qPrintable(f));
                return 1;
            }
            rows << *rec;
        }
        ours = t.nsecsElapsed() / 1e9;
    }
    // Baseline: the same rows, the same two INSERTs and one commit per message.
    double bare = 0;
    {
        Store s(dir.filePath(QStringLiteral("bare.fdb")));
        QSqlDatabase db = s.dm.database();
        QSqlQuery idx(db), dat(db);
        QElapsedTimer t;
        t.start();
        for (const MessageRecord &r : rows) {
            db.transaction();
            idx.prepare(QStringLiteral("insert into Message_IdxTbl (Message_ID,Message_Date,Account_Key,Sender_Name,"
                                       "Sender_Address,Recieve_Name,Recieve_Address,Message_Subject,Message_dtype,"
                                       "Message_ftype,MailBody) values (?,?,?,?,?,?,?,?,?,?,?)"));
            for (const QVariant &v : {QVariant(r.messageId), QVariant(r.date), QVariant(r.accountKey),
                                      QVariant(r.senderName), QVariant(r.senderAddress), QVariant(r.recieveName),
                                      QVariant(r.recieveAddress), QVariant(r.subject), QVariant(r.dtype),
                                      QVariant(r.ftype), QVariant(r.body)})
                idx.addBindValue(v);
            idx.exec();
            QFile f(r.storedFile);
            f.open(QIODevice::ReadOnly);
            dat.prepare(QStringLiteral("insert into Message_DatTBL (Message_ID,Message_Date,Message_FileName,"
                                       "Message_FileExt,MailDat) values (?,?,?,?,?)"));
            for (const QVariant &v : {QVariant(r.messageId), QVariant(r.date), QVariant(QFileInfo(f).fileName()),
                                      QVariant(QStringLiteral(".eml")), QVariant(f.readAll())})
                dat.addBindValue(v);
            dat.exec();
            db.commit();
        }
        bare = t.nsecsElapsed() / 1e9;
    }
    std::printf("register: %8.1f messages/s\nbare:     %8.1f messages/s\nratio:    %8.2fx (time ours / bare)\n",
                n / ours, n / bare, ours / bare);

    // A 100 MB dropped message: its copy never holds more than one buffer.
    const QString big = dir.filePath(QStringLiteral("big.eml"));
    {
        QFile f(big);
        f.open(QIODevice::WriteOnly);
        const QByteArray chunk = Noise(1 << 20, 7).toBase64();
        while (f.size() < 100LL * 1024 * 1024)
            f.write(chunk);
    }
    const long before = PeakRssKb();
    QFile source(big);
    source.open(QIODevice::ReadOnly);
    CopyVirtualFile(source, dir.filePath(QStringLiteral("copy.eml")));
    std::printf("drop copy of %.0f MB: peak resident %.1f MB (grew %.1f MB)\n", source.size() / 1048576.0,
                PeakRssKb() / 1024.0, (PeakRssKb() - before) / 1024.0);
    return 0;
}
