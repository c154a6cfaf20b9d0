#pragma once
#include <QString>
#include <QStringList>

// Opens a file with the program the desktop registers for its type and waits
// for the opener to end while the window keeps working. An opener that hands
// the file to a program already running returns at once, and so does the wait.
class OpenAndWait
{
public:
    // The opener and the arguments before the file; xdg-open by default.
    QString opener;
    QStringList openerArguments;

    OpenAndWait();
    // False (after "プログラムが起動できませんでした") when nothing could be started.
    bool run(const QString &file) const;
    static QString failureText();
};
