#include "MimeReader.h"

#include "HeaderFields.h"
#include "SafeName.h"
#include "SideFile.h"
#include "TextCodec.h"

#include <QFile>
#include <QRegularExpression>

#include <gmime/gmime.h>

#include <fcntl.h>

namespace {

struct GMimeInit
{
    GMimeInit() { g_mime_init(); }
};

void ensureInit()
{
    static GMimeInit init;
}

GMimeParserOptions *parserOptions()
{
    // Loose reading: mailers put encoded words inside quotes and words, and
    // 8-bit headers come in UTF-8 or Shift_JIS more often than declared.
    static GMimeParserOptions *o = [] {
        ensureInit();
        GMimeParserOptions *opt = g_mime_parser_options_new();
        g_mime_parser_options_set_rfc2047_compliance_mode(opt, GMIME_RFC_COMPLIANCE_LOOSE);
        g_mime_parser_options_set_address_compliance_mode(opt, GMIME_RFC_COMPLIANCE_LOOSE);
        g_mime_parser_options_set_parameter_compliance_mode(opt, GMIME_RFC_COMPLIANCE_LOOSE);
        static const char *fallback[] = {"UTF-8", "CP932", "ISO-8859-1", nullptr};
        g_mime_parser_options_set_fallback_charsets(opt, fallback);
        return opt;
    }();
    return o;
}

QString fromUtf8(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

QString unfold(const char *raw)
{
    if (!raw)
        return {};
    QString v = MimeReader::decodeRaw(QByteArray(raw));
    v.remove(QRegularExpression(QStringLiteral("\\r?\\n(?=[ \\t])")));
    v.remove(u'\r');
    v.remove(u'\n');
    return v.trimmed();
}

QByteArray streamBytes(GMimeStream *stream)
{
    GByteArray *ba = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(stream));
    return QByteArray(reinterpret_cast<const char *>(ba->data), qsizetype(ba->len));
}

// Writes what a part holds, decoded, into a stream.
bool writeContent(GMimeObject *obj, GMimeStream *out)
{
    if (GMIME_IS_MESSAGE_PART(obj)) {
        GMimeMessage *inner = g_mime_message_part_get_message(GMIME_MESSAGE_PART(obj));
        if (!inner)
            return false;
        // Mail travels with CR LF line ends; the attached message keeps them.
        GMimeFormatOptions *fo = g_mime_format_options_new();
        g_mime_format_options_set_newline_format(fo, GMIME_NEWLINE_FORMAT_DOS);
        const bool ok = g_mime_object_write_to_stream(GMIME_OBJECT(inner), fo, out) >= 0;
        g_mime_format_options_free(fo);
        return ok;
    }
    if (!GMIME_IS_PART(obj))
        return false;
    GMimeDataWrapper *dw = g_mime_part_get_content(GMIME_PART(obj));
    if (!dw)
        return true;  // an empty part
    return g_mime_data_wrapper_write_to_stream(dw, out) >= 0;
}

// Text in a declared character set, with the fallbacks mail needs.
QString decodeText(const QByteArray &bytes, QByteArray charset)
{
    charset = charset.trimmed().toUpper();
    QList<QByteArray> tries;
    if (charset == "SHIFT_JIS" || charset == "SHIFT-JIS" || charset == "X-SJIS" || charset == "SJIS" ||
        charset == "WINDOWS-31J" || charset == "CP932")
        tries << "CP932";
    else if (charset.startsWith("ISO-2022-JP")) {
        if (auto s = TextCodec::decodeIso2022Jp(bytes))
            return *s;
        tries << charset << "ISO-2022-JP-3" << "ISO-2022-JP-2";
    }
    else if (charset == "EUC-JP" || charset == "X-EUC-JP")
        tries << "EUC-JP" << "EUC-JP-MS";
    else if (!charset.isEmpty() && charset != "US-ASCII" && charset != "ASCII")
        tries << charset;
    tries << "UTF-8";
    for (const QByteArray &c : tries)
        if (auto s = TextCodec::decode(bytes, c))
            return *s;
    return TextCodec::decodeSystem(bytes);
}

} // namespace

QString MimeReader::decodeRaw(const QByteArray &raw)
{
    return TextCodec::decodeSystem(raw);
}

QByteArray MimePart::content() const
{
    if (!object)
        return {};
    GMimeStream *mem = g_mime_stream_mem_new();
    writeContent(object, mem);
    QByteArray out = streamBytes(mem);
    g_object_unref(mem);
    return out;
}

QString MimePart::text() const
{
    return decodeText(content(), charset.toLatin1());
}

QStringList MimePart::bodyLines() const
{
    return SideFile::splitLines(text());
}

bool MimePart::writeTo(const QString &path) const
{
    if (!object)
        return false;
    const QByteArray p = QFile::encodeName(path);
    GError *err = nullptr;
    GMimeStream *out = g_mime_stream_fs_open(p.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644, &err);
    if (!out) {
        g_clear_error(&err);
        return false;
    }
    const bool ok = writeContent(object, out) && g_mime_stream_flush(out) == 0;
    g_object_unref(out);
    return ok;
}

