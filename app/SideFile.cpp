#include "SideFile.h"

#include "AtomicFile.h"
#include "TextCodec.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace SideFile {

QStringList splitLines(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    QStringList lines = t.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.pop_back();
    return lines;
}

std::optional<QByteArray> readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    return AtomicFile::write(path, bytes);
}

std::optional<Lines> readLines(const QString &path, Encoding fallback)
{
    auto data = readBytes(path);
    if (!data)
        return std::nullopt;
    Lines out;
    QString text;
    if (data->startsWith("\xEF\xBB\xBF")) {
        out.encoding = Encoding::Utf8Bom;
        text = QString::fromUtf8(data->mid(3));
    } else if (data->startsWith("\xFF\xFE")) {
        out.encoding = Encoding::Utf16LeBom;
        text = QStringDecoder(QStringDecoder::Utf16LE)(data->mid(2));
    } else if (data->startsWith("\xFE\xFF")) {
        out.encoding = Encoding::Utf16BeBom;
        text = QStringDecoder(QStringDecoder::Utf16BE)(data->mid(2));
    } else if (fallback == Encoding::Utf8Bom) {
        out.encoding = Encoding::Utf8Bom;
        text = QString::fromUtf8(*data);
    } else {
        out.encoding = Encoding::System;
        text = TextCodec::decodeSystem(*data);
    }
    out.lines = splitLines(text);
    return out;
}

bool writeLines(const QString &path, const QStringList &lines, Encoding encoding)
{
    QString text;
    for (const QString &l : lines)
        text += l + QLatin1String("\r\n");
    QByteArray bytes;
    switch (encoding) {
    case Encoding::Utf8Bom:
        bytes = "\xEF\xBB\xBF" + text.toUtf8();
        break;
    case Encoding::Utf16LeBom:
        bytes = "\xFF\xFE" + QByteArray(QStringEncoder(QStringEncoder::Utf16LE)(text));
        break;
    case Encoding::Utf16BeBom:
        bytes = "\xFE\xFF" + QByteArray(QStringEncoder(QStringEncoder::Utf16BE)(text));
        break;
    case Encoding::System: {
        auto enc = TextCodec::encode(text, TextCodec::systemCodePage());
        if (!enc)
            return false;
        bytes = *enc;
        break;
    }
    }
    return AtomicFile::write(path, bytes);
}

} // namespace SideFile
