#pragma once
#include <QDateTime>
#include <QString>
#include <array>

class MimeReader;
class ParameterTable;

// The eight fields of the message index record, derived from a message.
struct HeaderFields
{
    QString messageId;       // Edit1
    QDateTime date;          // Edit2 (invalid: empty)
    QString accountKey;      // Edit3
    QString fromName;        // Edit4
    QString fromAddress;     // Edit5
    QString toName;          // Edit6
    QString toAddress;       // Edit7
    QString subject;         // Edit8

    // Edit1 … Edit8 as the window shows them.
    std::array<QString, 8> texts() const;
    // Edit2 as the window shows it, and as the record reads it back.
    QString dateText() const;
    static QString formatDate(const QDateTime &d);

    // Each field under its own guard: one that cannot be derived stays empty.
    static HeaderFields derive(const MimeReader &reader, const ParameterTable &params);

    // The pieces, usable on their own.
    static QString monthNumber(const QString &text);
    static QString findAccountName(const ParameterTable &params, const QString &address, bool *found = nullptr);
    static QDateTime apparentlyToDate(const QString &value);
    static QString toDisplayName(const QString &rawTo);
    static QString toAddressOf(const QString &rawTo);
    static QString stripEnclosing(const QString &s);
    // Decodes every RFC 2047 encoded word by its own letter and character set.
    static QString decodeEncodedWords(const QString &text);
};

// ISO-2022-JP bytes to text (the system code page here is Unicode);
// an empty conversion gives an empty result.
QString JisToShiftJis(const QByteArray &jis);
