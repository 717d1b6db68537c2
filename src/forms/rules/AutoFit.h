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

// A form whose list of lines under a header control takes the room left by
// its other rows (all sizes client sizes, without the window frame).
struct ListContent {
    int lines = 0;        // the list's lines
    int minLines = 0;     // lines the list is never lower than
    int itemHeight = 0;
    int headerHeight = 0;
    int listFrame = 0;    // the list's frame, each side
    int columns = 0;      // the sum of the header's section widths
    int otherWidth = 0;   // the widest of the form's other rows (caption, buttons, status)
    int otherHeight = 0;  // the rows above and below the list together
    int hBarHeight = 0;   // the list's scroll bars
    int vBarWidth = 0;
};

struct ListSize {
    QSize client;         // the size that shows every line and every column
    bool hBar = false;    // the list will scroll sideways
    bool vBar = false;    // and up and down
};

// The client size that shows all of the list's lines and columns. Where
// `room` (the work area less the window frame) cannot hold the lines, the
// list scrolls and its vertical bar takes width beside the columns; where it
// cannot hold the columns, the horizontal bar's height is added, so that no
// line lies under it.
ListSize ListClientSize(const ListContent& c, const QSize& room);

// The size of the form's button row: the Auto Size button 8 pixels from the
// left edge, then each further button 8 pixels right of the previous one, the
// last 8 pixels from the right edge.
int ButtonRowWidth(int autoSizeWidth, const int* buttonWidths, int count);

} // namespace AutoFit
