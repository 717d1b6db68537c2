#include "Startup.h"

#include "StartupForms.h"

#include "FormHooks.h"
#include "FormText.h"
#include "Progress.h"
#include "RF_CD_Consts.h"
#include "RF_PS_Consts.h"
#include "ServiceForms.h"
#include "SingleInstance.h"
#include "UF_Main.h"
#include "UF_Splash.h"
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

#include <QApplication>
#include <memory>
#include <vector>

namespace Startup {
namespace {

FreeObserver g_freeObserver;
Options g_options;
// The forms created so far, in their order.
std::vector<std::pair<const FormEntry*, QWidget*>> g_forms;

bool haveWidgets()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

void freed(const QString& name)
{
    if (g_freeObserver)
        g_freeObserver(name);
}

void setSplashStatus(const QString& line)
{
    if (UF_Splash) {
        UF_Splash->SetStatusLine(line);
    }
}

void freeSplash()
{
    if (!UF_Splash)
        return;
    TUF_Main::UnregisterModalForm(UF_Splash);
    delete UF_Splash; // clears UF_Splash
    FormHooks::SetSplashStatus(nullptr);
    freed(QStringLiteral("UF_Splash"));
}

struct Step {
    int number;
    int statusId;     // 0: no splash yet
    QString failText;
    std::function<void()> work;
};

// One step: its status line, then its work inside a guard. A failure shows
// the fatal box (freeing the splash from step 3 on) and ends start-up.
bool runStep(const Step& step)
{
    if (Utils::Terminated())
        return false;
    Splash::InitErrDetails.clear();
    if (step.statusId) {
        setSplashStatus(FormText::Padded(UIT(step.statusId)));
        QCoreApplication::processEvents();
    }
    try {
        if (g_options.stepHook)
            g_options.stepHook(step.number);
        if (g_options.failStep == step.number)
            throw ZolError(QStringLiteral("Start-up step %1 failed on request.").arg(step.number));
        step.work();
        return true;
    } catch (const std::exception& e) {
        const QString message = Utils::ExceptionMessage(e);
        if (!message.isEmpty()) {
            // Step 1 cannot rely on the text table: it may be what failed.
            const QString fmt = step.number == 1 || UIT(1094).isEmpty() ? QStringLiteral("Details: %s") : UIT(1094);
            Splash::InitErrDetails = Utils::Format(fmt, {message});
        }
    } catch (...) {
    }
    Utils::ShowFatalError(step.failText, step.number >= 3);
    return false;
}

void createSplash()
{
    if (!haveWidgets())
        return;
    UF_Splash = new TUF_Splash(g_options.splashMs);
    TUF_Main::RegisterModalForm(UF_Splash);
    FormHooks::SetSplashStatus(setSplashStatus);
    UF_Splash->SetStatus(UIT(7));
    UF_Splash->show();
    UF_Splash->repaint();
}

} // namespace

void SetIdentity()
{
    QApplication::setApplicationName(TzyAD::ProductName());
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));
    QApplication::setDesktopFileName(QStringLiteral("tarvo-zol-lumo"));
}

bool AnotherInstanceRuns()
{
    SetIdentity();
    ServiceForms::InstallServiceForms();
    return Utils::CheckSingleInstance();
}

void SetFreeObserver(FreeObserver observer)
{
    g_freeObserver = std::move(observer);
}

