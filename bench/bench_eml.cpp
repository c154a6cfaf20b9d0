// Showing a message (parse, header fields, listing) against a bare GMime
// parse of the same file, for a 1 MB and a 30 MB message. Prints times, the
// ratio, and the peak memory above the file size.
//   build/bench_eml [runs]
#include "BenchSupport.h"
#include "EmlDisplay.h"
#include "GpgRunner.h"
#include "MimeReader.h"
#include "ParameterTable.h"
#include "RecordedView.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <gmime/gmime.h>

namespace {

QByteArray base64Lines(qsizetype bytes)
{
    const QByteArray b64 = Noise(bytes, 12345).toBase64();
    QByteArray out;
    out.reserve(b64.size() + b64.size() / 76 * 2 + 2);
    for (qsizetype i = 0; i < b64.size(); i += 76)
        out += b64.mid(i, 76) + "\r\n";
    return out;
}

void writeMessage(const QString &path, qsizetype attachmentBytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("Message-Id: <bench@example.jp>\r\nDate: Thu, 10 Dec 2026 09:00:00 +0900\r\n"
            "From: =?UTF-8?B?5bGx55Sw?= <yamada@example.jp>\r\nTo: \"Sato\" <sato@example.jp>\r\n"
            "Subject: =?ISO-2022-JP?B?GyRCOzNFRBsoQg==?=\r\nMIME-Version: 1.0\r\n"
            "Content-Type: multipart/mixed; boundary=\"BENCH\"\r\n\r\n"
            "--BENCH\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n");
    for (int i = 0; i < 200; ++i)
        f.write("本文の行です。The body goes on for a while.\r\n");
    for (int a = 0; a < 3; ++a) {
        f.write("--BENCH\r\nContent-Type: application/octet-stream; name=\"data" + QByteArray::number(a) +
                ".bin\"\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: attachment\r\n\r\n");
        f.write(base64Lines(attachmentBytes / 3));
    }
    f.write("--BENCH--\r\n");
}

// The baseline: GMime parses the file and walks its parts, nothing else.
void bareParse(const QString &path)
{
    GMimeStream *s = g_mime_stream_fs_open(QFile::encodeName(path).constData(), O_RDONLY, 0, nullptr);
    GMimeParser *p = g_mime_parser_new_with_stream(s);
    g_mime_parser_set_persist_stream(p, TRUE);
    GMimeMessage *m = g_mime_parser_construct_message(p, nullptr);
    int n = 0;
    g_mime_message_foreach(m, [](GMimeObject *, GMimeObject *, gpointer d) { ++*static_cast<int *>(d); }, &n);
    g_object_unref(m);
    g_object_unref(p);
    g_object_unref(s);
}

void display(const QString &path, const QString &work)
{
    ParameterTable params;
    RecordedView view;
    view.keepMemos = false;
    bool terminateState = true;
    GpgRunner gpg;
    MimeReader reader;
    EmlDisplay d(view, {&params, work, &terminateState, &gpg});
    d.show(path, reader);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_mime_init();
    const int runs = argc > 1 ? atoi(argv[1]) : 5;
    QTemporaryDir dir;
    std::printf("%-8s %12s %12s %8s %14s\n", "size", "gmime ms", "display ms", "ratio", "peak +MB");
    for (qsizetype mb : {1, 30}) {
        const QString path = dir.filePath(QStringLiteral("m%1.eml").arg(mb));
        writeMessage(path, mb * 1024 * 1024 * 3 / 4);
        const double fileMb = QFile(path).size() / 1048576.0;
        bareParse(path);  // warm the page cache
        const long before = PeakRssKb();
        // Interleaved, best of each: both see the same machine state.
        double base = 1e18, ours = 1e18;
        for (int i = 0; i < runs; ++i) {
            base = qMin(base, TimedMs([&] { bareParse(path); }));
            ours = qMin(ours, TimedMs([&] { display(path, dir.path()); }));
        }
        const double grown = (PeakRssKb() - before) / 1024.0;
        std::printf("%5.1f MB %12.2f %12.2f %7.2fx %11.1f MB\n", fileMb, base, ours, ours / base, grown);
    }
    return 0;
}
