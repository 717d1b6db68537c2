// Task validation per curve, the check that some curve has data, the blank
// task test, and the progress line formats.
#include "tst_engine_support.h"
#include "Format.h"
#include "zyUIL.h"

#include <QtTest>

using namespace enginetest;

class TestEngineValidate : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitUILs(); }
    void cleanup() { StdDlg::setPrompter(nullptr); }
    void cells_data();
    void cells();
    void quantities_data();
    void quantities();
    void listAndDates();
    void blankTasks();
    void checkValidData_data();
    void checkValidData();
    void progressLines();
    void shapeMismatch();
    void stepFormats_data();
    void stepFormats();
};

void TestEngineValidate::cells_data()
{
    QTest::addColumn<int>("curve");
    QTest::addColumn<TzyCell>("start");
    QTest::addColumn<TzyCell>("finish");
    QTest::addColumn<TzyCell>("pct");
    QTest::addColumn<int>("days"); // 0: invalid
    const TzyCell d1 = DayCell(2024, 3, 1);
    const TzyCell d4 = DayCell(2024, 3, 4);
    for (int c : {int(cvBaseline), int(cvActual), int(cvTarget)}) {
        const QByteArray n = c == cvBaseline ? "BL " : c == cvActual ? "ACT " : "TGT ";
        QTest::newRow(n + "same day") << c << d1 << d1 << Num(0) << 1;
        QTest::newRow(n + "four days") << c << d1 << d4 << Num(0) << 4;
        QTest::newRow(n + "finish before start") << c << d4 << d1 << Num(0) << 0;
        QTest::newRow(n + "finish empty") << c << d1 << TzyCell() << Num(0) << 0;
        QTest::newRow(n + "time of day only") << c << Num(0.5) << d1 << Num(0) << 0;
        QTest::newRow(n + "1899-12-30") << c << Num(0) << d1 << Num(0) << 0;
        QTest::newRow(n + "fraction of a day dropped") << c << Num(Day(2024, 3, 1) + 0.75) << d1 << Num(0) << 1;
        QTest::newRow(n + "date typed as text") << c << Txt("2024-03-01") << Txt(" 2024-03-04 ") << Num(0) << 4;
        QTest::newRow(n + "text no date") << c << Txt("soon") << d1 << Num(0) << 0;
        QTest::newRow(n + "text too short") << c << Txt("1") << d1 << Num(0) << 0;
        QTest::newRow(n + "time as text") << c << Txt("12:30") << d1 << Num(0) << 0;
        QTest::newRow(n + "blanks") << c << Txt("   ") << d1 << Num(0) << 0;
        QTest::newRow(n + "number beyond the calendar") << c << d1 << Num(1e300) << Num(0) << 0;
        QTest::newRow(n + "not a number") << c << d1 << Num(std::nan("")) << Num(0) << 0;
    }
    // % Complete matters to Actual only.
    for (int c : {int(cvActual), int(cvTarget)}) {
        const QByteArray n = c == cvActual ? "ACT " : "TGT ";
        const int outOfRange = c == cvActual ? 0 : 4;
        QTest::newRow(n + "0%") << c << d1 << d4 << Num(0) << 4;
        QTest::newRow(n + "100%") << c << d1 << d4 << Num(1) << 4;
        QTest::newRow(n + "101%") << c << d1 << d4 << Num(1.01) << outOfRange;
        QTest::newRow(n + "-1%") << c << d1 << d4 << Num(-0.01) << outOfRange;
        QTest::newRow(n + "text 50% reads 50") << c << d1 << d4 << Txt("50%") << outOfRange;
        QTest::newRow(n + "text 0.5") << c << d1 << d4 << Txt("0.5") << 4;
        QTest::newRow(n + "blank reads 0") << c << d1 << d4 << TzyCell() << 4;
    }
}

