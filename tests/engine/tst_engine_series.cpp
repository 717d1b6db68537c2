// Per-day series and percentages: the fast routines against the day-by-day
// method on random schedules, value for value, and the cases that matter.
#include "tst_engine_support.h"
#include "zyDayRuns.h"
#include "zyUIL.h"

#include <QScopeGuard>
#include <QtTest>

using namespace enginetest;

class TestEngineSeries : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitUILs(); }
    void sameAsDayByDay_data();
    void sameAsDayByDay();
    void spreading_data();
    void spreading();
    void deleteTempData();
    void percentages();
    void quantityNotGraphed();
    void oneDayTable();
    void progressLinesAndPolls();
    void cancelInsideTheDays();
};

void TestEngineSeries::sameAsDayByDay_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("tasks");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("maxDays");
    QTest::addColumn<int>("options"); // bits: BL, ACT, TGT, MH, Cost
    QTest::newRow("all, small") << 1u << 200 << 90 << 30 << 0b11111;
    QTest::newRow("all, long tasks") << 2u << 500 << 400 << 300 << 0b11111;
    QTest::newRow("all, many per day") << 3u << 3000 << 60 << 20 << 0b11111;
    QTest::newRow("baseline only, MH") << 4u << 800 << 700 << 120 << 0b01001;
    QTest::newRow("actual and target, cost") << 5u << 800 << 700 << 120 << 0b10110;
    QTest::newRow("baseline and actual") << 6u << 1500 << 1000 << 200 << 0b11011;
    QTest::newRow("target only") << 7u << 400 << 365 << 90 << 0b11100;
    QTest::newRow("one-day tasks") << 8u << 1000 << 30 << 1 << 0b11111;
    QTest::newRow("large") << 9u << 60000 << 500 << 60 << 0b11111;
}

void TestEngineSeries::sameAsDayByDay()
{
    QFETCH(unsigned, seed);
    QFETCH(int, tasks);
    QFETCH(int, span);
    QFETCH(int, maxDays);
    QFETCH(int, options);
    // The vector-mask loop where the processor has it, and the plain one.
    const bool wide = TzyDayRuns::WideVectors();
    for (bool useWide : {wide, false}) {
        TzyDayRuns::SetWideVectors(useWide);
        auto restore = qScopeGuard([wide] { TzyDayRuns::SetWideVectors(wide); });
        Harness h;
        h.Options(options & 1, options & 2, options & 4, options & 8, options & 16);
        RandomSchedule(h, seed, tasks, span, maxDays);
        h.core.CalculateAll();
        DirectResult direct = DirectMethod(h.core);
        const auto& days = h.core.Days;
        int compared = 0;
        for (int s = 0; s < kDaySeriesCount; ++s) {
            QCOMPARE(days.DaySeries[size_t(s)].size(), size_t(days.DayCount) + 1);
            for (int d = 0; d <= days.DayCount; ++d) {
                const double fast = days.DaySeries[size_t(s)][size_t(d)];
                const double slow = direct.series[size_t(s)][size_t(d)];
                if (fast != slow)
                    QFAIL(qPrintable(QStringLiteral("series %1 day %2: %3 != %4")
                                         .arg(s)
                                         .arg(d)
                                         .arg(fast, 0, 'g', 17)
                                         .arg(slow, 0, 'g', 17)));
                compared += slow != 0;
            }
        }
        QVERIFY(compared > days.DayCount); // the schedule did fill the series
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(h.core.Curves[size_t(c)].MHTotal, direct.mhTotal[size_t(c)]);
            QCOMPARE(h.core.Curves[size_t(c)].MHToDate, direct.mhToDate[size_t(c)]);
            QCOMPARE(h.core.Curves[size_t(c)].CostTotal, direct.costTotal[size_t(c)]);
            QCOMPARE(h.core.Curves[size_t(c)].CostToDate, direct.costToDate[size_t(c)]);
        }
        h.core.DeleteTempData();
        DirectDelete(h.core, direct);
        for (int s = 0; s < kDaySeriesCount; ++s)
            QVERIFY2(days.DaySeries[size_t(s)] == direct.series[size_t(s)], qPrintable(QString::number(s)));
    }
}

