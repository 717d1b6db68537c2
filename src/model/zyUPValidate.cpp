#include "zyUPValidate.h"

#include "zyDV.h"
#include "zyUIL.h"
#include "zyUP.h"

namespace {
// The longest Other template file and Other output folder kept.
constexpr int kMaxTemplateFile = 260;
constexpr int kMaxOutputFolder = 248;
} // namespace

void ValidateUserPreferences(TzyUP& up, TzyDV& dv)
{
    if (up.DefaultTFDDLItemIndex() < TzyUP::tfNone || up.DefaultTFDDLItemIndex() > TzyUP::tfOther)
        up.SetDefaultTFDDLItemIndex(TzyUP::tfAuto);
    if (up.DefaultTFDDLItemIndex() == TzyUP::tfOther) {
        const QString file = up.GetDefaultTemplateFile();
        const QString fldName = UIT(664);
        if (dv.CheckMaxLength(fldName, file, kMaxTemplateFile) || dv.CheckPath(fldName, file))
            up.SetDefaultTFOther(QString());
    }

    if (up.DefaultOFFolderDDLItemIndex() < TzyUP::ofNone || up.DefaultOFFolderDDLItemIndex() > TzyUP::ofOther)
        up.SetDefaultOFFolderDDLItemIndex(TzyUP::ofDocuments);
    if (up.DefaultOFFolderDDLItemIndex() == TzyUP::ofOther) {
        const QString folder = up.GetDefaultOFFolder();
        const QString fldName = UIT(666);
        if (dv.CheckMaxLength(fldName, folder, kMaxOutputFolder) || dv.CheckFolderPath(fldName, folder))
            up.SetDefaultOFFolderOther(QString());
    }

    if (TzyUP::IsInvalidXLExtn(up.DefaultXLExtn()))
        up.SetDefaultXLExtn(TzyUP::xeAuto);
    if (up.HintHidePause() < 1000 || up.HintHidePause() > 5000)
        up.SetHintHidePause(2500);
    if (up.HintPause() < 0 || up.HintPause() > 2000)
        up.SetHintPause(500);
    if (up.ImportTaskFldValueCount() < 0)
        up.SetImportTaskFldValueCount(3);
    else if (up.ImportTaskFldValueCount() > 5)
        up.SetImportTaskFldValueCount(5);
}

void ValidateUserPreferences(TzyUP& up)
{
    if (DV) {
        ValidateUserPreferences(up, *DV);
        return;
    }
    TzyDV dv;
    ValidateUserPreferences(up, dv);
}
