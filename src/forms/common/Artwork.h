#pragma once
// The program's own pictures, painted by code: the product picture and the
// publisher's logo of the splash, the program icon, and the two 22 x 21
// field indicator pictures (the image list IL_Main_2221).
#include <QIcon>
#include <QPixmap>

namespace Artwork {

// 244 x 44: the product's mark and name.
QPixmap ProductPicture();
// 145 x 37: the publisher's logo.
QPixmap KelvaneLogo();
// The program's icon, in the sizes a window and a launcher ask for.
QIcon ProgramIcon();
QPixmap ProgramIconPixmap(int size);

// IL_Main_2221: picture 0 the warning, picture 1 a field without warning.
enum Indicator { IndicatorWarning = 0, IndicatorOk = 1 };
constexpr int IndicatorWidth = 22;
constexpr int IndicatorHeight = 21;
QPixmap IL_Main_2221(int index);

} // namespace Artwork
