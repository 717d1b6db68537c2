// Totals and to-date values, growth, slippage and the late and grown counts.
#include "tst_engine_support.h"
#include "zyUIL.h"

#include <QtTest>

using namespace enginetest;

class TestEngineTotals : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitUILs(); }
    void toDate_data();
    void toDate();
    void actualEarned();
    void progressAndPolls();
    void noComparison_data();
    void noComparison();
    void slippageAndGrowth();
    void taskCounts_data();
    void taskCounts();
};

void TestEngineTotals::toDate_data()
{
    QTest::addColumn<int>("cutOffShift"); // days from the table's first day
    QTest::addColumn<double>("mhToDate");
    // Baseline: 10 man hours a day over 5 days.
    QTest::newRow("first day") << 0 << 10.0;
    QTest::newRow("third day") << 2 << 30.0;
    QTest::newRow("last day") << 4 << 50.0;
    QTest::newRow("after the last day") << 40 << 50.0;
    QTest::newRow("before the first day") << -1 << 0.0;
    QTest::newRow("long before") << -400 << 0.0;
}

void TestEngineTotals::toDate()
{
    QFETCH(int, cutOffShift);
    QFETCH(double, mhToDate);
    Harness h;
    h.Options(true, false, false);
    h.Tasks(1);
    h.Baseline(1, DayCell(2024, 4, 1), DayCell(2024, 4, 5), Num(50), Num(500));
    h.core.Settings.CutOffDate = Day(2024, 4, 3);
    h.Validate();
    h.core.ValidateCutOffDate();
    h.core.ProcessDates();
    h.core.CalcBaselineDays();
    // Outside the table only when a generated curve has no valid task; set
    // directly here.
    h.core.Settings.CutOffDate = Day(2024, 4, 1) + cutOffShift;
    h.core.CalcBaselineTotals();
    QCOMPARE(h.core.BL().MHTotal, 50.0);
    QCOMPARE(h.core.BL().CostTotal, 500.0);
    QCOMPARE(h.core.BL().MHToDate, mhToDate);
    QCOMPARE(h.core.BL().CostToDate, mhToDate * 10);
}

void TestEngineTotals::actualEarned()
{
    Harness h;
    h.Options(false, true, false, true, false);
    h.Tasks(2);
    h.Current(1, DayCell(2024, 4, 1), DayCell(2024, 4, 4), Num(200), Num(9), Num(0.4));
    h.Current(2, DayCell(2024, 4, 2), DayCell(2024, 4, 9), Num(80), Num(9), Num(0.5));
    h.core.Settings.CutOffDate = Day(2024, 4, 5);
    h.core.CalculateAll();
    QCOMPARE(h.core.ACT().MHTotal, 280.0);
    // Task 1: 80 earned; task 2: 40 spread over 2..5 April, 4 days of 10.
    QCOMPARE(h.core.ACT().MHToDate, 80.0 + 40.0);
    QCOMPARE(h.core.ACT().CostTotal, 0.0);
    QCOMPARE(h.core.ACT().CostToDate, 0.0);
}

void TestEngineTotals::progressAndPolls()
{
    Harness h;
    h.Options(false, false, true, true, true);
    h.Tasks(310);
    for (int t = 1; t <= 310; ++t)
        h.Current(t, DayCell(2024, 4, 1), DayCell(2024, 4, 2), Num(1), Num(2));
    h.core.Settings.CutOffDate = Day(2024, 4, 1);
    h.Validate();
    h.core.ValidateCutOffDate();
    h.core.ProcessDates();
    h.core.CalcTargetDays();
    const int before = h.polls;
    const qsizetype lines = h.progress.lines().size();
    h.core.CalcTargetTotals();
    QCOMPARE(h.polls - before, 1 + 2 + 2);
    QCOMPARE(h.progress.lines().mid(lines),
             (QStringList{QStringLiteral(" [%1] Calculating Target Man Hours for Task: 310 of 310... Complete. ")
                              .arg(lines + 1, 2, 10, QLatin1Char('0')),
                          QStringLiteral(" [%1] Calculating Target Cost for Task: 310 of 310... Complete. ")
                              .arg(lines + 2, 2, 10, QLatin1Char('0'))}));
    QCOMPARE(h.core.TGT().MHTotal, 310.0);
    QCOMPARE(h.core.TGT().CostTotal, 620.0);
    QCOMPARE(h.core.TGT().MHToDate, 155.0);
}

void TestEngineTotals::noComparison_data()
{
    QTest::addColumn<QString>("generated");
    QTest::newRow("baseline only") << "B";
    QTest::newRow("actual and target") << "AT";
    QTest::newRow("actual only") << "A";
}

void TestEngineTotals::noComparison()
{
    QFETCH(QString, generated);
    Harness h;
    h.Options(generated.contains('B'), generated.contains('A'), generated.contains('T'));
    RandomSchedule(h, 21, 40, 60, 10);
    h.core.CalculateAll();
    const TzyGrowth& g = h.core.Growth;
    QCOMPARE(g.StartSlippage, 0);
    QCOMPARE(g.FinishSlippage, 0);
    QCOMPARE(g.DurationGrowth, 0);
    QCOMPARE(g.MHGrowth, 0.0);
    QCOMPARE(g.CostGrowth, 0.0);
    QCOMPARE(g.TasksStartingLate + g.TasksFinishingLate + g.TasksIncreasedDuration + g.TasksIncreasedMH +
                 g.TasksIncreasedCost,
             0);
    for (const QString& l : h.progress.lines())
        QVERIFY(!l.contains(QStringLiteral("Growth")));
}

