#include "zyDF.h"

#include "StdDlg.h"
#include "zyAD.h"
#include "zySD.h"
#include "zyUIL.h"

std::unique_ptr<TzyDF> DF;

TzyDF::TzyDF() = default;

bool TzyDF::ResetSDs(bool prompt)
{
    if (prompt) {
        const QStringList lines{UIT(1039), QString(), UIT(1040), QString(), UIT(1041)};
        const int result = StdDlg::ShowMsg2(StdDlg::Question, QStringLiteral("DF001"), lines,
                                            UIT(960), UIT(294), StdDlg::mrYes, StdDlg::glYes,
                                            UIT(961), UIT(291), StdDlg::mrNo, StdDlg::glNo);
        // Only an explicit Yes discards the user's definitions; closing the
        // dialog any other way keeps them.
        if (result != StdDlg::mrYes)
            return false;
    }
    if (AD)
        AD->Msgs.clear();
    if (!SDs)
        SDs = std::make_unique<TzySDs>();
    SDs->Clear();
    SDs->setActiveSD(SDs->Add());
    return true;
}
