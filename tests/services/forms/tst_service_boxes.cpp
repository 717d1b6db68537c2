#include "FormHooks.h"
#include "FormsTestEnv.h"
#include "Progress.h"
#include "ServiceForms.h"
#include "StdDlg.h"
#include "UF_Progress.h"
#include "UF_StdDlg.h"
#include "Utils.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

class TestServiceBoxes : public QObject {
    Q_OBJECT

    // Reads and closes the message box that the event loop shows next.
    struct BoxReader {
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int seen = 0;
        void arm()
        {
            QTimer::singleShot(0, [this] { read(); });
        }
        void read()
        {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                QTimer::singleShot(10, [this] { read(); });
                return;
            }
            ++seen;
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        }
    };

private slots:
    void initTestCase()
    {
        FormsTestEnv::Init();
    }

    void createsTheFormsWithSplashStatus()
    {
        QStringList status;
        FormHooks::SetSplashStatus([&status](const QString& s) { status << s; });
        ServiceForms::CreateServiceForms();
        FormHooks::SetSplashStatus(nullptr);
        QCOMPARE(status, (QStringList{" Initialising Progress Form... ", " Initialising Standard Dialogue Form... "}));
        QVERIFY(UF_StdDlg && UF_Progress);
        QCOMPARE(&StdDlg::prompter(), static_cast<StdDlg::IPrompter*>(UF_StdDlg));
        QCOMPARE(&Progress::form(), static_cast<IProgress*>(UF_Progress));
        ServiceForms::FreeServiceForms();
        QVERIFY(!UF_StdDlg && !UF_Progress);
        QVERIFY(dynamic_cast<MemoryProgress*>(&Progress::form()));
    }

    void indexErrorBoxIsDeferred()
    {
        ServiceForms::InstallServiceForms();
        BoxReader reader;
        QVERIFY(Utils::CheckIndex(5, 0, 3, QStringLiteral("WM.getItems")));
        // Nothing is shown inside the caller.
        QVERIFY(!QApplication::activeModalWidget());
        reader.arm();
        QTRY_COMPARE(reader.seen, 1);
        QCOMPARE(reader.icon, QMessageBox::Critical);
        QCOMPARE(reader.title, QStringLiteral("Tarvo ZOL Lumo"));
        QCOMPARE(reader.text, QStringLiteral("WM.getItems Index is invalid.\n\nValid Range: 0 to 3.\n\nIndex Value: 5."));
        QVERIFY(!Utils::CheckIndex(3, 0, 3, QStringLiteral("WM.getItems")));
        ServiceForms::UninstallServiceForms();
    }

    void fatalErrorBoxRunsWithoutTheEventLoop()
    {
        ServiceForms::InstallServiceForms();
        bool shutDown = false;
        Utils::SetFatalShutdown([&shutDown](bool) { shutDown = true; });
        Splash::InitErrDetails = QStringLiteral("Details: disk full");
        BoxReader reader;
        reader.arm();
        Utils::ShowFatalError(UIT(1088), true);
        QCOMPARE(reader.seen, 1);
        QCOMPARE(reader.icon, QMessageBox::Critical);
        QCOMPARE(reader.text, Utils::FatalErrorText(UIT(1088), QStringLiteral("Details: disk full")));
        QVERIFY(reader.text.contains(QStringLiteral(" Unable to initialise User Preferences. ")));
        QVERIFY(shutDown);
        ServiceForms::UninstallServiceForms();
    }
};

QTEST_MAIN(TestServiceBoxes)
#include "tst_service_boxes.moc"
