// The Cut Off Date brought into the tasks' dates, the Actual cut, durations,
// and the project's day table.
#include "tst_engine_support.h"
#include "zyUIL.h"

#include <QtTest>

using namespace enginetest;

namespace {
// "BL 1 31": a curve's valid tasks spanning March 1..31 of 2024 (days of the
// month); "-" leaves it without valid tasks.
struct Span {
    int from = 0;
    int to = 0;
};
} // namespace
Q_DECLARE_METATYPE(Span)

class TestEngineDates : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitUILs(); }
    void cleanup() { StdDlg::setPrompter(nullptr); }
    void cutOffDate_data();
    void cutOffDate();
    void movedLinesAndDialog();
    void actualCut();
    void durations();
    void projectDays();
    void oneDayProject();
    void spanLimit_data();
    void spanLimit();
    void noValidCurve();
};

void TestEngineDates::cutOffDate_data()
{
    QTest::addColumn<QString>("generated");
    QTest::addColumn<Span>("bl");
    QTest::addColumn<Span>("act");
    QTest::addColumn<Span>("tgt");
    QTest::addColumn<int>("cutOff");   // day of March
    QTest::addColumn<int>("expected"); // day of March
    QTest::addColumn<QString>("msgId");
    const Span none;
    QTest::newRow("inside") << "B" << Span{1, 31} << none << none << 15 << 15 << "";
    QTest::newRow("on the first day") << "B" << Span{1, 31} << none << none << 1 << 1 << "";
    QTest::newRow("before baseline") << "B" << Span{5, 31} << none << none << 2 << 5 << "UP008";
    QTest::newRow("after baseline") << "B" << Span{5, 20} << none << none << 25 << 20 << "UP010";
    QTest::newRow("before actual") << "A" << none << Span{5, 20} << none << 1 << 5 << "UP009";
    QTest::newRow("after actual") << "A" << none << Span{5, 20} << none << 30 << 20 << "UP011";
    QTest::newRow("actual finishing after baseline") << "BA" << Span{1, 10} << Span{3, 20} << none << 30 << 20
                                                     << "UP011";
    QTest::newRow("baseline finishing last") << "BA" << Span{1, 25} << Span{3, 20} << none << 30 << 25 << "UP010";
    QTest::newRow("actual starting first") << "BA" << Span{5, 25} << Span{3, 20} << none << 1 << 3 << "UP009";
    QTest::newRow("target ignored beside actual") << "AT" << none << Span{3, 20} << Span{1, 28} << 25 << 20
                                                  << "UP011";
    QTest::newRow("target alone") << "T" << none << none << Span{3, 20} << 25 << 20 << "UP011";
    QTest::newRow("target before baseline") << "BT" << Span{5, 20} << none << Span{2, 20} << 1 << 2 << "UP009";
    QTest::newRow("baseline without tasks widens by actual")
        << "BA" << none << Span{10, 20} << none << 2 << 2 << "";
    QTest::newRow("baseline without tasks, cut after actual")
        << "BA" << none << Span{10, 20} << none << 25 << 25 << "";
}

void TestEngineDates::cutOffDate()
{
    QFETCH(QString, generated);
    QFETCH(Span, bl);
    QFETCH(Span, act);
    QFETCH(Span, tgt);
    QFETCH(int, cutOff);
    QFETCH(int, expected);
    QFETCH(QString, msgId);
    RecordingPrompter prompter;
    StdDlg::setPrompter(&prompter);
    Harness h;
    h.Options(generated.contains('B'), generated.contains('A'), generated.contains('T'));
    h.Tasks(3);
    if (bl.from)
        h.Baseline(1, DayCell(2024, 3, bl.from), DayCell(2024, 3, bl.to));
    if (act.from)
        h.Current(2, DayCell(2024, 3, act.from), DayCell(2024, 3, act.to), Num(10), Num(10), Num(0.5));
    if (tgt.from)
        h.Current(3, DayCell(2024, 3, tgt.from), DayCell(2024, 3, tgt.to), Num(10), Num(10), Num(5));
    h.core.Settings.CutOffDate = Day(2024, 3, cutOff);
    h.Validate();
    h.core.ValidateCutOffDate();
    QCOMPARE(h.core.Settings.CutOffDate, Day(2024, 3, expected));
    if (msgId.isEmpty()) {
        QVERIFY(prompter.requests.isEmpty());
        QVERIFY(h.moved.isEmpty());
        QVERIFY(h.progress.lines().contains(QStringLiteral(" [%1] Validating Cut Off Date... Complete. ")
                                                .arg(h.progress.lines().size() - (generated.contains('A') ? 1 : 0),
                                                     2, 10, QLatin1Char('0'))));
    } else {
        QCOMPARE(prompter.requests.size(), 1);
        QCOMPARE(prompter.requests[0].msgId, msgId);
        QCOMPARE(prompter.requests[0].level, int(StdDlg::Information));
        QCOMPARE(h.moved, QList<int>{Day(2024, 3, expected)});
    }
}

