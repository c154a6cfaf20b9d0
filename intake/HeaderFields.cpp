#include "HeaderFields.h"

#include "MimeReader.h"
#include "ParameterTable.h"
#include "TextCodec.h"

#include <QRegularExpression>

namespace {

template <typename F>
void guarded(F &&f)
{
    try {
        f();
    } catch (...) {
        // A field that cannot be derived stays empty; the others go on.
    }
}

QByteArray decodeQ(const QByteArray &in)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '_') {
            out += ' ';
        } else if (c == '=' && i + 2 < in.size()) {
            bool ok = false;
            const int v = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += char(v);
                i += 2;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return out;
}

QString decodeCharset(const QByteArray &bytes, QByteArray charset)
{
    charset = charset.toUpper();
    if (int star = int(charset.indexOf('*')); star >= 0)  // RFC 2231 language suffix
        charset.truncate(star);
    if (charset.startsWith("ISO-2022-JP"))
        return JisToShiftJis(bytes);
    if (charset == "SHIFT_JIS" || charset == "SHIFT-JIS" || charset == "X-SJIS" || charset == "CP932")
        charset = "CP932";
    if (auto s = TextCodec::decode(bytes, charset))
        return *s;
    return TextCodec::decodeSystem(bytes);
}

} // namespace

QString JisToShiftJis(const QByteArray &jis)
{
    if (jis.isEmpty())
        return {};
    if (auto s = TextCodec::decodeIso2022Jp(jis))
        return *s;
    for (const char *c : {"ISO-2022-JP-3", "ISO-2022-JP-2"})
        if (auto s = TextCodec::decode(jis, c))
            return *s;
    return {};
}

QString HeaderFields::formatDate(const QDateTime &d)
{
    return d.isValid() ? d.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")) : QString();
}

std::array<QString, 8> HeaderFields::texts() const
{
    return {messageId, dateText(), accountKey, fromName, fromAddress, toName, toAddress, subject};
}

QString HeaderFields::dateText() const
{
    return formatDate(date);
}

QString HeaderFields::monthNumber(const QString &text)
{
    static const char *names[12][2] = {{"January", "Jan"}, {"February", "Feb"}, {"March", "Mar"},
                                       {"April", "Apr"},   {"May", "May"},      {"June", "Jun"},
                                       {"July", "Jul"},    {"August", "Aug"},   {"September", "Sep"},
                                       {"October", "Oct"}, {"November", "Nov"}, {"December", "Dec"}};
    for (int m = 0; m < 12; ++m)
        for (const char *n : names[m])
            if (text.contains(QLatin1String(n), Qt::CaseInsensitive))
                return QStringLiteral("%1").arg(m + 1, 2, 10, QLatin1Char('0'));
    return QStringLiteral("0");
}

QString HeaderFields::findAccountName(const ParameterTable &params, const QString &address, bool *found)
{
    if (found)
        *found = false;
    const QString needle = u'<' + address + u'>';
    for (int i = 1; i <= 10; ++i) {
        const QString v = params.value(QStringLiteral("MailAccount%1").arg(i));
        if (ParameterTable::isUnset(v) || !v.contains(needle, Qt::CaseInsensitive))
            continue;
        if (found)
            *found = true;
        QString name = v;
        name.remove(needle, Qt::CaseInsensitive);
        return name.trimmed();
    }
    return {};
}

QDateTime HeaderFields::apparentlyToDate(const QString &value)
{
    const QStringList items = value.split(u';');
    const QStringList words = items.last().trimmed().split(u' ');
    if (words.size() < 5)
        return {};
    const QString text = words[3] + u'/' + monthNumber(words[2]) + u'/' + words[1] + u' ' + words[4];
    return QDateTime::fromString(text, QStringLiteral("yyyy/MM/d H:mm:ss"));
}

QString HeaderFields::decodeEncodedWords(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("=\\?([^?\\s]+)\\?([BbQq])\\?([^?\\s]*)\\?="));
    QString out;
    qsizetype pos = 0;
    bool lastWasWord = false;
    auto it = word.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString between = text.mid(pos, m.capturedStart() - pos);
        // Blanks between two encoded words belong to neither.
        if (!(lastWasWord && between.trimmed().isEmpty()))
            out += between;
        const QByteArray data = m.captured(3).toLatin1();
        const QByteArray bytes = m.captured(2).toUpper() == QLatin1String("B") ? QByteArray::fromBase64(data)
                                                                               : decodeQ(data);
        out += decodeCharset(bytes, m.captured(1).toLatin1());
        pos = m.capturedEnd();
        lastWasWord = true;
    }
    out += text.mid(pos);
    return out;
}

QString HeaderFields::stripEnclosing(const QString &s)
{
    QString r = s;
    if (r.size() >= 2 && r.startsWith(u'"') && r.endsWith(u'"'))
        r = r.mid(1, r.size() - 2);
    if (r.size() >= 2 && r.startsWith(u'\'') && r.endsWith(u'\''))
        r = r.mid(1, r.size() - 2);
    return r;
}

QString HeaderFields::toDisplayName(const QString &rawTo)
{
    const qsizetype p = rawTo.indexOf(u'<');
    if (p < 0)
        return {};
    return stripEnclosing(decodeEncodedWords(rawTo.left(p).trimmed()));
}

QString HeaderFields::toAddressOf(const QString &rawTo)
{
    const qsizetype lt = rawTo.indexOf(u'<');
    const qsizetype gt = rawTo.indexOf(u'>');
    if (lt >= 0 && gt >= 0 && lt < gt)
        return rawTo.mid(lt + 1, gt - lt - 1);
    return rawTo;
}

HeaderFields HeaderFields::derive(const MimeReader &reader, const ParameterTable &params)
{
    HeaderFields f;
    guarded([&] { f.messageId = reader.header(QStringLiteral("Message-Id")); });
    guarded([&] {
        f.date = reader.date();
        if (!f.date.isValid() && reader.hasHeader(QStringLiteral("X-Apparently-To")))
            f.date = apparentlyToDate(reader.header(QStringLiteral("X-Apparently-To")));
    });
    guarded([&] { f.accountKey = reader.header(QStringLiteral("X-Account-Key")); });
    guarded([&] {
        QString n = reader.senderName();
        if (n.size() >= 2 && ((n.startsWith(u'\'') && n.endsWith(u'\'')) ||
                              (n.startsWith(u'＜') && n.endsWith(u'＞'))))
            n = n.mid(1, n.size() - 2);
        f.fromName = n;
    });
    guarded([&] { f.fromAddress = reader.senderAddress(); });
    const QString rawTo = reader.header(QStringLiteral("To"));
    guarded([&] { f.toName = toDisplayName(rawTo); });
    guarded([&] { f.toAddress = toAddressOf(rawTo); });
    guarded([&] {
        bool found = false;
        if (f.toName.isEmpty() && !f.toAddress.isEmpty()) {
            const QString n = findAccountName(params, f.toAddress, &found);
            if (found)
                f.toName = n;
        } else if (f.toName.contains(u'@')) {
            const QString n = findAccountName(params, f.toName, &found);
            if (found)
                f.toName = n;
        }
    });
    guarded([&] { f.subject = reader.subject(); });
    return f;
}
