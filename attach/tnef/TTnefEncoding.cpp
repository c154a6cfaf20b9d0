#include "TTnefEncoding.h"

#include "TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace {

struct CodePageName
{
    quint32 codePage;
    const char *charset;
};

// Windows numbers whose iconv name is not simply "CP" + the number.
constexpr CodePageName kNames[] = {
    {1200, "UTF-16LE"},     {1201, "UTF-16BE"},    {12000, "UTF-32LE"},    {12001, "UTF-32BE"},
    {65000, "UTF-7"},       {65001, "UTF-8"},      {20127, "ASCII"},       {20866, "KOI8-R"},
    {21866, "KOI8-U"},      {10000, "MACINTOSH"},  {1361, "JOHAB"},        {50220, "ISO-2022-JP"},
    {50221, "ISO-2022-JP"}, {50222, "ISO-2022-JP"}, {50225, "ISO-2022-KR"}, {50227, "ISO-2022-CN"},
    {51932, "EUCJP-MS"},    {20932, "EUC-JP"},     {51936, "GB2312"},      {51949, "EUC-KR"},
    {54936, "GB18030"},     {28591, "ISO-8859-1"}, {28592, "ISO-8859-2"},  {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"}, {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"},  {28599, "ISO-8859-9"}, {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
};

bool available(const QByteArray &charset)
{
    // An empty conversion succeeds exactly when a converter can be opened.
    return TextCodec::decode(QByteArray(), charset).has_value();
}

// Like TextCodec::decode, but an invalid byte becomes U+FFFD and decoding goes on.
QString decodeLossy(const QByteArray &bytes, const QByteArray &charset)
{
    iconv_t cd = iconv_open("UTF-8", charset.constData());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(bytes);
    QByteArray out;
    out.reserve(bytes.size() * 2 + 16);
    char *src = const_cast<char *>(bytes.constData());
    size_t left = size_t(bytes.size());
    char buf[4096];
    for (;;) {
        const bool flushing = left == 0;
        char *dst = buf;
        size_t room = sizeof buf;
        // A null source on the last round writes out any pending shift state.
        const size_t r = iconv(cd, flushing ? nullptr : &src, flushing ? nullptr : &left, &dst, &room);
        out.append(buf, dst - buf);
        if (r != size_t(-1)) {
            if (flushing)
                break;
            continue;
        }
        if (errno == E2BIG)
            continue;
        if (left == 0)
            break;
        out.append("\xEF\xBF\xBD");
        ++src;
        --left;
    }
    iconv_close(cd);
    return QString::fromUtf8(out);
}

} // namespace

QByteArray TTnefEncoding::CharsetForCodePage(quint32 codePage)
{
    if (codePage == 0)
        return TextCodec::systemCodePage();
    for (const CodePageName &n : kNames)
        if (n.codePage == codePage)
            return n.charset;
    return "CP" + QByteArray::number(codePage);
}

TTnefEncoding::TTnefEncoding(quint32 codePage) : m_codePage(codePage)
{
    m_charset = CharsetForCodePage(codePage);
    if (codePage != 0 && !available(m_charset)) {
        m_charset = TextCodec::systemCodePage();
        m_fallback = true;
    }
}

QString TTnefEncoding::Decode(const QByteArray &bytes) const
{
    if (bytes.isEmpty())
        return QString();
    if (TextCodec::isUtf8(m_charset))
        return QString::fromUtf8(bytes);  // replaces invalid sequences itself
    if (m_charset == "ISO-2022-JP") {
        // Japanese Windows mailers use the NEC and IBM extensions plain iconv refuses.
        if (auto s = TextCodec::decodeIso2022Jp(bytes))
            return *s;
    } else if (auto s = TextCodec::decode(bytes, m_charset)) {
        return *s;
    }
    return decodeLossy(bytes, m_charset);
}
