// Task filtering: the fourteen operators on displayed texts, the And/Or
// joins, and what the filter marks and counts.
#include "tst_engine_support.h"
#include "Utils.h"
#include "zyUIL.h"

#include <QtTest>

using namespace enginetest;

class TestEngineFilter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitUILs(); }
    void operators_data();
    void operators();
    void joins_data();
    void joins();
    void marksAndCounts();
    void disabled();
    void noTaskInFilter();
    void blankTaskKeepsTheRunGoing();
    void progressAndPolls();
    void defaultHooks();
};

void TestEngineFilter::operators_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("passes");
    auto row = [](const char* name, int op, const QString& c, const QString& v, bool p) {
        QTest::newRow(name) << op << c << v << p;
    };
    row("equals, case a-z", FilterOp::foEquals, "ABC", "abc", true);
    row("equals, accents keep case", FilterOp::foEquals, QStringLiteral("é"), QStringLiteral("É"), false);
    row("equals, empty value, empty cell", FilterOp::foEquals, "", "", true);
    row("equals, empty value, filled cell", FilterOp::foEquals, "x", "", false);
    row("equals, value's trailing blank", FilterOp::foEquals, "abc", "abc ", false);
    row("not equals", FilterOp::foNotEquals, "abc", "abd", true);
    row("not equals, same", FilterOp::foNotEquals, "Abc", "aBC", false);
    row("less, texts not numbers", FilterOp::foLessThan, "10", "9", true);
    row("less, separator kept", FilterOp::foLessThan, "1,000", "1.5", true);
    row("less, prefix sorts first", FilterOp::foLessThan, "ab", "abc", true);
    row("less, equal", FilterOp::foLessThan, "abc", "ABC", false);
    row("less or equal, equal", FilterOp::foLessThanOrEqual, "abc", "ABC", true);
    row("less or equal, after", FilterOp::foLessThanOrEqual, "b", "a", false);
    row("greater", FilterOp::foGreaterThan, "b", "A", true);
    row("greater, equal", FilterOp::foGreaterThan, "a", "a", false);
    row("greater, code units", FilterOp::foGreaterThan, "[", "Z", true);
    row("greater or equal, equal", FilterOp::foGreaterThanOrEqual, "a", "A", true);
    row("greater or equal, before", FilterOp::foGreaterThanOrEqual, "9", "90", false);
    row("is blank, empty", FilterOp::foIsBlank, "", "ignored", true);
    row("is blank, a blank shows", FilterOp::foIsBlank, " ", "", false);
    row("is not blank", FilterOp::foIsNotBlank, "x", "", true);
    row("is not blank, empty", FilterOp::foIsNotBlank, "", "x", false);
    row("starts with", FilterOp::foStartsWith, "Civil Works", "CIVIL", true);
    row("starts with, cell shorter", FilterOp::foStartsWith, "CI", "CIVIL", false);
    row("starts with, empty value", FilterOp::foStartsWith, "anything", "", true);
    row("does not start with", FilterOp::foNotStartsWith, "Mech", "civ", true);
    row("does not start with, empty value", FilterOp::foNotStartsWith, "anything", "", false);
    row("ends with", FilterOp::foEndsWith, "Area 51", "51", true);
    row("ends with, empty value", FilterOp::foEndsWith, "", "", true);
    row("ends with, cell shorter", FilterOp::foEndsWith, "1", "51", false);
    row("does not end with", FilterOp::foNotEndsWith, "Area 52", "51", true);
    row("contains", FilterOp::foContains, "Phase Two Piping", "two", true);
    row("contains, empty value", FilterOp::foContains, "abc", "", false);
    row("contains, absent", FilterOp::foContains, "abc", "d", false);
    row("does not contain", FilterOp::foNotContains, "abc", "d", true);
    row("does not contain, empty value", FilterOp::foNotContains, "abc", "", true);
    row("does not contain, present", FilterOp::foNotContains, "abc", "B", false);
    row("unknown code works as equals", 99, "a", "A", true);
}

void TestEngineFilter::operators()
{
    QFETCH(int, op);
    QFETCH(QString, cell);
    QFETCH(QString, value);
    QFETCH(bool, passes);
    Harness h;
    h.Options(true, false, false);
    h.core.Settings.FilterEnabled = true;
    h.core.Settings.FilterRows = {TzyFilterRow{true, op, value}};
    h.Tasks(2, 1);
    h.Baseline(1, DayCell(2024, 1, 1), DayCell(2024, 1, 2));
    h.Baseline(2, DayCell(2024, 1, 1), DayCell(2024, 1, 2));
    h.core.Tasks.FilterVals[0][1] = cell;
    // Task 2 passes every operator's opposite, so the run never stops here.
    h.core.Tasks.TaskBlank[2] = 1;
    h.core.FilterTasks();
    QCOMPARE(bool(h.core.Tasks.InFilter[1]), passes);
    QCOMPARE(TzyEngineCore::FilterCondition(op, Utils::AsciiUpper(cell), Utils::AsciiUpper(value)), passes);
}

