#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Text files kept beside the settings file: lists of lines with CR LF ends.
namespace SideFile {

enum class Encoding { Utf8Bom, Utf16LeBom, Utf16BeBom, System };

struct Lines
{
    QStringList lines;
    Encoding encoding = Encoding::System;
};

// Reads a list of lines. A byte-order mark decides the encoding; without one
// the file is read in `fallback` (UTF-8 or the system code page). Lines end in
// CR LF, LF or CR; a final line end adds no empty line. nullopt when the file
// cannot be read.
std::optional<Lines> readLines(const QString &path, Encoding fallback);

// Writes every line followed by CR LF in the given encoding, atomically.
bool writeLines(const QString &path, const QStringList &lines, Encoding encoding);

// Whole files kept as bytes (rich text, enciphered password).
std::optional<QByteArray> readBytes(const QString &path);
bool writeBytes(const QString &path, const QByteArray &bytes);

QStringList splitLines(const QString &text);

} // namespace SideFile