void TestEngineTotals::slippageAndGrowth()
{
    // Baseline 1..10 March; Actual 3..15; Target 2..12: Target is compared.
    Harness h;
    h.Options(true, true, true);
    h.Tasks(2);
    h.Baseline(1, DayCell(2024, 3, 1), DayCell(2024, 3, 10), Num(100), Num(1000));
    h.Current(1, DayCell(2024, 3, 3), DayCell(2024, 3, 15), Num(90), Num(1200), Num(0.5));
    h.Baseline(2, DayCell(2024, 3, 4), DayCell(2024, 3, 6), Num(10), Num(10));
    h.Current(2, DayCell(2024, 3, 2), DayCell(2024, 3, 12), Num(30), Num(5), Num(2)); // Target only
    h.core.Settings.CutOffDate = Day(2024, 3, 8);
    h.core.CalculateAll();
    const TzyGrowth& g = h.core.Growth;
    QCOMPARE(h.core.TGT().StartDate, Day(2024, 3, 2));
    QCOMPARE(g.StartSlippage, 1);   // 2 March - 1 March
    QCOMPARE(g.FinishSlippage, 5);  // 15 March - 10 March
    QCOMPARE(g.DurationGrowth, 13 - 9);
    QCOMPARE(g.MHGrowth, (90.0 - 100.0) + (30.0 - 10.0));
    QCOMPARE(g.CostGrowth, (1200.0 - 1000.0) + (5.0 - 10.0));
    QCOMPARE(g.TasksStartingLate, 1);
    QCOMPARE(g.TasksFinishingLate, 2);
    QCOMPARE(g.TasksIncreasedDuration, 2);
    QCOMPARE(g.TasksIncreasedMH, 1);
    QCOMPARE(g.TasksIncreasedCost, 1);
    QVERIFY(h.progress.lines().last().endsWith(QStringLiteral("Calculating Project Growth, Slippage... Complete. ")));

    // Without Target the Actual dates are compared.
    Harness a;
    a.Options(true, true, false);
    a.Tasks(1);
    a.Baseline(1, DayCell(2024, 3, 1), DayCell(2024, 3, 10), Num(100), Num(1000));
    a.Current(1, DayCell(2024, 3, 3), DayCell(2024, 3, 9), Num(100), Num(1000), Num(0.5));
    a.core.Settings.CutOffDate = Day(2024, 3, 8);
    a.core.CalculateAll();
    QCOMPARE(a.core.Growth.StartSlippage, 2);
    QCOMPARE(a.core.Growth.FinishSlippage, -1);
    QCOMPARE(a.core.Growth.DurationGrowth, -3);
    QCOMPARE(a.core.Growth.TasksIncreasedMH, 0);
}

void TestEngineTotals::taskCounts_data()
{
    QTest::addColumn<int>("startShift");  // current start - Baseline start
    QTest::addColumn<int>("finishShift"); // current finish - Baseline finish
    QTest::addColumn<double>("mh");       // Baseline 50
    QTest::addColumn<bool>("currentValid");
    QTest::addColumn<bool>("baselineValid");
    QTest::addColumn<QList<int>>("counts"); // late start, late finish, longer, more MH, more cost
    QTest::addColumn<double>("mhGrowth");
    QTest::newRow("two days early start, same finish") << -2 << 0 << 50.0 << true << true
                                                       << QList<int>{0, 0, 1, 0, 0} << 0.0;
    QTest::newRow("late and longer") << 1 << 3 << 60.0 << true << true << QList<int>{1, 1, 1, 1, 0} << 10.0;
    QTest::newRow("shifted, same length, fewer hours") << 2 << 2 << 20.0 << true << true
                                                       << QList<int>{1, 1, 0, 0, 0} << -30.0;
    QTest::newRow("baseline only valid") << 1 << 3 << 60.0 << false << true << QList<int>{0, 0, 0, 0, 0} << 0.0;
    QTest::newRow("current only valid") << 1 << 3 << 60.0 << true << false << QList<int>{0, 0, 0, 0, 0} << 0.0;
}

void TestEngineTotals::taskCounts()
{
    QFETCH(int, startShift);
    QFETCH(int, finishShift);
    QFETCH(double, mh);
    QFETCH(bool, currentValid);
    QFETCH(bool, baselineValid);
    QFETCH(QList<int>, counts);
    QFETCH(double, mhGrowth);
    Harness h;
    h.Options(true, true, false, true, true);
    h.Tasks(2);
    // Task 2 keeps both curves supplied.
    h.Baseline(2, DayCell(2024, 5, 1), DayCell(2024, 5, 3), Num(1), Num(1));
    h.Current(2, DayCell(2024, 5, 1), DayCell(2024, 5, 3), Num(1), Num(1), Num(1));
    const int bs = Day(2024, 5, 10);
    const int bf = Day(2024, 5, 20);
    h.Baseline(1, baselineValid ? Num(bs) : TzyCell(), Num(bf), Num(50), Num(7));
    h.Current(1, Num(bs + startShift), currentValid ? Num(bf + finishShift) : Txt("tbd"), Num(mh), Num(7),
              Num(0.1));
    h.core.Settings.CutOffDate = Day(2024, 5, 12);
    h.core.CalculateAll();
    const TzyGrowth& g = h.core.Growth;
    QCOMPARE((QList<int>{g.TasksStartingLate, g.TasksFinishingLate, g.TasksIncreasedDuration, g.TasksIncreasedMH,
                         g.TasksIncreasedCost}),
             counts);
    QCOMPARE(g.MHGrowth, mhGrowth);
    QCOMPARE(g.CostGrowth, 0.0);
}

QTEST_GUILESS_MAIN(TestEngineTotals)
#include "tst_engine_totals.moc"
