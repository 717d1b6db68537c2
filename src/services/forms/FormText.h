#pragma once
// Texts as the service forms show them.
#include <QString>

namespace FormText {

// A caption, label or panel text with a blank either side.
QString Padded(const QString& s);
// Lines joined by CR LF break once on screen.
QString OnScreen(QString s);

} // namespace FormText
