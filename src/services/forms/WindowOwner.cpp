#include "WindowOwner.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace WindowOwner {

void OwnByActiveWindow(QWidget* form)
{
    QWindow* window = form->windowHandle();
    if (!window)
        return;
    QWidget* active = QApplication::activeWindow();
    QWindow* owner = (active && active != form && active->isVisible()) ? active->windowHandle() : nullptr;
    // An owner that the form itself owns (from an earlier showing) would
    // close a loop.
    for (QWindow* w = owner; w; w = w->transientParent())
        if (w == window) {
            owner = nullptr;
            break;
        }
    window->setTransientParent(owner);
}

} // namespace WindowOwner
