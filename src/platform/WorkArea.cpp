#include "WorkArea.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {
std::optional<QRect> g_area;
}

QRect workArea()
{
    if (g_area)
        return *g_area;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        if (QScreen* s = QGuiApplication::primaryScreen())
            return s->availableGeometry();
    return QRect(0, 0, 1024, 768);
}

void setWorkArea(std::optional<QRect> r)
{
    g_area = std::move(r);
}

} // namespace platform
