#pragma once
// The maker's logo, drawn by code: a rising S curve over a baseline in a
// rounded tile, beside the maker's name.
#include <QPixmap>

namespace KelvaneLogo {

// The logo at its one size (about 128 x 36 pixels at 1x).
QPixmap Picture();

} // namespace KelvaneLogo
