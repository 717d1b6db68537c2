#pragma once
// The placement arithmetic of the forms' Auto Size: a wanted size fitted
// into the work area, the form moved as little as it must. Sizes are whole
// window sizes (frame included); the caller converts.
#include <QRect>
#include <QSize>

namespace AutoFit {

struct Result {
    QRect frame;     // where the window goes
    QSize minSize;   // the minimum, lowered where the wanted size is below it
};

// `frame` is the window's present place, `wanted` the size that shows all of
// its content, `minSize` its minimum. The size is held to the work area; a
// minimum above the fitted size is lowered to it; the window is moved up (and
// left) just far enough to end inside the work area, but never above (left
// of) it; a window that still does not fit takes the work area's height
// (width), not below its minimum. The minimum stays below the work area's
// size, so the window can still be maximised.
Result FitInWorkArea(const QRect& frame, const QSize& wanted, const QSize& minSize, const QRect& workArea);

// The size of the form's button row: the Auto Size button 8 pixels from the
// left edge, then each further button 8 pixels right of the previous one, the
// last 8 pixels from the right edge.
int ButtonRowWidth(int autoSizeWidth, const int* buttonWidths, int count);

} // namespace AutoFit
