#pragma once
#include "Prompt.h"

class QWidget;

// Real dialogs, owned by the window in front.
class QtPrompt : public Prompt
{
public:
    explicit QtPrompt(QWidget *owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget *owner) { m_owner = owner; }

    void message(const QString &text, Kind kind) override;
    Answer question(const QString &text, bool defaultYes) override;
    QStringList openFileNames(const QString &caption, const QString &folder, const QStringList &filters,
                              int *filterIndex, bool multiple) override;
    QString saveFileName(const QString &caption, const QString &folder, const QString &proposedName,
                         const QStringList &filters, int *filterIndex) override;
    QString existingFolder(const QString &caption, const QString &folder) override;

private:
    QWidget *m_owner;
};
