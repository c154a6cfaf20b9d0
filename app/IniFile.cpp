#include "IniFile.h"

#include "AtomicFile.h"
#include "SideFile.h"
#include "TextCodec.h"

#include <QFile>
#include <QStringDecoder>

namespace {

QString valueOf(const QString &line)
{
    const qsizetype eq = line.indexOf(u'=');
    QString v = line.mid(eq + 1).trimmed();
    // Like the private-profile reader: one pair of enclosing quotes is dropped.
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

} // namespace

bool IniFile::load(const QString &path)
{
    m_preamble.clear();
    m_sections.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray data = f.readAll();
    if (data.startsWith("\xEF\xBB\xBF")) {
        parse(QString::fromUtf8(data.mid(3)));
        return true;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(data);
    parse(utf8.hasError() ? TextCodec::decodeSystem(data) : text);
    return true;
}

void IniFile::parse(const QString &text)
{
    m_preamble.clear();
    m_sections.clear();
    const QStringList lines = SideFile::splitLines(text);
    QList<Line> *target = &m_preamble;
    for (const QString &raw : lines) {
        const QString t = raw.trimmed();
        if (t.startsWith(u'[')) {
            const qsizetype close = t.indexOf(u']');
            Section s;
            s.name = (close > 0 ? t.mid(1, close - 1) : t.mid(1)).trimmed();
            m_sections.append(s);
            target = &m_sections.back().lines;
            continue;
        }
        Line l{raw, QString()};
        const qsizetype eq = raw.indexOf(u'=');
        if (eq > 0 && !t.startsWith(u';'))
            l.key = raw.left(eq).trimmed();
        target->append(l);
    }
}

QString IniFile::serialize() const
{
    QString out;
    for (const Line &l : m_preamble)
        out += l.text + QLatin1String("\r\n");
    for (const Section &s : m_sections) {
        out += u'[' + s.name + QLatin1String("]\r\n");
        for (const Line &l : s.lines)
            out += l.text + QLatin1String("\r\n");
    }
    return out;
}

bool IniFile::save(const QString &path) const
{
    const QString text = serialize();
    auto bytes = TextCodec::encode(text, TextCodec::systemCodePage());
    return AtomicFile::write(path, bytes ? *bytes : text.toUtf8());
}

const IniFile::Section *IniFile::findSection(const QString &section) const
{
    for (const Section &s : m_sections)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

IniFile::Section *IniFile::findSection(const QString &section)
{
    return const_cast<Section *>(std::as_const(*this).findSection(section));
}

const IniFile::Line *IniFile::findLine(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return nullptr;
    for (const Line &l : s->lines)
        if (!l.key.isEmpty() && l.key.compare(key, Qt::CaseInsensitive) == 0)
            return &l;
    return nullptr;
}

bool IniFile::hasKey(const QString &section, const QString &key) const
{
    return findLine(section, key) != nullptr;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const Line *l = findLine(section, key);
    return l ? valueOf(l->text) : def;
}

std::optional<int> IniFile::parseInteger(const QString &text)
{
    QString t = text.trimmed();
    bool neg = false;
    if (t.startsWith(u'-')) {
        neg = true;
        t = t.mid(1);
    } else if (t.startsWith(u'+')) {
        t = t.mid(1);
    }
    int base = 10;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t = t.mid(2);
    } else if (t.startsWith(u'$')) {
        base = 16;
        t = t.mid(1);
    }
    if (t.isEmpty() || t.startsWith(u'-') || t.startsWith(u'+'))
        return std::nullopt;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    const qlonglong s = neg ? -v : v;
    // Hexadecimal may spell a negative 32-bit number (colours such as 0xFF000000).
    if (base == 16 && !neg && v <= 0xFFFFFFFFLL)
        return int(quint32(v));
    if (s < INT_MIN || s > INT_MAX)
        return std::nullopt;
    return int(s);
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    const Line *l = findLine(section, key);
    if (!l)
        return def;
    return parseInteger(valueOf(l->text)).value_or(def);
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString text = key + u'=' + value;
    Section *s = findSection(section);
    if (!s) {
        m_sections.append(Section{section, {}});
        s = &m_sections.back();
    }
    for (Line &l : s->lines) {
        if (!l.key.isEmpty() && l.key.compare(key, Qt::CaseInsensitive) == 0) {
            l = Line{text, key};
            return;
        }
    }
    // New keys go after the section's last key, ahead of trailing blank lines.
    qsizetype at = s->lines.size();
    while (at > 0 && s->lines[at - 1].text.trimmed().isEmpty())
        --at;
    s->lines.insert(at, Line{text, key});
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
