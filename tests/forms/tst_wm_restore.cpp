// Under a real window manager: the configuration-errors form, maximised and
// restored with Auto Size down, comes back where it stood and at its auto size
// (the window manager still reports the maximised bounds when the state
// change arrives).
#include "FramePlace.h"
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
        // The frame as the window manager published it: the toolkit's own
        // copy may lag behind.
        const FramePlace& place = FramePlace::Of(&form);
        QTRY_VERIFY_WITH_TIMEOUT(place.Decorated(), 30000);
        // The user moves a form that is on the screen and framed. The client
        // area is put where the frame's move leaves it: the toolkit's own
        // move() places the frame with its copy of the thickness, which may
        // lag behind the manager's.
        QTRY_VERIFY_WITH_TIMEOUT(place.Settled(), 30000);
        const QMargins m = place.Seen();
        form.setGeometry(QRect(QPoint(300 + m.left(), 200 + m.top()), form.size()));
        QTRY_COMPARE_WITH_TIMEOUT(place.Frame().topLeft(), QPoint(300, 200), 30000);
        const QRect before = place.Frame();

        form.showMaximized();
        const QRect wa = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_VERIFY_WITH_TIMEOUT(form.isMaximized() && place.Frame().width() >= wa.width(), 30000);
        form.showNormal();
        QTRY_VERIFY_WITH_TIMEOUT(!form.isMaximized() && place.Frame().width() < wa.width(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(place.Frame(), before, 30000);
        form.hide();
        Progress::setForm(nullptr);
    }
};

WM_TEST_MAIN(TestWmRestore, 1280, 1024)
#include "tst_wm_restore.moc"
