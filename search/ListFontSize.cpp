#include "ListFontSize.h"

namespace ListFontSize {

int smaller(int n)
{
    const int s = n > 10 ? int(n * 0.9) : n - 1;
    // A font below one point cannot be drawn.
    return s < 1 ? 1 : s;
}

int larger(int n)
{
    return n >= 10 ? int(n * 1.1) : n + 1;
}

} // namespace ListFontSize
