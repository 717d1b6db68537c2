#include "FormMetrics.h"

#include "FormText.h"
#include "zyAD.h"

namespace FormMetrics {

int BBtnHeight() { return FontHeight + BBtnPad; }
int SmallBBtnHeight() { return FontHeight + SmallBBtnPad; }
int SBtnHeight() { return FontHeight + SBtnPad; }
int PanelHeight() { return FontHeight + 8; }
int Scaled(int designWidth) { return Utils::ScaleWidth(designWidth); }

QString HeadingCaption(const QString& text) { return QStringLiteral("  ") + text + QLatin1Char(' '); }
QString Caption(const QString& text) { return FormText::Padded(text); }
QString Hint(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")); }

} // namespace FormMetrics
