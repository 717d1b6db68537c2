#pragma once
// Sizes and texts every form derives from the system font's metrics
// (FontHeight, AveCharWidth and the button pads of the application data),
// so a larger font grows every button, panel and row with it.
#include <QString>
#include <QStringList>

namespace FormMetrics {

// A bit button's height: FontHeight + BBtnPad.
int BBtnHeight();
// A small bit button (the Browse, Open and Default buttons beside edits).
int SmallBBtnHeight();
// A speed button (a toggle).
int SBtnHeight();
// A heading or note panel: FontHeight + 8.
int PanelHeight();
// A design width scaled to the font: MulDiv(w, AveCharWidth, 6).
int Scaled(int designWidth);

// "  %s ": the caption of a heading panel.
QString HeadingCaption(const QString& text);
// " %s ": a caption of a tab sheet, label, check box or button.
QString Caption(const QString& text);
// A hint: its lines joined by CR LF.
QString Hint(const QStringList& lines);

} // namespace FormMetrics
