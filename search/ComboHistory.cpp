#include "ComboHistory.h"

QString ComboHistory::apply(Event e, const QString &text)
{
    QString t = text;
    if (e != Event::Exit) {
        if (t.contains(u' '))
            t = t.trimmed().remove(u' ');
        if (t.isEmpty()) {
            if (strNum >= 0 && strNum < items.size())
                items.removeAt(strNum);
            return t;
        }
    } else if (t.isEmpty()) {
        return t;
    }
    items.insert(0, t);
    if (items.size() > 1) {
        const qsizetype dup = items.indexOf(t, 1);
        if (dup > 0)
            items.removeAt(dup);
    }
    if (items.size() > kMax)
        items.removeAt(kMax);
    return items.first();
}

void ComboHistory::closeUp(int selectedIndex)
{
    if (selectedIndex >= 0)
        strNum = selectedIndex;
}
