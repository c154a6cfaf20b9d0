#pragma once
#include <QList>
#include <QString>
#include <optional>

// A settings file read and written the way Windows' private-profile functions
// do it: sections in brackets, "key=value" lines, section and key names
// compared without regard to letter case, values taken as they stand (no
// escaping). Lines the program does not know are kept as they are, so a file
// edited by hand or written by a Windows installation survives a round trip.
class IniFile
{
public:
    // Reads a file; a missing or unreadable file leaves an empty store and
    // returns false.
    bool load(const QString &path);
    void parse(const QString &text);
    QString serialize() const;
    // Writes atomically: a crash while writing never leaves a truncated file.
    bool save(const QString &path) const;

    bool hasKey(const QString &section, const QString &key) const;
    QString readString(const QString &section, const QString &key, const QString &def) const;
    // Decimal, or hexadecimal after "0x" or "$"; anything else gives def.
    int readInteger(const QString &section, const QString &key, int def) const;
    // Read as an integer, non-zero meaning true.
    bool readBool(const QString &section, const QString &key, bool def) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    static std::optional<int> parseInteger(const QString &text);

private:
    struct Line
    {
        QString text;   // the line as read or written
        QString key;    // trimmed key; empty for comments and blank lines
    };
    struct Section
    {
        QString name;
        QList<Line> lines;
    };
    const Line *findLine(const QString &section, const QString &key) const;
    Section *findSection(const QString &section);
    const Section *findSection(const QString &section) const;

    QList<Line> m_preamble;  // lines before the first section; never read
    QList<Section> m_sections;
};
