// Under a real window manager: the configuration-errors form, maximised and
// restored with Auto Size down, comes back where it stood and at its auto size
// (the window manager still reports the maximised bounds when the state
// change arrives).
#include "ProcessFormsEnv.h"
#include "UF_CfgErr.h"
#include "WmDisplay.h"

#include <QScreen>
#include <QtTest>

class TestWmRestore : public QObject {
    Q_OBJECT
private slots:
    void restoreAfterMaximiseKeepsPlace()
    {
        ProcessFormsEnv::Init();
        platform::setWorkArea(std::nullopt);
        MemoryProgress progress;
        Progress::setForm(&progress);
        UP->SetAutoSizeCfgErr(true);
        DV->ClearCfgErrs();
        for (int i = 1; i <= 3; ++i)
            DV->AddCfgErr("Data Source Map", "Task Field", QStringLiteral("Please select item %1.").arg(i),
                          QStringLiteral("Column %1").arg(i), 119, 624, i);
        TUF_CfgErr form;
        form.Populate(*DV);
        form.show();
        QVERIFY2(form.isVisible(), "the form closed itself");
        QVERIFY(QTest::qWaitForWindowExposed(&form, 30000));
        QTRY_VERIFY_WITH_TIMEOUT(form.frameGeometry() != form.geometry(), 30000);
        form.move(300, 200);
        QTRY_COMPARE_WITH_TIMEOUT(form.frameGeometry().topLeft(), QPoint(300, 200), 30000);
        const QRect before = form.frameGeometry();

        form.showMaximized();
        const QRect wa = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_VERIFY_WITH_TIMEOUT(form.isMaximized() && form.frameGeometry().width() >= wa.width(), 30000);
        form.showNormal();
        QTRY_VERIFY_WITH_TIMEOUT(!form.isMaximized() && form.frameGeometry().width() < wa.width(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(form.frameGeometry(), before, 30000);
        form.hide();
        Progress::setForm(nullptr);
    }
};

WM_TEST_MAIN(TestWmRestore, 1280, 1024)
#include "tst_wm_restore.moc"
