#pragma once
#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The text encoding of a Windows code page, decoded through iconv. A code
// page the system has no converter for gives the system's ANSI encoding
// (on Linux the locale's encoding); 0 asks for ANSI directly.
class TTnefEncoding
{
public:
    explicit TTnefEncoding(quint32 codePage);

    quint32 CodePage() const { return m_codePage; }
    // The converter name in use ("CP932", "UTF-8", …).
    QByteArray Charset() const { return m_charset; }
    // True when the code page was not 0 and had to fall back to ANSI.
    bool IsFallback() const { return m_fallback; }

    // Bytes that are not valid in the encoding become U+FFFD, one per byte,
    // so a damaged name still reads instead of vanishing.
    QString Decode(const QByteArray &bytes) const;

    // The converter name for a Windows code page, before any availability check.
    static QByteArray CharsetForCodePage(quint32 codePage);

private:
    quint32 m_codePage;
    QByteArray m_charset;
    bool m_fallback = false;
};