void TestEngineDates::movedLinesAndDialog()
{
    RecordingPrompter prompter;
    StdDlg::setPrompter(&prompter);
    Harness h;
    h.Options(true, false, false);
    h.Tasks(1);
    h.Baseline(1, DayCell(2024, 3, 5), DayCell(2024, 3, 9));
    h.core.Settings.CutOffDate = Day(2024, 3, 1);
    h.Validate();
    const qsizetype before = h.progress.lines().size();
    h.core.ValidateCutOffDate();
    const QString orig = TzyEngineCore::DateText(Day(2024, 3, 1));
    const QString now = TzyEngineCore::DateText(Day(2024, 3, 5));
    QVERIFY(orig.contains(QStringLiteral("2024")) && orig.startsWith(QStringLiteral("01-")));
    const QString changed = QStringLiteral("The Cut Off Date has been changed from: [%1] to: [%2].").arg(orig, now);
    QCOMPARE(prompter.requests[0].lines,
             (QStringList{"The Cut Off Date is before the earliest Task Baseline Start Date.", "", changed}));
    QCOMPARE(prompter.requests[0].buttons[2].hint.isEmpty(), false);
    const QString rule(changed.size(), QLatin1Char('='));
    QCOMPARE(h.progress.lines().mid(before),
             (QStringList{" [03] Validating Cut Off Date... Complete. ", " [--] " + rule + " ",
                          QStringLiteral(" [--] Cut Off Date changed from: [%1] to [%2] ").arg(orig, now),
                          " [--] " + rule + " "}));
}

void TestEngineDates::actualCut()
{
    Harness h;
    h.Options(false, true, false);
    h.Tasks(3);
    h.Current(1, DayCell(2024, 3, 1), DayCell(2024, 3, 10), Num(100), Num(1000), Num(0.5)); // cut at 4 Mar
    h.Current(2, DayCell(2024, 3, 6), DayCell(2024, 3, 8), Num(30), Num(30), Num(1));       // after the cut
    h.Current(3, DayCell(2024, 3, 1), DayCell(2024, 3, 2), Num(20), Num(40), Num(1));       // before it
    h.Validate();
    h.core.Settings.CutOffDate = Day(2024, 3, 4);
    h.core.ValidateCutOffDate();
    const TzyCurve& a = h.core.ACT();
    QCOMPARE(a.TaskFinish[1], Day(2024, 3, 4));
    QCOMPARE(a.TaskDays[1], 4);
    QCOMPARE(a.TaskMHPerDay[1], 12.5);
    QCOMPARE(a.TaskCostPerDay[1], 125.0);
    QCOMPARE(a.TaskDays[2], 0);
    QCOMPARE(a.TaskMHPerDay[2], 0.0);
    QCOMPARE(a.TaskFinish[2], Day(2024, 3, 4));
    QCOMPARE(a.TaskDays[3], 2);
    QCOMPARE(a.TaskMHPerDay[3], 10.0);
    // The per-task dates keep the uncut finish; so does the curve's.
    QCOMPARE(h.core.Tasks.Finish[1], Day(2024, 3, 10));
    QCOMPARE(a.FinishDate, Day(2024, 3, 10));
    QVERIFY(h.progress.lines().last().endsWith(QStringLiteral("Adjusting Task Finish Dates (Actual Data)... Complete. ")));
}

void TestEngineDates::durations()
{
    Harness h;
    h.Options(true, true, true);
    h.Tasks(3);
    h.Baseline(1, DayCell(2024, 3, 1), DayCell(2024, 3, 10));
    h.Current(2, DayCell(2024, 3, 5), DayCell(2024, 3, 20), Num(1), Num(1), Num(1));
    h.Current(3, DayCell(2024, 3, 15), DayCell(2024, 3, 18), Num(1), Num(1), Num(5)); // Target only
    h.core.Settings.CutOffDate = Day(2024, 3, 12);
    h.Validate();
    h.core.ValidateCutOffDate();
    QCOMPARE(h.core.BL().DurationTotal, 10);
    QCOMPARE(h.core.BL().DurationToDate, 10); // finished before the Cut Off Date
    QCOMPARE(h.core.ACT().DurationTotal, 16); // the uncut finish
    QCOMPARE(h.core.ACT().DurationToDate, 8);
    QCOMPARE(h.core.TGT().StartDate, Day(2024, 3, 5));
    h.core.Settings.CutOffDate = Day(2024, 3, 3);
    h.core.ValidateCutOffDate();
    QCOMPARE(h.core.ACT().DurationToDate, 0); // starts after the Cut Off Date
    QCOMPARE(h.core.BL().DurationToDate, 3);
}

