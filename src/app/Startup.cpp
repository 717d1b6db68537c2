#include "Startup.h"

#include "RF_CD_Consts.h"
#include "RF_PS_Consts.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyDF.h"
#include "zyDV.h"
#include "zyOCP.h"
#include "zyProcess.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyUPValidate.h"
#include "zyWM.h"
#include "zyXL.h"

#ifdef ZOL_HAVE_LO_BACKEND
#include "LoBackend.h"
#endif

#include <functional>

namespace Startup {
namespace {

// Runs one step; on a failure the step's own text goes into the fatal box.
bool step(const QString& failText, const std::function<void()>& body)
{
    if (Utils::Terminated())
        return false;
    Splash::InitErrDetails.clear();
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        Splash::InitErrDetails = Utils::Format(UIT(1094).isEmpty() ? QStringLiteral("Details: %s") : UIT(1094),
                                               {Utils::ExceptionMessage(e)});
    } catch (...) {
        Splash::InitErrDetails = QStringLiteral("Details: ");
    }
    Utils::ShowFatalError(failText, false);
    return false;
}

} // namespace

bool CreateGlobals()
{
    Utils::SetFatalShutdown([](bool) { FreeGlobals(); });
    // The text table's failure text is fixed: the table may be what failed.
    if (!step(QStringLiteral(" Unable to initialise User Interface Language. "), [] { InitUILs(); }))
        return false;
    return step(UIT(1079), [] { AD = std::make_unique<TzyAD>(); })
        && step(UIT(1090), [] {
#ifdef ZOL_HAVE_LO_BACKEND
               lo::installBackendFactory();
#endif
               XL = std::make_unique<TzyXL>();
           })
        && step(UIT(1083), [] { OCP = std::make_unique<TzyOCP>(); })
        && step(UIT(1081), [] { DV = std::make_unique<TzyDV>(); })
        && step(UIT(1088), [] {
               TzyUP::SetXLExtnSource([] { return XL ? XL->GetDefaultXLExtn() : QStringLiteral("xlsx"); });
               UP = std::make_unique<TzyUP>();
               UP->Load();
               ValidateUserPreferences(*UP);
               UP->Save();
           })
        && step(UIT(1089), [] {
               WMs = std::make_unique<TzyWMs>();
               while (WMs->HighIndex() < 6)
                   WMs->Add();
               WMs->Load();
               WMs->Validate();
               WMs->SaveAll();
           })
        && step(UIT(1087), [] { SDs = std::make_unique<TzySDs>(); })
        && step(UIT(1080), [] { DF = std::make_unique<TzyDF>(); })
        && step(UIT(1084), [] { Process = std::make_unique<TzyProcess>(); })
        && step(UIT(1085), [] {
               RHs_PS = std::make_unique<TzyRHs>();
               RHs_CD = std::make_unique<TzyRHs>();
               RF_PS_Consts::LoadRHs(*RHs_PS);
               RF_CD_Consts::LoadRHs(*RHs_CD);
           })
        && step(UIT(1086), [] {
               RFs_PS = std::make_unique<TzyRFs>();
               RFs_CD = std::make_unique<TzyRFs>();
               RF_PS_Consts::LoadRFs(*RFs_PS);
               RF_CD_Consts::LoadRFs(*RFs_CD);
           });
}

void FreeGlobals()
{
    RHs_CD.reset();
    RHs_PS.reset();
    RFs_CD.reset();
    RFs_PS.reset();
    Process.reset();
    DV.reset();
    DF.reset();
    SDs.reset();
    WMs.reset();
    UP.reset();
    OCP.reset();
    XL.reset();
    AD.reset();
    FreeUILs();
}

} // namespace Startup
