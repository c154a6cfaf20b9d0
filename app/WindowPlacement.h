#pragma once

namespace WindowPlacement {
// Keeps a stored window on the desktop horizontally: a left edge left of the
// desktop moves to its edge; otherwise a right edge beyond the desktop moves
// the window left until it touches.
int clampLeft(int left, int width, int desktopLeft, int desktopWidth);
}
