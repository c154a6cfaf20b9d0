#pragma once
#include <QStringList>
#include <optional>

// The program takes one argument: "help" (any letter case, anywhere in it)
// asks for the argument help, a number picks the theme for this run.
struct CommandLine
{
    bool helpRequested = false;
    std::optional<int> theme;  // already limited to 0 ... 3

    static CommandLine parse(const QStringList &argumentsWithoutProgram);
    static QString helpText();
};
