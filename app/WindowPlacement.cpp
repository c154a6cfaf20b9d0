#include "WindowPlacement.h"

namespace WindowPlacement {

int clampLeft(int left, int width, int desktopLeft, int desktopWidth)
{
    if (left < desktopLeft)
        return desktopLeft;
    if (left + width > desktopLeft + desktopWidth)
        return desktopLeft + desktopWidth - width;
    return left;
}

} // namespace WindowPlacement
