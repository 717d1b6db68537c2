#pragma once
// What differs between the version codes. One backend serves them all; the
// row of the detected code decides names, limits, the default extension, how
// a save picks its file format and whether .xlsx needs the compatibility pack.
#include "XLBackend.h"

#include <QString>

struct XLTraits {
    int code = 0;
    QString name;          // "97" .. "2013"; empty for code 0 (named by UI text)
    bool hasBitness = false; // name carries "(32 Bit)" / "(64 Bit)"
    int maxRows = 1048576;
    int maxCols = 16384;
    bool xlsLimits = false;  // an .xls workbook keeps 65536 x 256
    QString defaultExtn = QStringLiteral("xls");
    bool saveByExtension = false; // else the workbook keeps its own format
    bool needsCompatPack = false; // .xlsx opens only with the pack

    int rowLimit(const QString& extUpper) const;
    int colLimit(const QString& extUpper) const;
    XLSaveFormat saveFormat(const QString& fileName) const;
};

constexpr int kXLVersionCount = 8; // codes 0..7
// The row of a code; any code outside 0..7 gives the row of 0.
const XLTraits& xlTraits(int code);