// One curve's spreading: tasks as (start offset, days, man hours, % complete),
// the Cut Off Date as an offset; the expected man-hour histogram.
void TestEngineSeries::spreading_data()
{
    QTest::addColumn<int>("curve");
    QTest::addColumn<QList<QList<double>>>("tasks");
    QTest::addColumn<int>("cutOff");
    QTest::addColumn<QList<double>>("histogram");
    QTest::newRow("one-day task") << int(cvBaseline) << QList<QList<double>>{{0, 1, 40, 0}, {2, 1, 0, 0}} << 0
                                  << QList<double>{40, 0, 0};
    QTest::newRow("100 over 4 days") << int(cvBaseline) << QList<QList<double>>{{0, 4, 100, 0}, {5, 1, 0, 0}} << 0
                                     << QList<double>{25, 25, 25, 25, 0, 0};
    QTest::newRow("two tasks, same start")
        << int(cvTarget) << QList<QList<double>>{{0, 2, 10, 0}, {0, 2, 30, 0}} << 0 << QList<double>{20, 20};
    QTest::newRow("actual cut on day 4 at 50%")
        << int(cvActual) << QList<QList<double>>{{0, 10, 100, 0.5}} << 3
        << QList<double>{12.5, 12.5, 12.5, 12.5, 0, 0, 0, 0, 0, 0};
    QTest::newRow("actual starting after the cut")
        << int(cvActual) << QList<QList<double>>{{0, 2, 10, 1}, {5, 2, 50, 1}} << 1
        << QList<double>{5, 5, 0, 0, 0, 0, 0};
}

void TestEngineSeries::spreading()
{
    QFETCH(int, curve);
    QFETCH(QList<QList<double>>, tasks);
    QFETCH(int, cutOff);
    QFETCH(QList<double>, histogram);
    Harness h;
    h.Options(curve == cvBaseline, curve == cvActual, curve == cvTarget, true, false);
    h.Tasks(int(tasks.size()));
    const int base = Day(2024, 3, 1);
    for (int t = 1; t <= tasks.size(); ++t) {
        const auto& row = tasks[t - 1];
        const int s = base + int(row[0]);
        const int f = s + int(row[1]) - 1;
        if (curve == cvBaseline)
            h.Baseline(t, Num(s), Num(f), Num(row[2]));
        else
            h.Current(t, Num(s), Num(f), Num(row[2]), Num(0), Num(row[3]));
    }
    h.core.Settings.CutOffDate = base + cutOff;
    h.core.CalculateAll();
    const auto& H = h.core.Days.DaySeries[size_t(DaySeriesIndex(curve, qtMH, skHistogram))];
    const auto& S = h.core.Days.DaySeries[size_t(DaySeriesIndex(curve, qtMH, skSCurve))];
    QCOMPARE(h.core.Days.DayCount, int(histogram.size()));
    double sum = 0;
    for (int d = 1; d <= h.core.Days.DayCount; ++d) {
        QCOMPARE(H[size_t(d)], histogram[d - 1]);
        sum += histogram[d - 1];
        QCOMPARE(S[size_t(d)], sum);
    }
    QCOMPARE(H[0], 0.0);
    if (curve == cvActual && cutOff == 3)
        QCOMPARE(S[size_t(cutOff + 1)], 50.0); // earned by the Cut Off Date
}

