#pragma once
#include <QStringList>

// The history of a search box: newest first, at most 20 entries, one
// duplicate of a new entry removed.
class ComboHistory
{
public:
    static constexpr int kMax = 20;

    QStringList items;
    int strNum = 0;   // index of the entry last picked from the list

    enum class Event { DblClick, Enter, Exit };
    // Applies the box's text on an event; returns the box's new text.
    QString apply(Event e, const QString &text);
    void closeUp(int selectedIndex);
};
