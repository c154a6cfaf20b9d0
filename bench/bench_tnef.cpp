// Walking a 50 MB TNEF stream (a 5 MB body and a 45 MB attachment, laid out
// as Outlook writes them) and copying the attachment to a file, against
// Debian's tnef unpacking the same stream. Prints both times (best of N,
// interleaved), the ratio, and the peak memory the walk adds (VmHWM growth
// inside a child process that only walks).
//   build/bench_tnef [runs]
#include "BenchSupport.h"
#include "TTnefAttribute.h"
#include "TTnefPropertyReader.h"
#include "TTnefReader.h"
#include "TnefWriter.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr qint64 kAttachment = 45ll * 1024 * 1024;
constexpr qint64 kBody = 5ll * 1024 * 1024;

void writeStream(const QString &path)
{
    TnefWriter w(0x1D4B);
    w.version().oemCodePage(932);
    QByteArray body;
    body.reserve(kBody + 64);
    while (body.size() < kBody)
        body += "The body of the message goes on, line after line of it.\r\n";
    w.attribute(TnefWriter::kMessage, 0x00069003, TnefPropertyList().string8(0x1000, body).bytes());
    w.attribute(TnefWriter::kAttachment, 0x00069002,
                TnefWriter::le16(1) + TnefWriter::le32(0xFFFFFFFF) + TnefWriter::le32(0xFFFFFFFF) +
                    TnefWriter::le16(0xFFFF) + TnefWriter::le16(0xFFFF));
    w.attribute(TnefWriter::kAttachment, 0x00018010, QByteArray("report.bin", 11));
    w.attribute(TnefWriter::kAttachment, 0x0006800F, Noise(kAttachment, 7));
    w.attribute(TnefWriter::kAttachment, 0x00069005,
                TnefPropertyList().unicode(0x3707, QStringLiteral("quarterly report.bin")).longValue(0x3705, 1).bytes());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(w.bytes());
}

// What attachment extraction does with this stream: properties walked and
// skipped, the title read, the data copied into a file.
void walk(const QString &path, const QString &outDir)
{
    QFile in(path);
    in.open(QIODevice::ReadOnly);
    TTnefReader r(&in);
    while (r.NextAttribute()) {
        switch (r.AttributeTag()) {
        case TTnefAttributeTag::agAttachTitle:
            TAttachTitleAttribute(r).Load();
            break;
        case TTnefAttributeTag::agAttachData: {
            QFile out(outDir + "/report.bin");
            out.open(QIODevice::WriteOnly);
            TAttachDataAttribute(r, &out).Load();
            break;
        }
        case TTnefAttributeTag::agMapiProperties:
        case TTnefAttributeTag::agAttachment: {
            TTnefPropertyReader pr(r);
            while (pr.NextProperty()) {
            }
            break;
        }
        default:
            break;
        }
    }
}

// The high-water mark of this image: unlike getrusage's maxrss it starts
// afresh at exec, so the parent's copy of the stream does not count.
long hwmKb()
{
    QFile f("/proc/self/status");
    f.open(QIODevice::ReadOnly);
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

QByteArray sha1(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QCryptographicHash h(QCryptographicHash::Sha1);
    h.addData(&f);
    return h.result().toHex();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == "--walk") {
        const long before = hwmKb();
        walk(args.at(2), args.at(3));
        std::printf("%ld %ld\n", before, hwmKb());
        return 0;
    }
    const int runs = args.size() > 1 ? args.at(1).toInt() : 5;
    if (!QFile::exists("/usr/bin/tnef")) {
        std::fprintf(stderr, "Debian's tnef is missing: run tools/install-deps.sh\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString stream = dir.filePath("winmail.dat");
    writeStream(stream);
    const QString ours = dir.filePath("ours"), theirs = dir.filePath("theirs");
    auto fresh = [](const QString &d) {
        QDir(d).removeRecursively();
        QDir().mkpath(d);
    };
    auto unpack = [&] {
        fresh(theirs);
        QProcess p;
        p.start("/usr/bin/tnef", {"-C", theirs, stream});
        p.waitForFinished(-1);
    };
    unpack();  // warms the page cache, and gives the bytes to compare
    fresh(ours);
    walk(stream, ours);
    const bool same = sha1(ours + "/report.bin") == sha1(theirs + "/quarterly report.bin");

    double base = 1e18, mine = 1e18;
    for (int i = 0; i < runs; ++i) {
        base = qMin(base, TimedMs(unpack));
        fresh(ours);
        mine = qMin(mine, TimedMs([&] { walk(stream, ours); }));
    }

    QProcess child;
    fresh(ours);
    child.start(app.applicationFilePath(), {"--walk", stream, ours});
    child.waitForFinished(-1);
    const QList<QByteArray> hwm = child.readAllStandardOutput().trimmed().split(' ');
    const double grownMb = hwm.size() == 2 ? (hwm[1].toLong() - hwm[0].toLong()) / 1024.0 : -1;

    std::printf("stream %.1f MB, attachment %.1f MB, same bytes as tnef: %s\n", QFile(stream).size() / 1048576.0,
                kAttachment / 1048576.0, same ? "yes" : "NO");
    std::printf("%14s %14s %8s %18s\n", "tnef -C ms", "reader ms", "ratio", "walk peak +MB");
    std::printf("%14.1f %14.1f %7.2fx %15.2f MB\n", base, mine, mine / base, grownMb);
    std::printf("goals: ratio <= 1.00, peak growth < 16 MB (VmHWM of a child that only walks)\n");
    return same ? 0 : 1;
}
