#pragma once
// Fitting a form to the screen's work area, one axis at a time: a minimum
// that would fill the work area is lowered below it (a window manager offers
// no maximise to a window whose minimum leaves no room, and some count the
// frame's last pixel), and a form smaller than its minimum grows about its
// centre, at most to the work area, without leaving the work area's start.
namespace FitRules {

struct Span {
    int minimum = 0;
    int pos = 0;
    int length = 0;
};

// A form at `pos` with `length` on an axis whose work area runs from
// `workStart` for `workLength`.
Span FitSpan(int workStart, int workLength, int minimum, int pos, int length);
// The same, the form placed at the work area's centre at its minimum.
Span CentreSpan(int workStart, int workLength, int minimum);

} // namespace FitRules
