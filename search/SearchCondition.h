#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

// What the search dialog asks for.
struct SearchInput
{
    QDate from, to;
    QString subject, sender;    // "*" any run, "?" one character
    QStringList bodyLines;      // one keyword group per line; blanks inside match any run
    bool bodyAnd = false;       // lines joined by AND, else OR
};

// The condition on MAIL_VIEW for a search, with "?" placeholders: what the
// user typed is always searched for literally, never read as SQL.
struct SearchCondition
{
    QString sql;
    QVariantList values;

    // nullopt when the range is reversed.
    static std::optional<SearchCondition> build(const SearchInput &in);

    static QString likePattern(const QString &text);   // "*" → "%", "?" → "_"
    static QString bodyPattern(const QString &line);   // blanks → "%", wrapped in "%"
    static bool hasBody(const QStringList &lines);
};