void TestEngineFilter::joins_data()
{
    QTest::addColumn<QString>("joins"); // rows 2.. : A(nd) / O(r)
    QTest::addColumn<QString>("conds"); // 1 true, 0 false, per row
    QTest::addColumn<bool>("passes");
    QTest::newRow("one row, true") << "" << "1" << true;
    QTest::newRow("one row, false") << "" << "0" << false;
    QTest::newRow("A") << "A" << "10" << false;
    QTest::newRow("A, both") << "A" << "11" << true;
    QTest::newRow("O") << "O" << "01" << true;
    QTest::newRow("O A: c1 false, c2 true, c3 false") << "OA" << "010" << false;
    QTest::newRow("O A: c1 true") << "OA" << "100" << true;
    QTest::newRow("O A: c2 and c3") << "OA" << "011" << true;
    QTest::newRow("A O: c3 alone") << "AO" << "001" << true;
    QTest::newRow("A O: c1 alone") << "AO" << "100" << false;
    QTest::newRow("A O A: second group") << "AOA" << "0011" << true;
    QTest::newRow("A O A: halves") << "AOA" << "1001" << false;
    QTest::newRow("O A A O: middle group") << "OAAO" << "01110" << true;
    QTest::newRow("O A A O: middle broken") << "OAAO" << "01010" << false;
    QTest::newRow("O A A O: last") << "OAAO" << "00001" << true;
    QTest::newRow("A A A A: all") << "AAAA" << "11111" << true;
    QTest::newRow("A A A A: one false") << "AAAA" << "11101" << false;
}

void TestEngineFilter::joins()
{
    QFETCH(QString, joins);
    QFETCH(QString, conds);
    QFETCH(bool, passes);
    Harness h;
    h.Options(true, false, false);
    h.core.Settings.FilterEnabled = true;
    const int rows = int(conds.size());
    h.Tasks(2, rows);
    for (int r = 0; r < rows; ++r) {
        // Row r: Equals "Y"; the task's cell shows y (true) or n (false).
        const bool andFlag = r == 0 ? false : joins[r - 1] == QLatin1Char('A');
        h.core.Settings.FilterRows.push_back(TzyFilterRow{andFlag, FilterOp::foEquals, QStringLiteral("Y")});
        h.core.Tasks.FilterVals[size_t(r)][1] = conds[r] == QLatin1Char('1') ? QStringLiteral("y") : QStringLiteral("n");
        h.core.Tasks.FilterVals[size_t(r)][2] = QStringLiteral("y");
    }
    h.core.FilterTasks();
    QCOMPARE(bool(h.core.Tasks.InFilter[1]), passes);
    QVERIFY(h.core.Tasks.InFilter[2]);
}

void TestEngineFilter::marksAndCounts()
{
    Harness h;
    h.Options(true, false, true);
    h.core.Settings.FilterEnabled = true;
    h.core.Settings.FilterRows = {TzyFilterRow{true, FilterOp::foStartsWith, QStringLiteral("civ")}};
    h.Tasks(5, 1);
    const QStringList cells{"Civil", "Mech", "civic", "", "Elec"};
    for (int t = 1; t <= 5; ++t)
        h.core.Tasks.FilterVals[0][size_t(t)] = cells[t - 1];
    h.core.Tasks.TaskBlank[4] = 1; // never evaluated, stays in
    h.core.Tasks.TasksIgnored = 0;
    h.core.FilterTasks();
    const std::vector<char> in{1, 1, 0, 1, 1, 0};
    for (int t = 1; t <= 5; ++t)
        QCOMPARE(h.core.Tasks.InFilter[size_t(t)], in[size_t(t)]);
    QCOMPARE(h.core.Tasks.TasksNotInFilter, 2);
    QCOMPARE(h.core.Tasks.TasksProcessed, 3);
    // Candidates for each generated curve: in the filter and not blank.
    for (int t = 1; t <= 5; ++t) {
        const bool candidate = in[size_t(t)] && t != 4;
        QCOMPARE(bool(h.core.Tasks.ValidBL[size_t(t)]), candidate);
        QCOMPARE(bool(h.core.Tasks.ValidTGT[size_t(t)]), candidate);
        QVERIFY(!h.core.Tasks.ValidACT[size_t(t)]);
    }
}

void TestEngineFilter::disabled()
{
    Harness h;
    h.Options(true, true, false);
    h.core.Settings.FilterRows = {TzyFilterRow{true, FilterOp::foEquals, QStringLiteral("nothing matches")}};
    h.Tasks(3);
    h.core.Tasks.TaskBlank[2] = 1;
    h.core.FilterTasks();
    for (int t = 1; t <= 3; ++t)
        QVERIFY(h.core.Tasks.InFilter[size_t(t)]);
    QCOMPARE(h.core.Tasks.TasksNotInFilter, 0);
    QCOMPARE(h.core.Tasks.TasksProcessed, 0);
    QVERIFY(h.progress.lines().isEmpty());
    QCOMPARE(h.polls, 1);
}

