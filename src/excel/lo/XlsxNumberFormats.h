#pragma once
// The office writes .xlsx files whose built-in cell styles (Comma, Currency
// and their [0] forms) name number formats 41 to 44 without defining them:
// Excel knows these ids from its locale, but they are not among the formats
// every reader must know, and other readers stop with "Undefined number
// format". These routines add the definitions (en-US codes, as Excel writes
// them), leaving every other byte of the workbook as it was.
#include <QByteArray>
#include <QString>

namespace lo {

// xl/styles.xml with a <numFmt> for each implied format id its styles use and
// it does not define.
QByteArray completeNumberFormats(const QByteArray& stylesXml);

// The same, applied in place to an .xlsx file. A file that is no zip archive
// (an encrypted workbook) is left alone and counts as done; false with
// `error` set when the file cannot be read or rewritten.
bool completeNumberFormatsInFile(const QString& path, QString* error = nullptr);

} // namespace lo
