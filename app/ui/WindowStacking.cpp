#include "WindowStacking.h"

#include <QWidget>
#include <QWindow>

bool StaysOnTop(const QWidget *w)
{
    return w && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void SetStaysOnTop(QWidget *w, bool onTop)
{
    if (!w || !w->isWindow() || StaysOnTop(w) == onTop)
        return;
    Qt::WindowFlags f = w->windowFlags();
    f.setFlag(Qt::WindowStaysOnTopHint, onTop);
    if (QWindow *h = w->windowHandle(); h && w->isVisible()) {
        // setWindowFlags() would hide and re-create the window.
        w->overrideWindowFlags(f);
        h->setFlags(f);
    } else {
        w->setWindowFlags(f);
    }
}
