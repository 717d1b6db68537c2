#include "Startup.h"

#include "KeyStore.h"
#include "RF_PS_Consts.h"
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
#include "zyWM.h"
#include "zyXL.h"

#include <QtTest>

namespace {
// The splash lines of a whole start-up, in order.
QStringList expectedStatus()
{
    QStringList out;
    for (int id : {7, 17, 10, 9, 15, 16, 14, 8, 11, 12, 13, 18, 19, 21, 22, 20, 23, 25, 26, 28, 29})
        out << QLatin1Char(' ') + UIT(id) + QLatin1Char(' ');
    return out;
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void createsAndFreesEveryGlobal()
    {
        QString fatal;
        Utils::SetFatalErrorPresenter([&](const QString& t) { fatal = t; });
        Startup::Options o;
        o.splashMs = 0;
        QVERIFY(Startup::CreateGlobals(o));
        QVERIFY(fatal.isEmpty());
        QVERIFY(UILs && AD && XL && OCP && DV && UP && WMs && SDs && DF && Process);
        QVERIFY(RHs_PS && RHs_CD && RFs_PS && RFs_CD);
        QCOMPARE(WMs->HighIndex(), 6);
        QVERIFY(RHs_PS->Count() > 0 && RFs_CD->Count() > 0);
        QCOMPARE(UIT(31), QStringLiteral("Initialisation complete."));
        QVERIFY(UF_Splash);
        Startup::FinishSplash();
        QVERIFY(!UF_Splash);

        Startup::FreeGlobals();
        QVERIFY(!UILs && !AD && !XL && !OCP && !DV && !UP && !WMs && !SDs && !DF && !Process);
        QVERIFY(!RHs_PS && !RHs_CD && !RFs_PS && !RFs_CD);
    }

    void preferencesAreSavedBackAtStartUp()
    {
        Startup::Options o;
        o.splashMs = 0;
        QVERIFY(Startup::CreateGlobals(o));
        Startup::FinishSplash();
        Startup::FreeGlobals();
        QVERIFY(QFileInfo::exists(platform::userStoreFile()));
    }

    // Every step and every form writes its line, each padded with one
    // blank; the splash stays 1.5 s from its creation and shows
    // "Initialisation complete." while it waits.
    void splashShowsEveryStepAndStaysItsTime()
    {
        QVERIFY(Startup::CreateGlobals());
        QVERIFY(UF_Splash);
        QElapsedTimer sinceCreation;
        const qint64 ageAtStart = UF_Splash->ElapsedMs();
        sinceCreation.start();
        Startup::CreateForms();
        QVERIFY(UF_Main);
        QCOMPARE(UF_Splash->StatusHistory(), expectedStatus());
        for (const QString& line : UF_Splash->StatusHistory())
            QVERIFY(line.startsWith(QLatin1Char(' ')) && !line.startsWith(QStringLiteral("  "))
                    && line.endsWith(QLatin1Char(' ')) && !line.endsWith(QStringLiteral("  ")));
        QString shownWhileWaiting;
        QTimer::singleShot(0, [&] { if (UF_Splash) shownWhileWaiting = UF_Splash->Status(); });
        QPointer<TUF_Splash> splash = UF_Splash;
        Startup::FinishSplash();
        QVERIFY(!splash);
        QCOMPARE(shownWhileWaiting, QStringLiteral(" Initialisation complete. "));
        QVERIFY2(ageAtStart + sinceCreation.elapsed() >= TUF_Splash::kMinimumDisplayMs - 1,
                 qPrintable(QString::number(ageAtStart + sinceCreation.elapsed())));
        Startup::DestroyForms();
        Startup::FreeGlobals();
    }

    // A start-up slower than the splash's time does not wait again.
    void slowStartUpDoesNotWaitAgain()
    {
        Startup::Options o;
        o.splashMs = 100;
        o.stepHook = [](int step) { if (step == 12) QTest::qWait(250); };
        QVERIFY(Startup::CreateGlobals(o));
        Startup::CreateForms();
        QVERIFY(UF_Splash && !UF_Splash->TimerEnabled());
        Startup::FinishSplash();
        QVERIFY(!UF_Splash);
        Startup::DestroyForms();
        Startup::FreeGlobals();
    }

    // The forms go in the reverse order of their creation, the main form
    // last, while every global still exists; then the globals in order.
    void shutDownOrder()
    {
        Startup::Options o;
        o.splashMs = 0;
        QVERIFY(Startup::CreateGlobals(o));
        Startup::CreateForms();
        Startup::FinishSplash();
        QStringList freed;
        bool globalsAliveDuringForms = true;
        Startup::SetFreeObserver([&](const QString& name) {
            freed << name;
            if (name.startsWith(QStringLiteral("UF_")) && !(UILs && AD && UP && WMs && SDs && DV))
                globalsAliveDuringForms = false;
        });
        Startup::DestroyForms();
        QVERIFY(!UF_Main);
        Startup::FreeGlobals();
        Startup::SetFreeObserver(nullptr);
        QCOMPARE(freed, QStringList({"UF_Summary", "UF_StdDlg", "UF_Progress", "UF_Options", "UF_CfgErr", "UF_BrowseWS", "UF_BrowseVal", "UF_BrowseFld", "UF_About", "UF_Main", "RHs_CD", "RHs_PS", "RFs_CD", "RFs_PS",
                                     "Process", "DV", "DF", "SDs", "WMs", "UP", "OCP", "XL", "AD", "UILs"}));
        QVERIFY(globalsAliveDuringForms);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
