#pragma once
class QWidget;

// Puts a top-level window above all others or back among them. A shown
// window keeps its native window: only the hint is passed to the window
// system, so nothing flickers or loses focus.
void SetStaysOnTop(QWidget *w, bool onTop);
bool StaysOnTop(const QWidget *w);
