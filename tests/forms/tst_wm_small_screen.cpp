// Placement under a real window manager on a small screen (800 x 560): the
// frame, title bar included, must lie on the work area, and a placement record
// must put the frame (not the client area) back where the user left it.
#include "FormsTestKit.h"
#include "UF_Main.h"
#include "WmDisplay.h"

#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

// The window manager has decorated the window: its frame is known.
bool decorated(QWidget& w)
{
    return w.isVisible() && w.frameGeometry() != w.geometry();
}

QRect globalRect(QWidget* w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

} // namespace

class TestWmSmallScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        formskit::FixLook();
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(800, 560));
    }

    // A first start: no record yet, the frame wholly on the work area, the
    // Process button inside the screen.
    void mainFormFrameFitsWorkArea()
    {
        formskit::Globals g;
        TUF_Main form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY_WITH_TIMEOUT(decorated(form), 30000);
        const QRect wa = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_VERIFY2_WITH_TIMEOUT(wa.contains(form.frameGeometry()),
                                  qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                                 .arg(form.frameGeometry().x()).arg(form.frameGeometry().y())
                                                 .arg(form.frameGeometry().width()).arg(form.frameGeometry().height())),
                                  30000);
        QVERIFY2(QTest::qWaitFor([&] { return WmDisplay::atRest(&form); }, 30000),
                 qPrintable(WmDisplay::whereItStands(&form)));
        const QRect button = globalRect(form.BBtn_Process);
        QVERIFY2(wa.contains(button), qPrintable(QStringLiteral("Process button %1,%2 %3x%4")
                                                     .arg(button.x()).arg(button.y())
                                                     .arg(button.width()).arg(button.height())));
    }

    // A record holds the frame's corner: applied, the frame goes back there,
    // and closing stores the same corner again.
    void recordKeepsTheFrameCorner()
    {
        formskit::Globals g;
        TzyWM& wm = WMs->getItems(wmMain);
        wm.SetLeft(30);
        wm.SetTop(0);
        wm.SetWidth(700);
        wm.SetHeight(560);
        TUF_Main form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY_WITH_TIMEOUT(decorated(form), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(form.frameGeometry().topLeft(), QPoint(30, 0), 30000);
        form.move(40, 10);
        QTRY_COMPARE_WITH_TIMEOUT(form.frameGeometry().topLeft(), QPoint(40, 10), 30000);
        if (UP)
            UP->SetPromptOnExit(false);
        QVERIFY(form.close());
        QCOMPARE(QPoint(wm.Left(), wm.Top()), QPoint(40, 10));
    }
};

WM_TEST_MAIN(TestWmSmallScreen, 800, 560)
#include "tst_wm_small_screen.moc"
