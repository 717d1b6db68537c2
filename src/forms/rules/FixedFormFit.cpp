#include "FixedFormFit.h"

#include <algorithm>

namespace {
// One axis: the length cut to the area, the start moved so the centre stays,
// then pulled back onto the area.
void fitAxis(int minLength, int start, int length, int areaStart, int areaLength, int& newStart, int& newLength)
{
    newLength = std::max(0, std::min(minLength, areaLength));
    newStart = start + length / 2 - newLength / 2;
    newStart = std::min(newStart, areaStart + areaLength - newLength);
    newStart = std::max(newStart, areaStart);
}
} // namespace

FixedFormFit FitFixedForm(const QSize& minSize, const QRect& current, const QRect& workArea)
{
    int top = 0, height = 0, left = 0, width = 0;
    fitAxis(minSize.height(), current.top(), current.height(), workArea.top(), workArea.height(), top, height);
    fitAxis(minSize.width(), current.left(), current.width(), workArea.left(), workArea.width(), left, width);
    return {QSize(width, height), QPoint(left, top)};
}
