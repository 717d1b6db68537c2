#pragma once
// The browse dialogs' logic that needs no widget: which row a current value
// preselects, and where Auto Size and Auto Align put the dialog within the
// work area. Sizes and rectangles are the dialog's outer (frame) ones.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

namespace BrowseRules {

// The row `current` selects: the last entry equal to it ignoring the case of
// a..z (both trimmed first when `trimmed`), else row 0 of a list that is not
// empty; -1 for an empty list.
int PreselectRow(const QStringList& items, const QString& current, bool trimmed);

struct AutoSizeResult {
    QRect form;     // where the dialog goes
    QSize minSize;  // the minimum size, lowered when the work area is smaller
    QSize autoSize; // the size Auto Size computed (AutoWidth, AutoHeight)
};
// Fits the dialog to `wanted` within the work area; with Auto Align down the
// dialog is neither moved nor resized here (Auto Align places it).
AutoSizeResult AutoSize(const QRect& form, const QSize& wanted, const QSize& minSize, const QRect& workArea,
                        bool autoAlign);
// Puts the dialog's top-right corner at `anchor`, kept within the work area;
// with Auto Size down at the size Auto Size computed.
QRect AutoAlign(const QRect& form, const QPoint& anchor, bool autoSize, const QSize& autoSz, const QSize& minSize,
                const QRect& workArea);

} // namespace BrowseRules
