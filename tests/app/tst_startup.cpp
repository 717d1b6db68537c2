#include "Startup.h"

#include "KeyStore.h"

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
#include "zyWM.h"
#include "zyXL.h"

#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void createsAndFreesEveryGlobal()
    {
        QString fatal;
        Utils::SetFatalErrorPresenter([&](const QString& t) { fatal = t; });
        QVERIFY(Startup::CreateGlobals());
        QVERIFY(fatal.isEmpty());
        QVERIFY(UILs && AD && XL && OCP && DV && UP && WMs && SDs && DF && Process);
        QVERIFY(RHs_PS && RHs_CD && RFs_PS && RFs_CD);
        QCOMPARE(WMs->HighIndex(), 6);
        QVERIFY(RHs_PS->Count() > 0 && RFs_CD->Count() > 0);
        QCOMPARE(UIT(31), QStringLiteral("Initialisation complete."));

        Startup::FreeGlobals();
        QVERIFY(!UILs && !AD && !XL && !OCP && !DV && !UP && !WMs && !SDs && !DF && !Process);
        QVERIFY(!RHs_PS && !RHs_CD && !RFs_PS && !RFs_CD);
    }

    void preferencesAreSavedBackAtStartUp()
    {
        QVERIFY(Startup::CreateGlobals());
        Startup::FreeGlobals();
        QVERIFY(QFileInfo::exists(platform::userStoreFile()));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