void TestEngineValidate::cells()
{
    QFETCH(int, curve);
    QFETCH(TzyCell, start);
    QFETCH(TzyCell, finish);
    QFETCH(TzyCell, pct);
    QFETCH(int, days);
    Harness h;
    h.Options(curve == cvBaseline, curve == cvActual, curve == cvTarget);
    h.Tasks(1);
    if (curve == cvBaseline)
        h.Baseline(1, start, finish, Num(100), Num(10));
    else
        h.Current(1, start, finish, Num(100), Num(10), pct);
    h.Validate();
    const TzyCurve& cv = h.core.Curves[size_t(curve)];
    QCOMPARE(cv.ValidCount, days > 0 ? 1 : 0);
    QCOMPARE(cv.InvalidCount, days > 0 ? 0 : 1);
    QCOMPARE(bool(h.core.Tasks.Valid(curve)[1]), days > 0);
    if (days > 0) {
        QCOMPARE(cv.TaskDays[1], days);
        QCOMPARE(cv.TaskFinish[1] - cv.TaskStart[1] + 1, days);
        QCOMPARE(cv.Task[1], 1);
        if (curve != cvActual)
            QCOMPARE(cv.TaskMHPerDay[1], 100.0 / days);
        else
            QCOMPARE(cv.TaskMHPerDay[1], 0.0); // set once the Cut Off Date is fixed
    }
}

void TestEngineValidate::quantities_data()
{
    QTest::addColumn<TzyCell>("mh");
    QTest::addColumn<bool>("graphed");
    QTest::addColumn<double>("expected");
    QTest::newRow("number") << Num(80) << true << 80.0;
    QTest::newRow("blank") << TzyCell() << true << 0.0;
    QTest::newRow("text no number") << Txt("abc") << true << 0.0;
    QTest::newRow("text with separators") << Txt("1,234.5") << true << 1234.5;
    QTest::newRow("not graphed") << Num(80) << false << 0.0;
}

void TestEngineValidate::quantities()
{
    QFETCH(TzyCell, mh);
    QFETCH(bool, graphed);
    QFETCH(double, expected);
    Harness h;
    h.Options(true, false, true, graphed, true);
    h.Tasks(1);
    h.Baseline(1, DayCell(2024, 3, 1), DayCell(2024, 3, 2), mh, Num(5));
    h.Current(1, DayCell(2024, 3, 1), DayCell(2024, 3, 2), mh, Num(5));
    h.Validate();
    for (int c : {int(cvBaseline), int(cvTarget)}) {
        const TzyCurve& cv = h.core.Curves[size_t(c)];
        QCOMPARE(cv.ValidCount, 1); // a bad quantity never makes a task invalid
        QCOMPARE(cv.TaskMH[1], expected);
        QCOMPARE(cv.TaskMHPerDay[1], expected / 2);
        QCOMPARE(cv.TaskCostPerDay[1], 2.5);
    }
    QCOMPARE(h.core.Tasks.MH[1], expected);
}

void TestEngineValidate::listAndDates()
{
    Harness h;
    h.Options(true, true, true);
    h.Tasks(5, 1);
    h.core.Settings.FilterEnabled = true;
    h.core.Settings.FilterRows = {TzyFilterRow{true, FilterOp::foNotEquals, QStringLiteral("out")}};
    h.Baseline(1, DayCell(2024, 3, 5), DayCell(2024, 3, 9));
    h.Baseline(2, DayCell(2024, 3, 1), DayCell(2024, 3, 3));
    h.Baseline(3, DayCell(2024, 2, 1), DayCell(2024, 12, 1)); // outside the filter
    h.Baseline(5, DayCell(2024, 3, 2), DayCell(2024, 3, 20));
    h.core.Tasks.FilterVals[0][3] = QStringLiteral("OUT");
    h.Current(1, DayCell(2024, 3, 6), DayCell(2024, 3, 7), Num(1), Num(1), Num(2)); // Target only
    h.Current(2, DayCell(2024, 3, 4), DayCell(2024, 3, 8), Num(3), Num(4), Num(0.5));
    h.Validate();
    const TzyCurve& bl = h.core.BL();
    QCOMPARE(bl.ValidCount, 3);
    QCOMPARE(bl.InvalidCount, 1); // task 4; task 3 is outside the filter
    QCOMPARE(bl.Task[1], 1);
    QCOMPARE(bl.Task[2], 2);
    QCOMPARE(bl.Task[3], 5);
    QCOMPARE(bl.StartDate, Day(2024, 3, 1));
    QCOMPARE(bl.FinishDate, Day(2024, 3, 20));
    QCOMPARE(int(bl.Task.size()), 6);
    QCOMPARE(bl.TaskStart[4], h.core.Settings.ReportDate); // unused entries
    QCOMPARE(h.core.Tasks.BLStart[5], Day(2024, 3, 2));
    QCOMPARE(h.core.ACT().ValidCount, 1);
    QCOMPARE(h.core.ACT().InvalidCount, 3);
    QCOMPARE(h.core.ACT().TaskPctComplete[1], 0.5);
    QCOMPARE(h.core.TGT().ValidCount, 2);
    QVERIFY(!h.core.Tasks.ValidACT[1]);
    QVERIFY(h.core.Tasks.ValidTGT[1]);
    QCOMPARE(h.core.Tasks.Start[1], Day(2024, 3, 6));
    QCOMPARE(h.core.TGT().StartDate, Day(2024, 3, 4));
    QCOMPARE(h.core.TGT().FinishDate, Day(2024, 3, 8));

    // No valid task: both dates are the report date.
    Harness none;
    none.Options(true, false, false);
    none.Tasks(1);
    none.Validate();
    QCOMPARE(none.core.BL().StartDate, none.core.Settings.ReportDate);
    QCOMPARE(none.core.BL().FinishDate, none.core.Settings.ReportDate);
}

