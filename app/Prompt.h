#pragma once
#include <QString>
#include <QStringList>

// Every question, message and file dialog of the program goes through this
// interface: the window installs one that shows real dialogs, tests install
// one with scripted answers, and the command line one that prints.
class Prompt
{
public:
    enum class Answer { Yes, No, Cancel };
    enum class Kind { Information, Warning, Error };

    virtual ~Prompt() = default;

    virtual void message(const QString &text, Kind kind = Kind::Information) = 0;
    // A Yes/No question; `defaultYes` picks the preselected button. Closing
    // the question without choosing gives Cancel.
    virtual Answer question(const QString &text, bool defaultYes = true) = 0;
    // File dialogs: an empty result (or list) means the user cancelled.
    virtual QStringList openFileNames(const QString &caption, const QString &folder,
                                      const QStringList &filters, int *filterIndex, bool multiple) = 0;
    virtual QString saveFileName(const QString &caption, const QString &folder,
                                 const QString &proposedName, const QStringList &filters,
                                 int *filterIndex) = 0;
    virtual QString existingFolder(const QString &caption, const QString &folder) = 0;

    // The prompt in force; never null (a silent one until someone installs another).
    static Prompt &current();
    static void install(Prompt *prompt);
};

// Says nothing and answers Cancel: for code that runs without anyone to ask.
class SilentPrompt : public Prompt
{
public:
    void message(const QString &, Kind) override {}
    Answer question(const QString &, bool) override { return Answer::Cancel; }
    QStringList openFileNames(const QString &, const QString &, const QStringList &, int *, bool) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &, const QStringList &, int *) override { return {}; }
    QString existingFolder(const QString &, const QString &) override { return {}; }
};
