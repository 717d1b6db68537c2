// Fitting to the work area, one axis at a time (no widgets).
#include "FitRules.h"

#include <QtTest>

class TestFitRules : public QObject {
    Q_OBJECT
private slots:
    void fitSpan_data()
    {
        QTest::addColumn<QList<int>>("in");  // workStart, workLength, minimum, pos, length
        QTest::addColumn<QList<int>>("out"); // minimum, pos, length
        QTest::newRow("fits already") << QList<int>{0, 1000, 600, 100, 700} << QList<int>{600, 100, 700};
        QTest::newRow("grows about its centre") << QList<int>{0, 1000, 600, 300, 400} << QList<int>{600, 200, 600};
        QTest::newRow("not before the work area") << QList<int>{50, 1000, 600, 60, 400} << QList<int>{600, 50, 600};
        // The minimum goes below the work area, so the form can still be
        // maximised; the form itself fills the work area.
        QTest::newRow("minimum lowered below a small work area") << QList<int>{0, 500, 600, 0, 300}
                                                                  << QList<int>{499, 0, 500};
        QTest::newRow("minimum the work area's length") << QList<int>{0, 500, 500, 0, 500} << QList<int>{499, 0, 500};
        QTest::newRow("larger than the work area stays") << QList<int>{0, 500, 600, 0, 800} << QList<int>{499, 0, 800};
    }
    void fitSpan()
    {
        QFETCH(QList<int>, in);
        QFETCH(QList<int>, out);
        const FitRules::Span s = FitRules::FitSpan(in[0], in[1], in[2], in[3], in[4]);
        QCOMPARE((QList<int>{s.minimum, s.pos, s.length}), out);
    }

    void centreSpan_data()
    {
        QTest::addColumn<QList<int>>("in");  // workStart, workLength, minimum
        QTest::addColumn<QList<int>>("out"); // minimum, pos, length
        QTest::newRow("centred") << QList<int>{0, 1000, 400} << QList<int>{400, 300, 400};
        // A work area below a top panel: centred on it, not on the screen.
        QTest::newRow("work area not at 0") << QList<int>{40, 1000, 400} << QList<int>{400, 340, 400};
        QTest::newRow("too large") << QList<int>{40, 300, 400} << QList<int>{300, 40, 300};
    }
    void centreSpan()
    {
        QFETCH(QList<int>, in);
        QFETCH(QList<int>, out);
        const FitRules::Span s = FitRules::CentreSpan(in[0], in[1], in[2]);
        QCOMPARE((QList<int>{s.minimum, s.pos, s.length}), out);
    }
};

QTEST_APPLESS_MAIN(TestFitRules)
#include "tst_fit_rules.moc"
