#pragma once
// Where a fixed-size form goes when it fits itself to its content (the About
// and Options forms): its minimum size cut to the work area, kept centred on
// where it was, and kept wholly on the work area (never above or left of it).
// Sizes are of the whole window, frame included.
#include <QPoint>
#include <QRect>
#include <QSize>

struct FixedFormFit {
    QSize size;
    QPoint topLeft;
};

FixedFormFit FitFixedForm(const QSize& minSize, const QRect& current, const QRect& workArea);