void TestEngineFilter::noTaskInFilter()
{
    Harness h;
    h.Options(true, false, false);
    h.core.Settings.FilterEnabled = true;
    h.core.Settings.FilterRows = {TzyFilterRow{true, FilterOp::foContains, QStringLiteral("zz")}};
    h.core.Settings.FilterDetails = QStringLiteral("Area Contains zz");
    h.Tasks(2, 1);
    h.progress.SetCancelled(true);
    h.core.Hooks.pollCancel = [] {}; // the flag is left to the frame
    try {
        h.core.FilterTasks();
        QFAIL("no exception");
    } catch (const ZolError& e) {
        QCOMPARE(e.message(),
                 QStringLiteral("Unable to extract any valid Tasks from the Data Source File that match the Filter "
                                "Criteria.\r\n\r\nData Source File: /data/tasks.xlsx\r\n\r\nTask Worksheet: Tasks"
                                "\r\n\r\nFilter Details: Area Contains zz\r\n\r\nPlease check the Data Source File, "
                                "and/or Data Source Filter."));
    }
    QVERIFY(!h.progress.Cancelled());
    QCOMPARE(h.core.Tasks.TasksNotInFilter, 2);

    // No task at all: nothing passes either.
    Harness none;
    none.Options(true, false, false);
    none.core.Settings.FilterEnabled = true;
    none.core.Settings.FilterRows = {TzyFilterRow{true, FilterOp::foIsBlank, QString()}};
    none.Tasks(0, 1);
    QVERIFY_THROWS_EXCEPTION(ZolError, none.core.FilterTasks());
}

void TestEngineFilter::blankTaskKeepsTheRunGoing()
{
    Harness h;
    h.Options(true, false, false);
    h.core.Settings.FilterEnabled = true;
    h.core.Settings.FilterRows = {TzyFilterRow{true, FilterOp::foEquals, QStringLiteral("x")}};
    h.Tasks(2, 1);
    h.core.Tasks.FilterVals[0][1] = QStringLiteral("y");
    h.core.Tasks.TaskBlank[2] = 1;
    h.core.FilterTasks();
    QCOMPARE(h.core.Tasks.TasksNotInFilter, 1);
    QVERIFY(!h.core.Tasks.ValidBL[2]);
}

void TestEngineFilter::progressAndPolls()
{
    Harness h;
    h.Options(true, false, false);
    h.core.Settings.FilterEnabled = true;
    h.core.Settings.FilterRows = {TzyFilterRow{true, FilterOp::foIsNotBlank, QString()}};
    h.Tasks(1000, 1);
    for (int t = 1; t <= 1000; ++t)
        h.core.Tasks.FilterVals[0][size_t(t)] = QString::number(t);
    h.core.FilterTasks();
    QCOMPARE(h.polls, 1 + 1000 / 150);
    QCOMPARE(h.progress.lines(), QStringList{QStringLiteral(" [01] Filtering Task: 1000 of 1000... Complete. ")});
    QVERIFY(!h.progress.stepVisible());

    // A cancel at the third poll (task 300) stops the loop and clears the flag.
    Harness c;
    c.Options(true, false, false);
    c.core.Settings.FilterEnabled = true;
    c.core.Settings.FilterRows = h.core.Settings.FilterRows;
    c.Tasks(1000, 1);
    c.cancelAt = 3;
    c.progress.SetCancelled(true);
    QVERIFY_THROWS_EXCEPTION(OperationAborted, c.core.FilterTasks());
    QVERIFY(!c.progress.Cancelled());
    QCOMPARE(c.progress.lines().last(), QStringLiteral(" [01] Filtering Task: 300 of 1000... "));
}

void TestEngineFilter::defaultHooks()
{
    // Without hooks the core writes to the progress display in use and polls
    // through it.
    MemoryProgress display;
    int pumps = 0;
    Progress::setForm(&display);
    Progress::setPump([&pumps] { ++pumps; });
    TzyEngineCore core;
    core.Settings.GenerateBL = true;
    core.Settings.FilterEnabled = true;
    core.Settings.FilterRows = {TzyFilterRow{true, FilterOp::foIsBlank, QString()}};
    core.Tasks.Resize(300, 1);
    core.FilterTasks();
    QCOMPARE(pumps, 3);
    QCOMPARE(display.lines().size(), 1);
    QVERIFY(display.lines()[0].endsWith(QStringLiteral("Filtering Task: 300 of 300... Complete. ")));
    display.SetCancelled(true);
    QVERIFY_THROWS_EXCEPTION(OperationAborted, core.FilterTasks());
    QVERIFY(!display.Cancelled());
    QCOMPARE(display.lines().size(), 1);
    Progress::setForm(nullptr);
    Progress::setPump({});
}

QTEST_GUILESS_MAIN(TestEngineFilter)
#include "tst_engine_filter.moc"
