#pragma once
#include <QString>
#include <functional>

// Opens the help file with the program the desktop registers for it. There is
// no HTML Help viewer here: contents and index both open the file itself.
class HelpLauncher
{
public:
    enum class Topic { Contents, Index };
    // Returns true when the file was handed to a program.
    using Opener = std::function<bool(const QString &path)>;

    explicit HelpLauncher(Opener opener = systemOpener()) : m_opener(std::move(opener)) {}

    // Shows a message through the prompt when the file or an opener is missing.
    bool open(const QString &helpFile, Topic topic) const;

    static Opener systemOpener();  // xdg-open, awaited without blocking the window
    static QString missingFileText(const QString &helpFile);
    static QString noOpenerText(const QString &helpFile);

private:
    Opener m_opener;
};
