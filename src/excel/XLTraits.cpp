#include "XLTraits.h"

#include "Utils.h"

#include <array>

namespace {

constexpr int kOldRows = 65536;
constexpr int kOldCols = 256;

XLTraits oldRow(int code, const char* name)
{
    XLTraits t;
    t.code = code;
    t.name = QString::fromLatin1(name);
    t.maxRows = kOldRows;
    t.maxCols = kOldCols;
    t.needsCompatPack = true;
    return t;
}

XLTraits newRow(int code, const char* name, bool bitness)
{
    XLTraits t;
    t.code = code;
    t.name = QString::fromLatin1(name);
    t.hasBitness = bitness;
    t.xlsLimits = true;
    t.defaultExtn = QStringLiteral("xlsx");
    t.saveByExtension = true;
    return t;
}

const std::array<XLTraits, kXLVersionCount>& table()
{
    static const std::array<XLTraits, kXLVersionCount> rows = {
        XLTraits{},
        oldRow(1, "97"),
        oldRow(2, "2000"),
        oldRow(3, "2002 (XP)"),
        oldRow(4, "2003"),
        newRow(5, "2007", false),
        newRow(6, "2010", true),
        newRow(7, "2013", true),
    };
    return rows;
}

} // namespace

int XLTraits::rowLimit(const QString& extUpper) const
{
    return xlsLimits && extUpper == QLatin1String("XLS") ? kOldRows : maxRows;
}

int XLTraits::colLimit(const QString& extUpper) const
{
    return xlsLimits && extUpper == QLatin1String("XLS") ? kOldCols : maxCols;
}

XLSaveFormat XLTraits::saveFormat(const QString& fileName) const
{
    if (!saveByExtension)
        return XLSaveFormat::KeepOwn;
    const QString ext = Utils::Trim(Utils::GetFileExt(fileName, false));
    return Utils::SameText(ext, QStringLiteral("xls")) ? XLSaveFormat::Xls : XLSaveFormat::Xlsx;
}

const XLTraits& xlTraits(int code)
{
    if (code < 0 || code >= kXLVersionCount)
        code = 0;
    return table()[size_t(code)];
}
