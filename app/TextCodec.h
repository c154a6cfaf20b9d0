#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

// Character-set conversion through iconv, so every code page the mail world
// uses (Shift_JIS, ISO-2022-JP, EUC-JP, Latin ones) is handled by a real converter.
namespace TextCodec {

// The encoding plain text files and settings use when they carry no mark.
// On Linux that is the locale's encoding, normally UTF-8.
QByteArray systemCodePage();

// Decodes bytes of the named character set; nullopt when the set is unknown
// or the bytes are not valid in it.
std::optional<QString> decode(const QByteArray &bytes, const QByteArray &charset);

// Encodes text into the named character set; nullopt when a character has no
// representation there or the set is unknown.
std::optional<QByteArray> encode(const QString &text, const QByteArray &charset);

// Decodes with the system code page, falling back to Shift_JIS (files written
// by a Japanese Windows installation) and finally to Latin-1, which never fails.
QString decodeSystem(const QByteArray &bytes);

bool isUtf8(const QByteArray &charset);

// ISO-2022-JP as Japanese Windows mailers write it: JIS X 0208 with the NEC
// and IBM extensions (circled digits, Roman numerals). Plain iconv refuses
// those; the escape-sequenced text is re-coded to EUC-JP (a mechanical
// mapping) and read with the EUCJP-MS converter.
std::optional<QString> decodeIso2022Jp(const QByteArray &bytes);

} // namespace TextCodec