bool CreateGlobals(const Options& options)
{
    g_options = options;
    Utils::SetFatalShutdown([](bool withSplash) {
        if (withSplash)
            freeSplash();
        FreeGlobals();
    });
    const std::vector<Step> first = {
        {1, 0, QStringLiteral(" Unable to initialise User Interface Language. "), [] { InitUILs(); }},
        {2, 0, QString(), [] { AD = std::make_unique<TzyAD>(); }},
    };
    if (!runStep(first[0]))
        return false;
    // The failure texts from step 2 on come from the text table, now loaded.
    Step second = first[1];
    second.failText = UIT(1079);
    if (!runStep(second))
        return false;

    createSplash();

    const std::vector<Step> steps = {
        {3, 17, UIT(1090), [] {
#ifdef ZOL_HAVE_LO_BACKEND
             lo::installBackendFactory();
#endif
             XL = std::make_unique<TzyXL>();
         }},
        {4, 10, UIT(1083), [] { OCP = std::make_unique<TzyOCP>(); }},
        {5, 9, UIT(1081), [] { DV = std::make_unique<TzyDV>(); }},
        {6, 15, UIT(1088), [] {
             TzyUP::SetXLExtnSource([] { return XL ? XL->GetDefaultXLExtn() : QStringLiteral("xlsx"); });
             UP = std::make_unique<TzyUP>();
             UP->Load();
             ValidateUserPreferences(*UP);
             UP->Save();
         }},
        {7, 16, UIT(1089), [] {
             WMs = std::make_unique<TzyWMs>();
             while (WMs->HighIndex() < wmCount)
                 WMs->Add();
             WMs->Load();
             WMs->Validate();
             WMs->SaveAll();
         }},
        {8, 14, UIT(1087), [] { SDs = std::make_unique<TzySDs>(); }},
        {9, 8, UIT(1080), [] { DF = std::make_unique<TzyDF>(); }},
        {10, 11, UIT(1084), [] { Process = std::make_unique<TzyProcess>(); }},
        {11, 12, UIT(1085), [] {
             RHs_PS = std::make_unique<TzyRHs>();
             RHs_CD = std::make_unique<TzyRHs>();
             RF_PS_Consts::LoadRHs(*RHs_PS);
             RF_CD_Consts::LoadRHs(*RHs_CD);
         }},
        {12, 13, UIT(1086), [] {
             RFs_PS = std::make_unique<TzyRFs>();
             RFs_CD = std::make_unique<TzyRFs>();
             RF_PS_Consts::LoadRFs(*RFs_PS);
             RF_CD_Consts::LoadRFs(*RFs_CD);
         }},
    };
    for (const Step& step : steps)
        if (!runStep(step))
            return false;
    return true;
}

void FreeGlobals()
{
    // Each variable is cleared as it is freed, so nothing can reach a freed
    // object through it afterwards.
    auto free = [](const char* name, auto& global) {
        if (!global)
            return;
        global.reset();
        freed(QString::fromLatin1(name));
    };
    free("RHs_CD", RHs_CD);
    free("RHs_PS", RHs_PS);
    free("RFs_CD", RFs_CD);
    free("RFs_PS", RFs_PS);
    free("Process", Process);
    free("DV", DV);
    free("DF", DF);
    free("SDs", SDs);
    free("WMs", WMs);
    free("UP", UP);
    free("OCP", OCP);
    free("XL", XL);
    free("AD", AD);
    if (UILs) {
        FreeUILs();
        freed(QStringLiteral("UILs"));
    }
}

void CreateForms()
{
    for (const FormEntry& entry : FormList()) {
        if (Utils::Terminated())
            return;
        setSplashStatus(FormText::Padded(UIT(entry.splashTextId)));
        QWidget* form = entry.create();
        g_forms.emplace_back(&entry, form);
        if (entry.modal)
            TUF_Main::RegisterModalForm(form);
    }
}

void FinishSplash()
{
    if (!UF_Splash)
        return;
    setSplashStatus(FormText::Padded(UIT(31)));
    UF_Splash->repaint();
    // Counted from the splash's creation: a slow start does not wait again.
    UF_Splash->WaitForTimer();
    freeSplash();
}

void DestroyForms()
{
    while (!g_forms.empty()) {
        auto [entry, form] = g_forms.back();
        g_forms.pop_back();
        TUF_Main::UnregisterModalForm(form);
        entry->destroy(form);
        freed(QString::fromLatin1(entry->name));
    }
}

int Run(const Options& options)
{
    if (!CreateGlobals(options))
        return 1;
    if (!haveWidgets()) {
        FreeGlobals();
        return 0;
    }
    // The running instance's side of a second start: the main form answers
    // once it exists; until then start-up is busy.
    SingleInstanceServer server([](const QStringList&) {
        return UF_Main ? UF_Main->WMCopyData() : int(Utils::SingleInstanceBusy);
    });
    server.listen();
    // Long work (a run, a browse read) pumps the events between its steps, so
    // the progress form repaints and its Cancel answers.
    Progress::setPump([] { QCoreApplication::processEvents(); });
    CreateForms();

    FinishSplash();
    int rc = 0;
    if (options.runLoop && UF_Main && !Utils::Terminated()) {
        UF_Main->show();
        if (options.onReady)
            options.onReady();
        rc = QApplication::exec();
    }
    DestroyForms();
    FreeGlobals();
    return Utils::Terminated() && rc == 0 ? 1 : rc;
}

} // namespace Startup
