#include "Startup.h"

#include "KeyStore.h"
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
#include "zyWM.h"
#include "zyXL.h"

#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QWindow>
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

    // A window's title is its form's caption alone: the program sets no
    // display name of its own, which the window system would append to every
    // title (" Tarvo ZOL Lumo  — Tarvo ZOL Lumo").
    void titlesAreTheCaptionsAlone()
    {
        Startup::SetIdentity();
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Tarvo ZOL Lumo"));
        // Without a display name of its own, the display name follows the
        // application's name.
        QCoreApplication::setApplicationName(QStringLiteral("renamed"));
        const QString displayName = QGuiApplication::applicationDisplayName();
        Startup::SetIdentity();
        QCOMPARE(displayName, QStringLiteral("renamed"));

        Startup::Options o;
        o.splashMs = 0;
        QVERIFY(Startup::CreateGlobals(o));
        Startup::CreateForms();
        Startup::FinishSplash();
        UF_Main->show();
        QVERIFY(QTest::qWaitForWindowExposed(UF_Main));
        QCOMPARE(UF_Main->windowTitle(), QStringLiteral(" Tarvo ZOL Lumo "));
        QCOMPARE(UF_Main->windowHandle()->title(), QStringLiteral(" Tarvo ZOL Lumo "));
        Startup::DestroyForms();
        Startup::FreeGlobals();
    }

    // A second start while the running instance is busy (here: its splash
    // is up) goes through the program's own entry and shows the user the
    // busy box: the error icon, the two lines and one OK button.
    void secondStartWhileBusyShowsTheBusyBox()
    {
        const QByteArray name = "startup_busy_box";
        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZOLL_INSTANCE_NAME"), QString::fromLatin1(name));
        first.setProcessEnvironment(env);
        first.start(QCoreApplication::applicationDirPath() + QStringLiteral("/startup_probe"),
                    {QStringLiteral("--splash"), QStringLiteral("60000")});
        QVERIFY(first.waitForStarted(10000));
        QByteArray out;
        QDeadlineTimer deadline(60000);
        while (!out.contains("STEP|12") && !deadline.hasExpired() && first.state() == QProcess::Running) {
            first.waitForReadyRead(100);
            out += first.readAllStandardOutput();
        }
        QVERIFY2(out.contains("STEP|12"), out.constData());

        qputenv("ZOLL_INSTANCE_NAME", name);
        // The first instance answers once start-up has made its socket.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(Utils::SingleInstanceServerName()), 30000);
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QString text;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            icon = box->icon();
            buttons = box->standardButtons();
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        watch.start(20);
        const bool another = Startup::AnotherInstanceRuns();
        watch.stop();
        ServiceForms::UninstallServiceForms();
        qunsetenv("ZOLL_INSTANCE_NAME");
        first.kill();
        first.waitForFinished(10000);

        QVERIFY(another);
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(text, QStringLiteral(" Tarvo ZOL Lumo is already running, but is busy. \n\n Please try again later. "));
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
