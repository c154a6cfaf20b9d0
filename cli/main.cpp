// quernal-cli: the archive without a window, for scripts and benchmarks.
#include "CliCommands.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quernal"));
    return RunCli(app.arguments().mid(1));
}