void TestEngineValidate::blankTasks()
{
    Harness h;
    h.Options(true, true, false);
    h.Tasks(3);
    h.Baseline(1, Txt("  "), TzyCell(), TzyCell(), TzyCell());
    h.Baseline(2, TzyCell(), TzyCell(), TzyCell(), Txt("x"));
    h.Current(3, TzyCell(), TzyCell(), TzyCell(), TzyCell(), Num(0)); // a number is never blank
    std::array<bool, 9> required{};
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8})
        required[size_t(i)] = true;
    required[3] = false; // Baseline Cost not read: task 2 is blank too
    h.core.MarkBlankTasks(required);
    QVERIFY(h.core.Tasks.TaskBlank[1]);
    QVERIFY(h.core.Tasks.TaskBlank[2]);
    QVERIFY(!h.core.Tasks.TaskBlank[3]);
    QCOMPARE(h.core.BL().InvalidCount, 2);
    QCOMPARE(h.core.ACT().InvalidCount, 2);
    QCOMPARE(h.core.TGT().InvalidCount, 0);
    h.Validate();
    // Blank tasks are not examined again.
    QCOMPARE(h.core.BL().InvalidCount, 3);
    QCOMPARE(h.core.ACT().InvalidCount, 3);
}

void TestEngineValidate::checkValidData_data()
{
    QTest::addColumn<QString>("generated"); // B, A, T
    QTest::addColumn<QString>("withData");
    QTest::addColumn<QString>("msgId"); // "" no dialog; "raise"
    QTest::addColumn<QStringList>("lines");
    const QString close;
    QTest::newRow("all with data") << "BAT" << "BAT" << "" << QStringList{};
    QTest::newRow("baseline lacking") << "BA" << "A" << "UP005"
                                      << QStringList{"Unable to generate Baseline Data.",
                                                     "No Tasks containing valid Baseline Data were found.", "",
                                                     "Please check the Data Source Map and Data Source Filter are "
                                                     "correct."};
    QTest::newRow("baseline and target lacking")
        << "BAT" << "A" << "UP007"
        << QStringList{"Unable to generate Baseline Data.", "No Tasks containing valid Baseline Data were found.", "",
                       "Unable to generate Target Data.", "No Tasks containing valid Target Data were found.", "",
                       "Please check the Data Source Map and Data Source Filter are correct."};
    QTest::newRow("actual lacking") << "AT" << "T" << "UP006"
                                    << QStringList{"Unable to generate Actual Data.",
                                                   "No Tasks containing valid Actual Data were found.", "",
                                                   "Please check the Data Source Map and Data Source Filter are "
                                                   "correct."};
    QTest::newRow("every curve lacking") << "BAT" << "" << "raise" << QStringList{};
    QTest::newRow("one curve lacking") << "T" << "" << "raise" << QStringList{};
    QTest::newRow("nothing generated") << "" << "" << "raise" << QStringList{};
}

