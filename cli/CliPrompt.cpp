#include "CliPrompt.h"

#include <cstdio>

void CliPrompt::message(const QString &text, Kind)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    std::fprintf(stderr, "%s\n", t.toLocal8Bit().constData());
}

Prompt::Answer CliPrompt::question(const QString &text, bool)
{
    message(text, Kind::Information);
    return Answer::No;
}