void TestEngineDates::projectDays()
{
    // Disjoint curves: the table runs over the gap.
    Harness h;
    h.Options(true, false, true);
    h.Tasks(2);
    h.Baseline(1, DayCell(2024, 1, 1), DayCell(2024, 1, 3));
    h.Current(2, DayCell(2024, 1, 10), DayCell(2024, 1, 12), Num(1), Num(1));
    h.core.Settings.CutOffDate = Day(2024, 1, 5);
    h.Validate();
    h.core.ValidateCutOffDate();
    h.core.ProcessDates();
    const TzyDayTable& d = h.core.Days;
    QCOMPARE(d.ProjectStart, Day(2024, 1, 1));
    QCOMPARE(d.ProjectFinish, Day(2024, 1, 12));
    QCOMPARE(d.DayCount, 12);
    QCOMPARE(int(d.DayDates.size()), 13);
    for (int i = 1; i <= 12; ++i)
        QCOMPARE(d.DayDates[size_t(i)], Day(2024, 1, i));
    for (const auto& s : d.DaySeries) {
        QCOMPARE(int(s.size()), 13);
        for (double v : s)
            QCOMPARE(v, 0.0);
    }
    QVERIFY(h.progress.lines().last().endsWith(QStringLiteral("Processing Start and Finish Dates... Complete. ")));
}

void TestEngineDates::oneDayProject()
{
    Harness h;
    h.Options(true, false, false);
    h.Tasks(1);
    h.Baseline(1, DayCell(2024, 2, 29), DayCell(2024, 2, 29), Num(7));
    h.core.Settings.CutOffDate = Day(2030, 1, 1);
    h.core.CalculateAll();
    QCOMPARE(h.core.Settings.CutOffDate, Day(2024, 2, 29));
    QCOMPARE(h.core.Days.DayCount, 1);
    QCOMPARE(h.core.BL().DurationTotal, 1);
    QCOMPARE(h.core.BL().DurationToDate, 1);
    QCOMPARE(h.core.BL().MHToDate, 7.0);
    QCOMPARE(h.core.Days.DaySeries[5][1], 1.0);
}

void TestEngineDates::spanLimit_data()
{
    QTest::addColumn<int>("finishYear");
    QTest::addColumn<int>("finishMonth");
    QTest::addColumn<int>("finishDay");
    QTest::addColumn<bool>("refused");
    // From 1 Jan 2000: 36,525 days end on 31 Dec 2099.
    QTest::newRow("exactly 100 years") << 2099 << 12 << 31 << false;
    QTest::newRow("a day more") << 2100 << 1 << 1 << true;
    QTest::newRow("year 9999") << 9999 << 12 << 31 << true;
}

void TestEngineDates::spanLimit()
{
    QFETCH(int, finishYear);
    QFETCH(int, finishMonth);
    QFETCH(int, finishDay);
    QFETCH(bool, refused);
    Harness h;
    h.Options(true, false, false);
    h.Tasks(2);
    h.Baseline(1, DayCell(2000, 1, 1), DayCell(2000, 1, 5));
    h.Baseline(2, DayCell(2001, 1, 1), DayCell(finishYear, finishMonth, finishDay));
    h.core.Settings.CutOffDate = Day(2000, 1, 3);
    h.Validate();
    h.core.ValidateCutOffDate();
    if (!refused) {
        h.core.ProcessDates();
        QCOMPARE(h.core.Days.DayCount, kMaxProjectDays);
        return;
    }
    h.progress.SetCancelled(true);
    h.core.Hooks.pollCancel = [] {};
    try {
        h.core.ProcessDates();
        QFAIL("no exception");
    } catch (const ZolError& e) {
        const QStringList paragraphs = e.message().split(QStringLiteral("\r\n\r\n"));
        QCOMPARE(paragraphs.size(), 4);
        QVERIFY(paragraphs[0].startsWith(QStringLiteral("The Tasks' dates span ")));
        QVERIFY(paragraphs[0].contains(QString::number(finishYear)));
        QCOMPARE(paragraphs[1], QStringLiteral("A project may span at most 36525 days (100 years)."));
        QCOMPARE(paragraphs[3], QStringLiteral("Data Source File: /data/tasks.xlsx"));
    }
    QVERIFY(!h.progress.Cancelled());
    QVERIFY(h.core.Days.DayDates.empty());
    for (const auto& s : h.core.Days.DaySeries)
        QVERIFY(s.empty());
}

void TestEngineDates::noValidCurve()
{
    Harness h;
    h.Options(true, true, false);
    h.Tasks(1);
    h.Validate();
    QVERIFY_THROWS_EXCEPTION(ZolError, h.core.ProcessDates());
    // No task at all.
    Harness empty;
    empty.Options(true, false, false);
    empty.Tasks(0);
    QVERIFY_THROWS_EXCEPTION(ZolError, empty.core.CalculateAll());
}

QTEST_GUILESS_MAIN(TestEngineDates)
#include "tst_engine_dates.moc"
