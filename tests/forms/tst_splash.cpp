// The splash's texts and layout: version line, legal lines, a width that
// holds every status line from the start, the logo in the corner, the fit to
// the work area, and its timer.
#include "FormsTestKit.h"
#include "UF_Splash.h"

#include <QLabel>
#include <QtTest>

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { formskit::FixLook(); }

    void textsAndLayout()
    {
        formskit::Globals g;
        formskit::WorkArea wa(QRect(0, 30, 1200, 900));
        TUF_Splash splash;
        QCOMPARE(splash.VersionLabel()->text(), QStringLiteral(" Version 1.0.0.0 "));
        QVERIFY(splash.LegalLabel(1)->text().contains(QStringLiteral("Kelvane")));
        QVERIFY(splash.LegalLabel(1)->text().startsWith(QLatin1Char(' ')));
        splash.show();
        const QSize size = splash.size();
        // Every status line fits without the splash changing size.
        for (int id : TUF_Splash::StatusTextIds()) {
            splash.SetStatus(UIT(id));
            QCOMPARE(splash.size(), size);
            QVERIFY(splash.StatusLabel()->geometry().right() + 8 <= splash.width());
        }
        QCOMPARE(splash.StatusLabel()->y(), splash.VersionLabel()->geometry().bottom() + 1 + 12);
        QCOMPARE(splash.LegalLabel(1)->y(), splash.StatusLabel()->geometry().bottom() + 1 + 18);
        QCOMPARE(splash.LegalLabel(2)->y(), splash.LegalLabel(1)->geometry().bottom() + 1 + 3);
        // The logo 8 pixels in from the bottom-right corner, clear of the
        // legal lines.
        QCOMPARE(splash.Logo()->geometry().right() + 1, splash.width() - 8);
        QCOMPARE(splash.Logo()->geometry().bottom() + 1, splash.height() - 8);
        QVERIFY(splash.LegalLabel(1)->geometry().right() + 8 < splash.Logo()->x());
        QVERIFY(splash.width() >= int(splash.height() * 1.6));
        // Centred on the work area.
        QCOMPARE(splash.y(), 30 + 900 / 2 - splash.height() / 2);
        QCOMPARE(splash.x(), 1200 / 2 - splash.width() / 2);
    }

    void timerMarksTheMinimumTime()
    {
        formskit::Globals g;
        TUF_Splash splash(200);
        QVERIFY(splash.TimerEnabled());
        splash.WaitForTimer();
        QVERIFY(!splash.TimerEnabled());
        QVERIFY(splash.ElapsedMs() >= 199);
        // Once passed, the wait returns at once.
        QElapsedTimer t;
        t.start();
        splash.WaitForTimer();
        QVERIFY(t.elapsed() < 100);
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
