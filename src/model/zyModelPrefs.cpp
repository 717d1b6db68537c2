#include "zyModelPrefs.h"

#include "zyUP.h"
#include "zyXL.h"

namespace Model {

TzyUP& Prefs()
{
    if (UP)
        return *UP;
    static TzyUP defaults;
    return defaults;
}

int ImportTaskFldValueCount()
{
    return Prefs().ImportTaskFldValueCount();
}

QString InstalledXLExtn()
{
    return XL ? XL->GetDefaultXLExtn() : TzyUP::InstalledXLExtn();
}

SheetLimits LimitsFor(const QString& fileName)
{
    if (!XL)
        return {1048576, 16384, 0};
    XL->SetWorkbookFileName(fileName);
    SheetLimits limits;
    limits.maxRows = XL->GetMaxRows();
    limits.maxCols = XL->GetMaxCols();
    limits.verCode = XL->VerCode;
    return limits;
}

int ColLettersToColNo(const QString& letters, int maxCol)
{
    return TzyXL::ColLettersToColNo(letters, maxCol);
}

} // namespace Model
