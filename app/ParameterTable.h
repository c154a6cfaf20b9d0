#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The key/value rows of the "パラメータ設定" page, kept in section "Condition".
// A row never stored reads as the marker, which every user treats as unset.
class ParameterTable
{
public:
    static const QString &marker();          // "Dummy Data"
    static const QStringList &keys();        // the rows, in display order
    static bool isUnset(const QString &value);

    ParameterTable();
    QString value(const QString &key) const;
    void setValue(const QString &key, const QString &value);
    const QList<QPair<QString, QString>> &rows() const { return m_rows; }

private:
    QList<QPair<QString, QString>> m_rows;
};
