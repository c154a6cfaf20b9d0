#include "ParameterTable.h"

const QString &ParameterTable::marker()
{
    static const QString m = QStringLiteral("Dummy Data");
    return m;
}

const QStringList &ParameterTable::keys()
{
    static const QStringList k = [] {
        QStringList l{QStringLiteral("ExpFileName"), QStringLiteral("DLMTDStr1"),
                      QStringLiteral("DLMTDStr2"),   QStringLiteral("GPGPath"),
                      QStringLiteral("ThdrPath"),    QStringLiteral("ZOOM"),
                      QStringLiteral("FromDate"),    QStringLiteral("ToDate"),
                      QStringLiteral("Subject"),     QStringLiteral("SenderName")};
        for (int i = 1; i <= 10; ++i)
            l << QStringLiteral("MailAccount%1").arg(i);
        return l;
    }();
    return k;
}

bool ParameterTable::isUnset(const QString &value)
{
    return value.isEmpty() || value == marker();
}

ParameterTable::ParameterTable()
{
    for (const QString &k : keys())
        m_rows.append({k, marker()});
}

QString ParameterTable::value(const QString &key) const
{
    for (const auto &r : m_rows)
        if (r.first.compare(key, Qt::CaseInsensitive) == 0)
            return r.second;
    return marker();
}

void ParameterTable::setValue(const QString &key, const QString &value)
{
    for (auto &r : m_rows) {
        if (r.first.compare(key, Qt::CaseInsensitive) == 0) {
            r.second = value;
            return;
        }
    }
    m_rows.append({key, value});
}