MimeReader::MimeReader()
{
    ensureInit();
}

MimeReader::~MimeReader()
{
    clear();
}

void MimeReader::clear()
{
    m_plain = false;
    m_plainHeader.clear();
    m_plainBody.clear();
    m_parts.clear();
    if (m_message) {
        g_object_unref(m_message);
        m_message = nullptr;
    }
    m_memory.clear();
}

bool MimeReader::loadFromFile(const QString &path)
{
    clear();
    const QByteArray p = QFile::encodeName(path);
    GError *err = nullptr;
    GMimeStream *stream = g_mime_stream_fs_open(p.constData(), O_RDONLY, 0, &err);
    if (!stream) {
        g_clear_error(&err);
        return false;
    }
    GMimeParser *parser = g_mime_parser_new_with_stream(stream);
    // The parts keep reading from the file instead of holding copies.
    g_mime_parser_set_persist_stream(parser, TRUE);
    m_message = g_mime_parser_construct_message(parser, parserOptions());
    g_object_unref(parser);
    g_object_unref(stream);
    if (m_message) {
        collect();
        return true;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    loadPlain(f.readAll());
    return true;
}

void MimeReader::loadPlain(const QByteArray &bytes)
{
    const QStringList lines = SideFile::splitLines(decodeRaw(bytes));
    const qsizetype blank = lines.indexOf(QString());
    m_plainHeader = blank < 0 ? lines : lines.mid(0, blank);
    m_plainBody = blank < 0 ? QStringList() : lines.mid(blank + 1);
    m_plain = true;
}

bool MimeReader::loadFromBytes(const QByteArray &bytes)
{
    clear();
    m_memory = bytes;
    GMimeStream *stream = g_mime_stream_mem_new_with_buffer(m_memory.constData(), size_t(m_memory.size()));
    GMimeParser *parser = g_mime_parser_new_with_stream(stream);
    m_message = g_mime_parser_construct_message(parser, parserOptions());
    g_object_unref(parser);
    g_object_unref(stream);
    if (m_message)
        collect();
    else
        loadPlain(bytes);
    return true;
}

void MimeReader::collect()
{
    GMimeObject *body = g_mime_message_get_mime_part(m_message);
    if (body && GMIME_IS_MULTIPART(body))
        walk(body, 0);
}

void MimeReader::walk(GMimeObject *obj, int depth)
{
    if (GMIME_IS_MULTIPART(obj)) {
        if (depth >= kMaxDepth)
            return;
        GMimeMultipart *mp = GMIME_MULTIPART(obj);
        const int n = g_mime_multipart_get_count(mp);
        for (int i = 0; i < n; ++i)
            walk(g_mime_multipart_get_part(mp, i), depth + 1);
        return;
    }
    MimePart part;
    part.object = obj;
    GMimeContentType *ct = g_mime_object_get_content_type(obj);
    if (ct) {
        char *mt = g_mime_content_type_get_mime_type(ct);
        part.contentType = QString::fromUtf8(mt).toLower();
        g_free(mt);
        part.charset = fromUtf8(g_mime_content_type_get_parameter(ct, "charset"));
    }
    const bool isText = part.contentType.startsWith(QLatin1String("text/"));
    bool dispAttachment = false;
    if (GMimeContentDisposition *d = g_mime_object_get_content_disposition(obj))
        dispAttachment = g_mime_content_disposition_is_attachment(d);
    if (GMIME_IS_PART(obj)) {
        GMimePart *p = GMIME_PART(obj);
        part.fileName = fromUtf8(g_mime_part_get_filename(p));
        part.description = fromUtf8(g_mime_part_get_content_description(p));
        part.contentId = fromUtf8(g_mime_part_get_content_id(p));
    } else if (ct) {
        // An attached message may still carry a name.
        part.fileName = fromUtf8(g_mime_content_type_get_parameter(ct, "name"));
    }
    part.isAttachment = !part.fileName.isEmpty() || dispAttachment || !isText || GMIME_IS_MESSAGE_PART(obj);
    m_parts.append(part);
}

QList<GMimeHeaderList *> MimeReader::headerLists() const
{
    QList<GMimeHeaderList *> lists;
    if (!m_message)
        return lists;
    // The top block's Content-* fields live on the message's body part.
    lists << g_mime_object_get_header_list(GMIME_OBJECT(m_message));
    if (GMimeObject *body = g_mime_message_get_mime_part(m_message))
        lists << g_mime_object_get_header_list(body);
    return lists;
}

QString MimeReader::header(const QString &name) const
{
    if (m_plain) {
        for (qsizetype i = 0; i < m_plainHeader.size(); ++i) {
            const QString &l = m_plainHeader[i];
            if (!l.startsWith(name + u':', Qt::CaseInsensitive))
                continue;
            QString v = l.mid(name.size() + 1);
            for (qsizetype j = i + 1; j < m_plainHeader.size() &&
                                      (m_plainHeader[j].startsWith(u' ') || m_plainHeader[j].startsWith(u'\t'));
                 ++j)
                v += m_plainHeader[j];
            return v.trimmed();
        }
        return {};
    }
    const QByteArray n = name.toUtf8();
    for (GMimeHeaderList *hl : headerLists())
        if (GMimeHeader *h = g_mime_header_list_get_header(hl, n.constData()))
            return unfold(g_mime_header_get_raw_value(h));
    return {};
}

bool MimeReader::hasHeader(const QString &name) const
{
    if (m_plain) {
        for (const QString &l : m_plainHeader)
            if (l.startsWith(name + u':', Qt::CaseInsensitive))
                return true;
        return false;
    }
    const QByteArray n = name.toUtf8();
    for (GMimeHeaderList *hl : headerLists())
        if (g_mime_header_list_contains(hl, n.constData()))
            return true;
    return false;
}

int MimeReader::headerCount() const
{
    if (m_plain)
        return int(m_plainHeader.size());
    int n = 0;
    for (GMimeHeaderList *hl : headerLists())
        n += g_mime_header_list_get_count(hl);
    return n;
}

QStringList MimeReader::headerLines() const
{
    if (m_plain)
        return m_plainHeader;
    QStringList lines;
    for (GMimeHeaderList *hl : headerLists()) {
        const int n = g_mime_header_list_get_count(hl);
        for (int i = 0; i < n; ++i) {
            GMimeHeader *h = g_mime_header_list_get_header_at(hl, i);
            const QString raw = decodeRaw(QByteArray(g_mime_header_get_raw_value(h)));
            // Folded values keep their continuation lines.
            lines += SideFile::splitLines(fromUtf8(g_mime_header_get_name(h)) + u':' + raw);
        }
    }
    return lines;
}

QString MimeReader::headerText() const
{
    return headerLines().join(QLatin1String("\r\n"));
}

QString MimeReader::senderName() const
{
    if (!m_message)
        return {};
    InternetAddressList *from = g_mime_message_get_from(m_message);
    if (!from || internet_address_list_length(from) == 0)
        return {};
    return fromUtf8(internet_address_get_name(internet_address_list_get_address(from, 0)));
}

QString MimeReader::senderAddress() const
{
    if (!m_message)
        return {};
    InternetAddressList *from = g_mime_message_get_from(m_message);
    if (!from || internet_address_list_length(from) == 0)
        return {};
    InternetAddress *a = internet_address_list_get_address(from, 0);
    if (INTERNET_ADDRESS_IS_GROUP(a)) {
        InternetAddressList *members = internet_address_group_get_members(INTERNET_ADDRESS_GROUP(a));
        if (!members || internet_address_list_length(members) == 0)
            return {};
        a = internet_address_list_get_address(members, 0);
    }
    return INTERNET_ADDRESS_IS_MAILBOX(a) ? fromUtf8(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(a)))
                                          : QString();
}

