#pragma once
#include <QStringList>

// Runs one command line of quernal-cli; returns the exit code.
int RunCli(const QStringList &arguments);
