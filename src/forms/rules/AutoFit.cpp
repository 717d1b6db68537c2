#include "AutoFit.h"

#include <algorithm>

namespace AutoFit {

namespace {

struct Span {
    int pos, len, min;
};

// One axis of the fit: [areaPos, areaPos + areaLen).
Span fitAxis(int pos, int wanted, int min, int areaPos, int areaLen)
{
    int len = std::min(std::max(0, wanted), std::max(0, areaLen));
    // Below the work area's length: a window manager offers no maximise to
    // a window whose minimum fills the work area.
    min = std::min({min, len, std::max(0, areaLen - 1)});
    const int areaEnd = areaPos + areaLen;
    pos = std::max(pos, areaPos);
    if (pos + len > areaEnd)
        pos = std::max(areaPos, areaEnd - len);
    if (pos + len > areaEnd) {
        pos = areaPos;
        len = std::max(areaLen, min);
    }
    return {pos, len, min};
}

} // namespace

Result FitInWorkArea(const QRect& frame, const QSize& wanted, const QSize& minSize, const QRect& workArea)
{
    const Span v = fitAxis(frame.top(), wanted.height(), minSize.height(), workArea.top(), workArea.height());
    const Span h = fitAxis(frame.left(), wanted.width(), minSize.width(), workArea.left(), workArea.width());
    return {QRect(h.pos, v.pos, h.len, v.len), QSize(h.min, v.min)};
}

ListSize ListClientSize(const ListContent& c, const QSize& room)
{
    ListSize r;
    int height = c.headerHeight + c.itemHeight * std::max(c.lines, c.minLines) + 2 * c.listFrame + c.otherHeight;
    int listWidth = c.columns + 2 * c.listFrame;
    r.vBar = height > room.height();
    if (r.vBar)
        listWidth += c.vBarWidth;
    // The list is as wide as the form; cut to the room, it scrolls sideways.
    r.hBar = listWidth > room.width();
    if (r.hBar) {
        height += c.hBarHeight;
        if (!r.vBar && height > room.height()) {
            r.vBar = true;
            listWidth += c.vBarWidth;
        }
    }
    r.client = QSize(std::max(c.otherWidth, listWidth), std::max(0, height));
    return r;
}

int ButtonRowWidth(int autoSizeWidth, const int* buttonWidths, int count)
{
    int w = 8 + autoSizeWidth;
    for (int i = 0; i < count; ++i)
        w += 8 + buttonWidths[i];
    return std::max(0, w + 8);
}

} // namespace AutoFit