QString MimeReader::subject() const
{
    // Decoded word by word: GMime loses all but the first of several
    // adjacent ISO-2022-JP words.
    return HeaderFields::decodeEncodedWords(header(QStringLiteral("Subject")));
}

QDateTime MimeReader::date() const
{
    if (!m_message)
        return {};
    GDateTime *d = g_mime_message_get_date(m_message);
    if (!d)
        return {};
    return QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(d)).toLocalTime();
}

bool MimeReader::isMultipart() const
{
    if (!m_message)
        return false;
    GMimeObject *body = g_mime_message_get_mime_part(m_message);
    return body && GMIME_IS_MULTIPART(body);
}

QString MimeReader::contentType() const
{
    if (m_plain)
        return QStringLiteral("text/plain");
    if (!m_message)
        return {};
    GMimeObject *body = g_mime_message_get_mime_part(m_message);
    if (!body)
        return QStringLiteral("text/plain");
    GMimeContentType *ct = g_mime_object_get_content_type(body);
    if (!ct)
        return QStringLiteral("text/plain");
    char *mt = g_mime_content_type_get_mime_type(ct);
    const QString s = QString::fromUtf8(mt).toLower();
    g_free(mt);
    return s;
}

QStringList MimeReader::bodyLines() const
{
    if (m_plain)
        return m_plainBody;
    if (!m_message)
        return {};
    GMimeObject *body = g_mime_message_get_mime_part(m_message);
    if (!body || GMIME_IS_MULTIPART(body))
        return {};
    MimePart p;
    p.object = body;
    if (GMimeContentType *ct = g_mime_object_get_content_type(body))
        p.charset = fromUtf8(g_mime_content_type_get_parameter(ct, "charset"));
    return p.bodyLines();
}

const MimePart *MimeReader::attachmentFor(const QString &caption) const
{
    for (const MimePart &p : m_parts) {
        if (!p.isAttachment)
            continue;
        if (p.fileName == caption || NameRule(p.description + QStringLiteral(".dat")) == caption)
            return &p;
    }
    return nullptr;
}

const MimePart *MimeReader::partByContentId(const QString &cid) const
{
    for (const MimePart &p : m_parts)
        if (!p.contentId.isEmpty() && p.contentId.compare(cid, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}
