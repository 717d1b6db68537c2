#pragma once
// The program's own small pictures, drawn rather than loaded: the 16-pixel
// button glyphs (indexed like the main form's image list, so the dialog's
// callers keep their glyph numbers) and the 32-pixel level pictures of the
// standard dialog.
#include <QPixmap>

namespace Glyphs {

// Indexes 0..LastIndex(); the ones the dialogs use are the StdDlg::Glyph
// values. An index without a picture of its own gives a transparent glyph.
int Count();
int LastIndex();
QPixmap Button16(int index);

enum class Picture { Critical, Warning, Info, Question };
QPixmap Level32(Picture picture);

} // namespace Glyphs
