#pragma once
#include "Prompt.h"

// Messages go to standard error; questions are answered No, since nobody
// sits at a script (commands that need a Yes take a flag for it).
class CliPrompt : public Prompt
{
public:
    void message(const QString &text, Kind kind) override;
    Answer question(const QString &text, bool defaultYes) override;
    QStringList openFileNames(const QString &, const QString &, const QStringList &, int *, bool) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &, const QStringList &, int *) override { return {}; }
    QString existingFolder(const QString &, const QString &) override { return {}; }
};
