#pragma once
// Places a fixed-size form (About, Options) by the fit of FixedFormFit:
// the window's client is sized and moved so that its frame lands where the
// fit says. The frame is known once the window has been shown; before that
// it counts as none.
#include <QSize>

class QWidget;

namespace FixedFormPlace {

QSize FrameExtra(const QWidget* w);
// Its minimum client size cut to the work area, centred where it was.
void Fit(QWidget* w, const QSize& minClient);
// Fitted, then centred on the work area.
void Centre(QWidget* w, const QSize& minClient);

} // namespace FixedFormPlace