void TestEngineValidate::checkValidData()
{
    QFETCH(QString, generated);
    QFETCH(QString, withData);
    QFETCH(QString, msgId);
    QFETCH(QStringList, lines);
    RecordingPrompter prompter;
    StdDlg::setPrompter(&prompter);
    Harness h;
    h.Options(generated.contains('B'), generated.contains('A'), generated.contains('T'));
    h.core.BL().ValidCount = withData.contains('B');
    h.core.ACT().ValidCount = withData.contains('A');
    h.core.TGT().ValidCount = withData.contains('T');
    if (msgId == QLatin1String("raise")) {
        try {
            h.core.CheckValidData(QStringLiteral("Tasks"));
            QFAIL("no exception");
        } catch (const ZolError& e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to extract any valid Tasks from the Data Source File.\r\n\r\n"
                                                 "Please check the Data Source File, and/or Data Source Map.\r\n\r\n"
                                                 "/data/tasks.xlsx"));
        }
        QVERIFY(prompter.requests.isEmpty());
        return;
    }
    h.core.CheckValidData(QStringLiteral("Tasks"));
    if (msgId.isEmpty()) {
        QVERIFY(prompter.requests.isEmpty());
        return;
    }
    QCOMPARE(prompter.requests.size(), 1);
    const StdDlg::Request& r = prompter.requests[0];
    QCOMPARE(r.level, int(StdDlg::Warning));
    QCOMPARE(r.msgId, msgId);
    QCOMPARE(r.lines, lines);
    QCOMPARE(r.buttons[2].caption, QStringLiteral("&Close"));
    QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));
}

void TestEngineValidate::progressLines()
{
    Harness h;
    h.Options(true, true, false);
    h.Tasks(400);
    h.Validate();
    QCOMPARE(h.progress.lines(),
             (QStringList{" [01] Validating Task (Baseline S Curve): 400 of 400... Complete. ",
                          " [02] Processing Start and Finish Dates (Baseline S Curve)... Complete. ",
                          " [03] Validating Task (Actual S Curve): 400 of 400... Complete. ",
                          " [04] Processing Start and Finish Dates (Actual S Curve)... Complete. "}));
    // Filter entry, then per curve: entry and tasks 150 and 300.
    QCOMPARE(h.polls, 1 + 2 * 3);
}

void TestEngineValidate::shapeMismatch()
{
    Harness h;
    h.Options(true, false, false);
    h.Tasks(3);
    h.core.Tasks.BLFinishText.resize(2); // a fault of the caller, not a crash
    h.progress.SetCancelled(true);
    h.core.Hooks.pollCancel = [] {};
    QVERIFY_THROWS_EXCEPTION(std::logic_error, h.core.ValidateBaseline());
    QVERIFY(!h.progress.Cancelled());
}

void TestEngineValidate::stepFormats_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("noStep");
    QTest::addColumn<QString>("fifth");
    QTest::newRow("1") << 1 << " [%.1d] %s " << " [-] %s " << " [5] Text ";
    QTest::newRow("9") << 9 << " [%.1d] %s " << " [-] %s " << " [5] Text ";
    QTest::newRow("10") << 10 << " [%.2d] %s " << " [--] %s " << " [05] Text ";
    QTest::newRow("85") << 85 << " [%.2d] %s " << " [--] %s " << " [05] Text ";
    QTest::newRow("99") << 99 << " [%.2d] %s " << " [--] %s " << " [05] Text ";
    QTest::newRow("100") << 100 << " [%.3d] %s " << " [---] %s " << " [005] Text ";
    QTest::newRow("999") << 999 << " [%.3d] %s " << " [---] %s " << " [005] Text ";
}

void TestEngineValidate::stepFormats()
{
    QFETCH(int, count);
    QFETCH(QString, step);
    QFETCH(QString, noStep);
    QFETCH(QString, fifth);
    TzyStepFormats f;
    QString a = QStringLiteral("x");
    f.GetStepFormat(a);
    QVERIFY(a.isEmpty());
    f.SetStepFormats(count);
    QString s, n;
    f.GetStepFormat(s);
    f.GetNoStepFormat(n);
    QCOMPARE(s, step);
    QCOMPARE(n, noStep);
    QCOMPARE(Utils::Format(s, {5, QStringLiteral("Text")}), fifth);
    // Counts outside the table keep the last choice.
    for (int other : {0, -3, 1000}) {
        f.SetStepFormats(other);
        QCOMPARE(f.StepFmt, step);
        QCOMPARE(f.NoStepFmt, noStep);
    }
}

QTEST_GUILESS_MAIN(TestEngineValidate)
#include "tst_engine_validate.moc"
