#pragma once
#include <QString>

// Where the connection goes for a host setting and a database file, and the
// window title that says so. An empty host, or any host that contains
// "localhost", opens the file directly (no server name).
struct ConnectionTarget
{
    QString database;
    QString server;   // empty: the file is opened in-process
    QString title;

    static ConnectionTarget forSettings(const QString &host, const QString &file);
    static QString baseTitle();  // "Quernal管理"
};