void TestEngineSeries::deleteTempData()
{
    // Baseline 1..3 Mar, Actual 2..8 Mar cut on 5 Mar: Baseline cleared after
    // day 3, Actual before day 2 and after the Cut Off Date.
    Harness h;
    h.Options(true, true, false, true, true);
    h.Tasks(1);
    h.Baseline(1, DayCell(2024, 3, 1), DayCell(2024, 3, 3), Num(30), Num(300));
    h.Current(1, DayCell(2024, 3, 2), DayCell(2024, 3, 8), Num(70), Num(700), Num(0.5));
    h.core.Settings.CutOffDate = Day(2024, 3, 5);
    h.core.CalculateAll();
    auto& days = h.core.Days;
    QCOMPARE(days.DayCount, 8);
    QCOMPARE(days.DaySeries[size_t(DaySeriesIndex(cvBaseline, qtMH, skSCurve))][8], 30.0);
    QCOMPARE(days.DaySeries[size_t(DaySeriesIndex(cvActual, qtMH, skSCurve))][8], 35.0);
    h.core.DeleteTempData();
    QCOMPARE(h.progress.lines().last(), QStringLiteral(" [%1] Deleting Temporary Data... Complete. ")
                                            .arg(h.progress.currentStep(), 2, 10, QLatin1Char('0')));
    for (int m = 0; m < 12; ++m) {
        const auto& bl = days.DaySeries[size_t(2 + 3 * m)];
        const auto& act = days.DaySeries[size_t(3 + 3 * m)];
        for (int d = 1; d <= 8; ++d) {
            if (d > 3)
                QCOMPARE(bl[size_t(d)], 0.0);
            if (d < 2 || d > 5)
                QCOMPARE(act[size_t(d)], 0.0);
        }
    }
    QCOMPARE(days.DaySeries[size_t(DaySeriesIndex(cvBaseline, qtMH, skSCurve))][3], 30.0);
    QCOMPARE(days.DaySeries[size_t(DaySeriesIndex(cvActual, qtMH, skSCurve))][5], 35.0); // 4 days of 8.75
    QCOMPARE(days.DaySeries[size_t(DaySeriesIndex(cvActual, qtCost, skHistogram))][2], 87.5);

    // A generated curve without valid tasks: every day of its series cleared.
    Harness g;
    g.Options(true, true, false, true, true);
    g.Tasks(2);
    g.Baseline(1, DayCell(2024, 3, 1), DayCell(2024, 3, 3), Num(30), Num(300));
    g.Current(2, DayCell(2024, 3, 2), DayCell(2024, 3, 8), Num(70), Num(700), Num(1.5));
    g.core.CalculateAll();
    QCOMPARE(g.core.ACT().ValidCount, 0);
    g.core.DeleteTempData();
    for (int m = 0; m < 12; ++m)
        for (double v : g.core.Days.DaySeries[size_t(3 + 3 * m)])
            QCOMPARE(v, 0.0);
}

void TestEngineSeries::percentages()
{
    Harness h;
    h.Options(true, true, false, true, true);
    h.Tasks(2);
    h.Baseline(1, DayCell(2024, 1, 1), DayCell(2024, 1, 4), Num(100), Num(0));
    h.Baseline(2, DayCell(2024, 1, 3), DayCell(2024, 1, 4), Num(60), Num(0));
    h.Current(1, DayCell(2024, 1, 1), DayCell(2024, 1, 2), Num(80), Num(10), Num(1));
    h.core.Settings.CutOffDate = Day(2024, 1, 4);
    h.core.CalculateAll();
    const auto& s = h.core.Days.DaySeries;
    const int n = h.core.Days.DayCount;
    QCOMPARE(s[5][size_t(n)], 1.0);          // Baseline % S curve ends at 1
    QCOMPARE(s[6][size_t(n)], 80.0 / 160.0); // Actual's earned share
    double hist = 0;
    for (int d = 1; d <= n; ++d)
        hist += s[14][size_t(d)];
    QCOMPARE(hist, s[5][size_t(n)]);
    // The Baseline cost is 0: every cost Baseline = 100% value is 0; no
    // Target = 100% series without Target.
    for (int d = 0; d <= n; ++d) {
        QCOMPARE(s[23][size_t(d)], 0.0);
        QCOMPARE(s[24][size_t(d)], 0.0);
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(s[size_t(8 + c)][size_t(d)], 0.0);
            QCOMPARE(s[size_t(17 + c)][size_t(d)], 0.0);
        }
    }
    QVERIFY(s[size_t(DaySeriesIndex(cvActual, qtCost, skSCurve))][size_t(n)] == 10.0);
}

