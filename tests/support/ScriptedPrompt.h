#pragma once
#include "Prompt.h"

#include <QList>
#include <QQueue>

// Answers from a script and remembers what was asked or shown. An unexpected
// question is answered Cancel and recorded, so a test can tell; nothing waits.
class ScriptedPrompt : public Prompt
{
public:
    struct Shown
    {
        QString text;
        bool isQuestion;
        bool defaultYes;
    };

    QQueue<Answer> answers;
    QQueue<QStringList> fileAnswers;
    QQueue<QString> folderAnswers;
    QList<Shown> shown;
    int unexpected = 0;

    QStringList texts() const;

    void message(const QString &text, Kind kind) override;
    Answer question(const QString &text, bool defaultYes) override;
    QStringList openFileNames(const QString &caption, const QString &folder,
                              const QStringList &filters, int *filterIndex, bool multiple) override;
    QString saveFileName(const QString &caption, const QString &folder, const QString &proposedName,
                         const QStringList &filters, int *filterIndex) override;
    QString existingFolder(const QString &caption, const QString &folder) override;
};
