#include "TextCodec.h"

#include <QStringDecoder>
#include <cerrno>
#include <clocale>
#include <iconv.h>
#include <map>
#include <langinfo.h>

namespace TextCodec {

namespace {

// Opening a converter loads its tables: the pairs in use stay open. Names
// come from mail, so the cache is bounded and unknown names are not kept.
struct ConverterCache
{
    static constexpr size_t kMax = 32;
    std::map<std::pair<QByteArray, QByteArray>, iconv_t> open;
    ~ConverterCache() { clear(); }
    void clear()
    {
        for (auto &e : open)
            iconv_close(e.second);
        open.clear();
    }
};

iconv_t converter(const char *from, const char *to)
{
    thread_local ConverterCache cache;
    const auto key = std::make_pair(QByteArray(from).toUpper(), QByteArray(to).toUpper());
    auto it = cache.open.find(key);
    if (it != cache.open.end()) {
        iconv(it->second, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        return it->second;
    }
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return cd;
    if (cache.open.size() >= ConverterCache::kMax)
        cache.clear();
    cache.open.emplace(key, cd);
    return cd;
}

std::optional<QByteArray> convert(const QByteArray &in, const char *from, const char *to)
{
    iconv_t cd = converter(from, to);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray out;
    out.resize(in.size() * 4 + 16);
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = size_t(in.size());
    size_t written = 0;
    bool ok = true;
    for (;;) {
        char *dst = out.data() + written;
        size_t dstLeft = size_t(out.size()) - written;
        // A null source on the last round flushes shift states (ISO-2022-JP).
        size_t r = iconv(cd, srcLeft ? &src : nullptr, srcLeft ? &srcLeft : nullptr, &dst, &dstLeft);
        written = size_t(out.size()) - dstLeft;
        if (r != size_t(-1)) {
            if (srcLeft == 0) {
                char *fdst = out.data() + written;
                size_t fleft = size_t(out.size()) - written;
                if (iconv(cd, nullptr, nullptr, &fdst, &fleft) == size_t(-1) && errno == E2BIG) {
                    out.resize(out.size() + 64);
                    continue;
                }
                written = size_t(out.size()) - fleft;
                break;
            }
            continue;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        ok = false; // EILSEQ or EINVAL: invalid or truncated input
        break;
    }
    if (!ok)
        return std::nullopt;
    out.truncate(qsizetype(written));
    return out;
}

} // namespace

QByteArray systemCodePage()
{
    static const QByteArray cp = [] {
        // nl_langinfo needs the environment's locale; only ask for LC_CTYPE.
        const char *old = setlocale(LC_CTYPE, nullptr);
        QByteArray saved = old ? QByteArray(old) : QByteArray();
        setlocale(LC_CTYPE, "");
        QByteArray name = nl_langinfo(CODESET);
        setlocale(LC_CTYPE, saved.isEmpty() ? "C" : saved.constData());
        // The C locale reports ASCII; a desktop of today writes UTF-8.
        if (name.isEmpty() || name == "ANSI_X3.4-1968" || name == "ASCII")
            name = "UTF-8";
        return name;
    }();
    return cp;
}

bool isUtf8(const QByteArray &charset)
{
    const QByteArray c = charset.toUpper();
    return c == "UTF-8" || c == "UTF8";
}

std::optional<QString> decode(const QByteArray &bytes, const QByteArray &charset)
{
    if (isUtf8(charset)) {
        QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString s = dec(bytes);
        if (dec.hasError())
            return std::nullopt;
        return s;
    }
    auto utf8 = convert(bytes, charset.constData(), "UTF-8");
    if (!utf8)
        return std::nullopt;
    return QString::fromUtf8(*utf8);
}

std::optional<QByteArray> encode(const QString &text, const QByteArray &charset)
{
    if (isUtf8(charset))
        return text.toUtf8();
    return convert(text.toUtf8(), "UTF-8", charset.constData());
}

std::optional<QString> decodeIso2022Jp(const QByteArray &bytes)
{
    if (auto s = decode(bytes, "ISO-2022-JP"))
        return s;
    enum class Set { Ascii, Jis0208, Kana } set = Set::Ascii;
    QByteArray euc;
    euc.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar c = uchar(bytes[i]);
        if (c == 0x1B && i + 2 < bytes.size()) {
            const char a = bytes[i + 1], b = bytes[i + 2];
            if (a == '$' && (b == 'B' || b == '@'))
                set = Set::Jis0208;
            else if (a == '(' && (b == 'B' || b == 'J'))
                set = Set::Ascii;
            else if (a == '(' && b == 'I')
                set = Set::Kana;
            else
                return std::nullopt;
            i += 2;
            continue;
        }
        if (c == '\r' || c == '\n') {
            set = Set::Ascii;  // a line never continues a double-byte run
            euc += char(c);
        } else if (set == Set::Jis0208 && c >= 0x21 && c <= 0x7E) {
            euc += char(c | 0x80);
        } else if (set == Set::Kana && c >= 0x21 && c <= 0x5F) {
            euc += char(0x8E);
            euc += char(c | 0x80);
        } else if (c < 0x80) {
            euc += char(c);
        } else {
            return std::nullopt;
        }
    }
    return decode(euc, "EUCJP-MS");
}

QString decodeSystem(const QByteArray &bytes)
{
    if (auto s = decode(bytes, systemCodePage()))
        return *s;
    if (auto s = decode(bytes, "CP932"))
        return *s;
    return QString::fromLatin1(bytes);
}

} // namespace TextCodec
