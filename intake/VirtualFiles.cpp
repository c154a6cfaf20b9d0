#include "VirtualFiles.h"

#include "HeaderFields.h"

#include <QBuffer>
#include <QFile>
#include <QMimeData>
#include <QRegularExpression>

namespace {
const QString kMessageFormat = QStringLiteral("message/rfc822");
constexpr qint64 kChunk = 131072;
} // namespace

MimeDataVirtualFiles::MimeDataVirtualFiles(const QMimeData *data) : m_data(data) {}

bool MimeDataVirtualFiles::offers(const QMimeData *data)
{
    return data && data->hasFormat(kMessageFormat);
}

int MimeDataVirtualFiles::count() const
{
    return offers(m_data) ? 1 : 0;
}

QString MimeDataVirtualFiles::name(int) const
{
    return MessageFileNameFor(m_data->data(kMessageFormat));
}

std::unique_ptr<QIODevice> MimeDataVirtualFiles::contents(int)
{
    const QByteArray bytes = m_data->data(kMessageFormat);
    if (bytes.isEmpty())
        return nullptr;
    auto buf = std::make_unique<QBuffer>();
    buf->setData(bytes);
    buf->open(QIODevice::ReadOnly);
    return buf;
}

bool CopyVirtualFile(QIODevice &source, const QString &destination)
{
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const qint64 size = source.size() & 0xFFFFFFFFLL;
    if (!source.isSequential())
        source.seek(0);
    QByteArray buffer(qMax<qint64>(1, qMin(size, kChunk)), Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const qint64 n = source.read(buffer.data(), qMin<qint64>(buffer.size(), size - done));
        if (n <= 0)
            break;
        if (out.write(buffer.constData(), n) != n)
            return false;
        done += n;
    }
    return out.flush();
}

QString MessageFileNameFor(const QByteArray &message)
{
    // The subject from the header block only: the body is not searched.
    const qsizetype end = message.indexOf("\n\n") >= 0 ? message.indexOf("\n\n") : message.indexOf("\r\n\r\n");
    const QByteArray head = message.left(end < 0 ? qMin<qsizetype>(message.size(), 65536) : end);
    static const QRegularExpression subjectLine(QStringLiteral("(?im)^subject:[ \\t]*(.*(?:\\r?\\n[ \\t].*)*)"));
    const auto m = subjectLine.match(QString::fromUtf8(head));
    QString name = m.hasMatch() ? HeaderFields::decodeEncodedWords(m.captured(1).simplified()) : QString();
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]")), QStringLiteral("_"));
    name = name.left(80).trimmed();
    if (name.isEmpty() || name.startsWith(u'.'))
        name = QStringLiteral("message");
    return name + QStringLiteral(".eml");
}
