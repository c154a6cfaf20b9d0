#pragma once
#include <QStringList>

class QApplication;

// The program's start: one instance per user, the splash, the main window,
// the message loop, and a new start when the window asked for one.
int RunQuernal(QApplication &app, const QStringList &arguments);

// Japanese texts in Qt's own dialogs, and an icon theme for file types.
void InstallDesktopLook(QApplication &app);

// Font families of the Windows desktop that Japanese text here falls back from.
void InstallFontSubstitutes();

// Before the application object: the HTML view's schemes and sandbox.
void PrepareWebEngine();
