#include "PageLook.h"

#include "HeadingPanel.h"

#include <QLabel>

namespace PageLook {

void SetHeadingActive(HeadingPanel* panel, bool active)
{
    QLabel* l = panel->CaptionLabel();
    QPalette pal = l->palette();
    // Grey that still reads on the heading's dark band.
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xA8, 0xB4, 0xC8));
    l->setPalette(pal);
    l->setEnabled(active);
}

} // namespace PageLook
