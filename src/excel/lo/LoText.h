#pragma once
// Small conversions between the program's values and the office's, kept
// apart from any office call so they can be tested on their own.
#include <rtl/ustring.hxx>

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

using rtl::OUString;

namespace lo {

inline OUString toOU(const QString& s)
{
    return OUString(reinterpret_cast<const sal_Unicode*>(s.utf16()), s.size());
}

inline QString toQ(const OUString& s)
{
    return QString(reinterpret_cast<const QChar*>(s.getStr()), s.getLength());
}

// The office's exception texts end in the source position that raised them
// (" at ./sc/source/ui/unoobj/cellsuno.cxx:4735"); users get the text without.
QString cleanMessage(const OUString& message);

// The program's colours are 0xBBGGRR (255 is red); the office's are 0xRRGGBB.
constexpr int swapRedBlue(int color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// A file path as the office's URL.
QString fileUrl(const QString& path);

// The office's export filters of the two workbook formats, and the one a file
// name asks for: .xls (any case) the old format, any other name the new one.
inline const QString kXlsFilter = QStringLiteral("MS Excel 97");
inline const QString kXlsxFilter = QStringLiteral("Calc MS Excel 2007 XML");
QString filterForFile(const QString& fileName);

// The cell texts of a copied one-column range, from the two text forms the
// office offers: `plain` has one line per row (LF after each, trailing empty
// rows left out) with line breaks and tabs inside a cell turned into blanks;
// `quoted` keeps those cells whole, in quotes. Each row comes from `plain`
// unless `quoted` holds the same row with its line breaks, verified against
// `plain`, so a row can never shift. Exactly `rowCount` texts come back.
QStringList mergeCopiedColumn(const QString& plain, const QString& quoted, int rowCount);

// Column letters of a 1-based column number (1 is A, 16384 is XFD).
QString columnLetters(int col);

// The 0-based column and row of a single-cell A1 address ("B7", "$AK$12",
// any case) lying within columns A..AMJ and rows 1..1048576, which every
// worksheet of the office has; nothing for anything else (a range, a name,
// a cell beyond those bounds), which the office itself must resolve.
std::optional<std::pair<int, int>> cellPosition(const QString& address);

// A cell's value as text, as a variant converts it: numbers with up to 15
// significant digits and the locale's decimal separator; date, time and
// logical cells (by the type of their number format, a
// css::util::NumberFormat mask) as a short date and time, or True/False.
QString valueText(double value, int formatType);

} // namespace lo
