#include "SearchCondition.h"

#include <QDateTime>

QString SearchCondition::likePattern(const QString &text)
{
    QString p = text;
    p.replace(u'*', u'%');
    p.replace(u'?', u'_');
    return p;
}

QString SearchCondition::bodyPattern(const QString &line)
{
    QString p = line;
    p.replace(u' ', u'%');
    p.replace(QChar(0x3000), u'%');
    p = u'%' + p + u'%';
    // Trim blanks and control characters at both ends.
    qsizetype b = 0, e = p.size();
    while (b < e && p[b].unicode() <= 0x20)
        ++b;
    while (e > b && p[e - 1].unicode() <= 0x20)
        --e;
    return p.mid(b, e - b);
}

bool SearchCondition::hasBody(const QStringList &lines)
{
    return !lines.join(u'\n').trimmed().isEmpty();
}

std::optional<SearchCondition> SearchCondition::build(const SearchInput &in)
{
    if (in.from > in.to)
        return std::nullopt;
    SearchCondition c;
    // The whole last day counts: below the next day's midnight.
    c.sql = QStringLiteral("MESSAGE_DATE >= ? AND MESSAGE_DATE < ?");
    c.values << QDateTime(in.from, QTime(0, 0)) << QDateTime(in.to.addDays(1), QTime(0, 0));
    if (!in.subject.isEmpty()) {
        c.sql += QStringLiteral(" AND MESSAGE_SUBJECT LIKE ?");
        c.values << likePattern(in.subject);
    }
    if (!in.sender.isEmpty()) {
        c.sql += QStringLiteral(" AND SENDER_NAME LIKE ?");
        c.values << likePattern(in.sender);
    }
    if (hasBody(in.bodyLines)) {
        QString body;
        for (int i = 0; i < in.bodyLines.size(); ++i) {
            if (i == 0)
                body = QStringLiteral("((MAILBODY LIKE ?)");
            else
                body += in.bodyAnd ? QStringLiteral(" and (MAILBODY LIKE ?)") : QStringLiteral(" or (MAILBODY LIKE ?)");
            c.values << bodyPattern(in.bodyLines[i]);
        }
        c.sql += QStringLiteral(" AND ") + body + u')';
    }
    return c;
}