void TestEngineSeries::quantityNotGraphed()
{
    Harness h;
    h.Options(true, false, true, false, true);
    RandomSchedule(h, 11, 50, 40, 10);
    h.core.CalculateAll();
    for (int s = 2; s < 20; ++s)
        for (double v : h.core.Days.DaySeries[size_t(s)])
            QCOMPARE(v, 0.0);
    QCOMPARE(h.core.BL().MHTotal, 0.0);
    QVERIFY(h.core.BL().CostTotal > 0);
    QCOMPARE(h.core.Growth.MHGrowth, 0.0);
}

void TestEngineSeries::oneDayTable()
{
    Harness h;
    h.Options(false, true, false, true, true);
    h.Tasks(1);
    h.Current(1, DayCell(2024, 5, 5), DayCell(2024, 5, 5), Num(8), Num(80), Num(1));
    h.core.Settings.CutOffDate = Day(2024, 5, 5);
    h.core.CalculateAll();
    QCOMPARE(h.core.Days.DayCount, 1);
    QCOMPARE(h.core.Days.DaySeries[3][1], 8.0);
    QCOMPARE(h.core.Days.DaySeries[21][1], 80.0);
    bool mhLine = false;
    for (const QString& l : h.progress.lines())
        mhLine = mhLine || l.endsWith(QStringLiteral("Calculating Actual S Curve Man Hours for Task: 1 of 1... Complete. "));
    QVERIFY(mhLine);
    // The cost S curves of Actual and Target start their counter at 0.
    bool found = false;
    for (const QString& l : h.progress.lines())
        found = found || l.contains(QStringLiteral("Calculating Actual S Curve Cost for Day: 0 of 1... Complete."));
    QVERIFY(found);
    QCOMPARE(h.core.ACT().MHToDate, 8.0);
}

void TestEngineSeries::progressLinesAndPolls()
{
    Harness h;
    h.Options(true, false, false, true, false);
    h.Tasks(2);
    h.Baseline(1, DayCell(2024, 1, 1), DayCell(2024, 12, 31), Num(366), Num(0));
    h.Baseline(2, DayCell(2024, 2, 1), DayCell(2024, 2, 10), Num(10), Num(0));
    h.core.Settings.CutOffDate = Day(2024, 1, 1);
    h.core.FilterTasks();
    h.core.ValidateBaseline();
    h.core.CheckValidData(QStringLiteral("Tasks"));
    h.core.ValidateCutOffDate();
    h.core.ProcessDates();
    const int before = h.polls;
    const qsizetype lines = h.progress.lines().size();
    h.core.CalcBaselineDays();
    // Entry, then days 150 and 300 of each of the two steps.
    QCOMPARE(h.polls - before, 1 + 2 + 2);
    QCOMPARE(h.progress.lines().size(), lines + 2);
    QCOMPARE(h.progress.lines()[lines], QStringLiteral(" [%1] Calculating Baseline Man Hours for Day: 366 of 366... "
                                                       "Complete. ")
                                            .arg(lines + 1, 2, 10, QLatin1Char('0')));
    QCOMPARE(h.progress.lines()[lines + 1],
             QStringLiteral(" [%1] Calculating Baseline S Curve Man Hours for Day: 366 of 366... Complete. ")
                 .arg(lines + 2, 2, 10, QLatin1Char('0')));
    QVERIFY(!h.progress.stepVisible());
    QCOMPARE(h.core.Days.DaySeries[2][366], 376.0);
}

void TestEngineSeries::cancelInsideTheDays()
{
    Harness h;
    h.Options(true, false, false, true, true);
    RandomSchedule(h, 5, 100, 1000, 50);
    h.core.FilterTasks();
    h.core.ValidateBaseline();
    h.core.ValidateCutOffDate();
    h.core.ProcessDates();
    h.progress.SetCancelled(true); // the flag the frame must clear
    h.cancelAt = h.polls + 3;      // entry, day 150, day 300
    QVERIFY_THROWS_EXCEPTION(OperationAborted, h.core.CalcBaselineDays());
    QVERIFY(!h.progress.Cancelled());
    QVERIFY(h.progress.lines().last().contains(QStringLiteral("for Day: 300 of")));
}

QTEST_GUILESS_MAIN(TestEngineSeries)
#include "tst_engine_series.moc"
