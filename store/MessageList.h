#pragma once
#include <QSqlQueryModel>
#include <QString>
#include <QVariantList>

// The list of stored messages over MAIL_VIEW: an optional condition, an
// order (newest first to begin with), and a model the result grid shows.
// The body column carries a one-line preview, never the whole text.
class MessageListModel : public QSqlQueryModel
{
    Q_OBJECT
public:
    using QSqlQueryModel::QSqlQueryModel;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

class MessageList
{
public:
    static constexpr int kPreviewChars = 200;
    static const QStringList &fields();   // the view's columns, in design order

    explicit MessageList(QString connectionName);

    bool open();
    void close();
    bool isOpen() const { return m_open; }
    bool isEmpty() const;
    int rowCount() const;

    // A condition on MAIL_VIEW's columns with "?" placeholders and their values.
    void setFilter(const QString &condition, const QVariantList &values = {});
    QString filter() const { return m_filter; }
    bool filtered() const { return m_filtered; }
    void setFiltered(bool on) { m_filtered = on; }

    void setOrder(const QString &field, bool descending);
    QString orderField() const { return m_orderField; }
    bool orderDescending() const { return m_descending; }

    QString selectSql() const;
    MessageListModel *model() { return &m_model; }
    QString lastError() const { return m_error; }

private:
    QString m_connection;
    MessageListModel m_model;
    bool m_open = false;
    QString m_filter;
    QVariantList m_values;
    bool m_filtered = false;
    QString m_orderField = QStringLiteral("MESSAGE_DATE");
    bool m_descending = true;
    QString m_error;
};
