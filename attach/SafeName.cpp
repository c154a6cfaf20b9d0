#include "SafeName.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {
constexpr int kMaxBytes = 200;  // well below the 255 bytes a file name may have
}

QString NameRule(const QString &name)
{
    QString n = name;
    n.replace(u'/', u'_');
    return n;
}

QString SafeFileName(const QString &name)
{
    QString n = NameRule(name);
    for (QChar &c : n)
        if (c == u'\\' || c == u':' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u'_';
    n = n.trimmed();
    if (n.isEmpty())
        n = QStringLiteral("無題の添付ファイル");
    if (n == QLatin1String(".") || n == QLatin1String(".."))
        n = u'_' + n;
    // Device names that Windows reserves, with or without an extension.
    static const QRegularExpression reserved(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(n).hasMatch())
        n = u'_' + n;
    if (n.toUtf8().size() > kMaxBytes) {
        const QString suffix = QFileInfo(n).suffix();
        const QString ext = suffix.isEmpty() || suffix.size() > 16 ? QString() : u'.' + suffix;
        QString stem = n.left(n.size() - ext.size());
        while (!stem.isEmpty() && (stem + ext).toUtf8().size() > kMaxBytes)
            stem.chop(stem.size() > 1 && stem.at(stem.size() - 1).isLowSurrogate() ? 2 : 1);
        n = stem + ext;
    }
    return n;
}

QString SafePathIn(const QString &folder, const QString &name)
{
    return folder + u'/' + SafeFileName(name);
}
