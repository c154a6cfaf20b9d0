#include "MessageList.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

QVariant MessageListModel::data(const QModelIndex &index, int role) const
{
    QVariant v = QSqlQueryModel::data(index, role);
    if (role != Qt::DisplayRole)
        return v;
    if (index.column() == 9)
        return v.toString().simplified();
    if (index.column() == 1 && v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
    return v;
}

const QStringList &MessageList::fields()
{
    static const QStringList f{"MESSAGE_ID",     "MESSAGE_DATE",    "ACCOUNT_KEY",     "SENDER_NAME",
                               "SENDER_ADDRESS", "RECIEVE_NAME",    "RECIEVE_ADDRESS", "MESSAGE_SUBJECT",
                               "MESSAGE_FILENAME", "MAILBODY"};
    return f;
}

MessageList::MessageList(QString connectionName) : m_connection(std::move(connectionName)) {}

QString MessageList::selectSql() const
{
    QStringList cols = fields();
    // The body is cut short in the database: whole texts never cross for a list.
    cols.last() = QStringLiteral("CAST(SUBSTRING(MAILBODY FROM 1 FOR %1) AS VARCHAR(%1)) AS MAILBODY")
                      .arg(kPreviewChars);
    QString sql = QStringLiteral("SELECT ") + cols.join(QStringLiteral(", ")) + QStringLiteral(" FROM MAIL_VIEW");
    const QString field = fields().contains(m_orderField) ? m_orderField : QStringLiteral("MESSAGE_DATE");
    QStringList where;
    // A bound on the date, true for every row, lets the engine walk the date
    // index for the order instead of sorting the whole store before the first row.
    if (field == QLatin1String("MESSAGE_DATE"))
        where << QStringLiteral("MESSAGE_DATE >= '0001-01-01'");
    if (m_filtered && !m_filter.isEmpty())
        where << u'(' + m_filter + u')';
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    // Text is compared without regard to case; the body by its preview column.
    QString key = field;
    if (field == QLatin1String("MAILBODY"))
        key = QStringLiteral("UPPER(CAST(SUBSTRING(MAILBODY FROM 1 FOR %1) AS VARCHAR(%1)))").arg(kPreviewChars);
    else if (field != QLatin1String("MESSAGE_DATE"))
        key = QStringLiteral("UPPER(") + field + u')';
    sql += QStringLiteral(" ORDER BY ") + key + (m_descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    return sql;
}

bool MessageList::open()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    m_error.clear();
    if (!q.prepare(selectSql())) {
        m_error = q.lastError().text();
        return false;
    }
    if (m_filtered)
        for (const QVariant &v : m_values)
            q.addBindValue(v);
    if (!q.exec()) {
        m_error = q.lastError().text();
        return false;
    }
    m_model.setQuery(std::move(q));
    m_open = true;
    return true;
}

void MessageList::close()
{
    m_model.clear();
    m_open = false;
}

bool MessageList::isEmpty() const
{
    return rowCount() == 0;
}

int MessageList::rowCount() const
{
    return m_open ? m_model.rowCount() : 0;
}

void MessageList::setFilter(const QString &condition, const QVariantList &values)
{
    m_filter = condition;
    m_values = values;
}

void MessageList::setOrder(const QString &field, bool descending)
{
    m_orderField = field;
    m_descending = descending;
}
