#include "ScriptedPrompt.h"

QStringList ScriptedPrompt::texts() const
{
    QStringList l;
    for (const Shown &s : shown)
        l << s.text;
    return l;
}

void ScriptedPrompt::message(const QString &text, Kind)
{
    shown.append({text, false, false});
}

Prompt::Answer ScriptedPrompt::question(const QString &text, bool defaultYes)
{
    shown.append({text, true, defaultYes});
    if (answers.isEmpty()) {
        ++unexpected;
        return Answer::Cancel;
    }
    return answers.dequeue();
}

QStringList ScriptedPrompt::openFileNames(const QString &caption, const QString &, const QStringList &, int *, bool)
{
    shown.append({caption, true, false});
    if (fileAnswers.isEmpty()) {
        ++unexpected;
        return {};
    }
    return fileAnswers.dequeue();
}

QString ScriptedPrompt::saveFileName(const QString &caption, const QString &, const QString &,
                                     const QStringList &, int *)
{
    shown.append({caption, true, false});
    if (fileAnswers.isEmpty()) {
        ++unexpected;
        return {};
    }
    return fileAnswers.dequeue().value(0);
}

QString ScriptedPrompt::existingFolder(const QString &caption, const QString &)
{
    shown.append({caption, true, false});
    if (folderAnswers.isEmpty()) {
        ++unexpected;
        return {};
    }
    return folderAnswers.dequeue();
}
