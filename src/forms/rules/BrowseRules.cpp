#include "BrowseRules.h"

#include "Utils.h"

#include <algorithm>

namespace BrowseRules {

int PreselectRow(const QStringList& items, const QString& current, bool trimmed)
{
    const auto key = [trimmed](const QString& s) { return Utils::AsciiUpper(trimmed ? Utils::Trim(s) : s); };
    const QString wanted = key(current);
    int row = -1;
    for (int i = 0; i < items.size(); ++i)
        if (key(items[i]) == wanted)
            row = i;
    if (row < 0 && !items.isEmpty())
        row = 0;
    return row;
}

// Edges are exclusive: a form of height h at top t ends at t + h.
AutoSizeResult AutoSize(const QRect& form, const QSize& wanted, const QSize& minSize, const QRect& wa,
                        bool autoAlign)
{
    AutoSizeResult r{form, minSize, {}};
    const int waBottom = wa.y() + wa.height();
    const int waRight = wa.x() + wa.width();

    int height = std::min(wanted.height(), wa.height());
    if (height < r.minSize.height())
        r.minSize.setHeight(height);
    r.autoSize.setHeight(height);
    if (!autoAlign) {
        int t = form.y();
        if (t + height > waBottom) {
            t = std::max(waBottom - height, wa.y());
            if (t + height > waBottom) {
                t = wa.y();
                height = std::max(wa.height(), r.minSize.height());
            }
        }
        r.form.moveTop(t);
        r.form.setHeight(height);
    }

    int width = std::min(wanted.width(), wa.width());
    if (width < r.minSize.width())
        r.minSize.setWidth(width);
    r.autoSize.setWidth(width);
    if (!autoAlign) {
        int l = std::max(form.x(), wa.x());
        if (l + width > waRight) {
            l = std::max(waRight - width, wa.x());
            if (l + width > waRight) {
                l = wa.x();
                width = std::max(wa.width(), r.minSize.width());
            }
        }
        r.form.moveLeft(l);
        r.form.setWidth(width);
    }
    return r;
}

QRect AutoAlign(const QRect& form, const QPoint& anchor, bool autoSize, const QSize& autoSz, const QSize& minSize,
                const QRect& wa)
{
    const int waBottom = wa.y() + wa.height();
    const int waRight = wa.x() + wa.width();

    int y = anchor.y();
    int h = form.height();
    if (autoSize) {
        h = autoSz.height();
        if (y + minSize.height() > waBottom) {
            y = std::max(waBottom - minSize.height(), wa.y());
            h = minSize.height();
        } else if (y + h > waBottom) {
            h = std::max(waBottom - y, minSize.height());
        }
    } else {
        if (y + h > waBottom)
            y = waBottom - h;
        y = std::max(y, wa.y());
    }

    int w = form.width();
    int x;
    if (autoSize) {
        w = autoSz.width();
        x = std::max(anchor.x() - w, wa.x());
        if (x + minSize.width() > waRight) {
            x = std::max(waRight - minSize.width(), wa.x());
            w = minSize.width();
        } else if (x + w > waRight) {
            x = wa.x();
            w = std::max(wa.width(), minSize.width());
        }
    } else {
        x = anchor.x() - w;
        if (anchor.x() > waRight)
            x = waRight - w;
        x = std::max(x, wa.x());
    }
    return QRect(x, y, w, h);
}

} // namespace BrowseRules
