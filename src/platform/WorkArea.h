#pragma once
// The screen's work area (the desktop less panels), injectable so layout
// code can be tested against a fixed rectangle.
#include <QRect>
#include <optional>

namespace platform {
QRect workArea();
void setWorkArea(std::optional<QRect> r); // nullopt: the primary screen's
} // namespace platform
