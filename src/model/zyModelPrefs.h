#pragma once
// What the definition and its checks take from the user preferences and the
// spreadsheet layer. Before the globals exist (or in a unit that does not
// build them) the preferences' defaults and "no spreadsheet program" stand in.
#include <QString>

class TzyUP;

namespace Model {

TzyUP& Prefs();
int ImportTaskFldValueCount();
// "xls" or "xlsx": the installed spreadsheet program's default extension.
QString InstalledXLExtn();

// The worksheet limits for a workbook file and the version code they were
// decided with (0: none installed).
struct SheetLimits {
    int maxRows;
    int maxCols;
    int verCode;
};
SheetLimits LimitsFor(const QString& fileName);
int ColLettersToColNo(const QString& letters, int maxCol);

} // namespace Model
