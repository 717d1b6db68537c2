// The fit of a fixed-size form: its minimum size cut to the work area, kept
// centred on where it was and wholly on the work area.
#include "FixedFormFit.h"

#include <QtTest>

class TestFixedFormFit : public QObject {
    Q_OBJECT
private slots:
    void fit_data()
    {
        QTest::addColumn<QSize>("minSize");
        QTest::addColumn<QRect>("current");
        QTest::addColumn<QRect>("workArea");
        QTest::addColumn<QRect>("expected");
        const QRect wa(0, 0, 1000, 700);
        QTest::newRow("grows about its centre") << QSize(400, 300) << QRect(300, 200, 200, 100) << wa
                                                << QRect(200, 100, 400, 300);
        QTest::newRow("shrinks about its centre") << QSize(100, 50) << QRect(300, 200, 200, 100) << wa
                                                  << QRect(350, 225, 100, 50);
        QTest::newRow("not above or left of the area") << QSize(400, 300) << QRect(0, 0, 100, 100) << wa
                                                       << QRect(0, 0, 400, 300);
        QTest::newRow("not past the right or bottom") << QSize(400, 300) << QRect(900, 650, 100, 50) << wa
                                                      << QRect(600, 400, 400, 300);
        QTest::newRow("cut to the area") << QSize(1500, 900) << QRect(100, 100, 300, 300) << wa
                                         << QRect(0, 0, 1000, 700);
        QTest::newRow("area with an offset") << QSize(500, 400) << QRect(0, 0, 10, 10) << QRect(50, 40, 300, 200)
                                             << QRect(50, 40, 300, 200);
        QTest::newRow("odd sizes keep the centre") << QSize(101, 51) << QRect(100, 100, 200, 100) << wa
                                                   << QRect(150, 125, 101, 51);
    }

    void fit()
    {
        QFETCH(QSize, minSize);
        QFETCH(QRect, current);
        QFETCH(QRect, workArea);
        QFETCH(QRect, expected);
        const FixedFormFit f = FitFixedForm(minSize, current, workArea);
        QCOMPARE(QRect(f.topLeft, f.size), expected);
    }
};

QTEST_APPLESS_MAIN(TestFixedFormFit)
#include "tst_fixed_form_fit.moc"
