// The Data Source Map's row tests, the key filter of task field cells, and
// the refill of descriptions with its counters.
#include "MapRules.h"
#include "ModelTestKit.h"
#include "TaskFieldRules.h"

#include <QtTest>

using namespace TaskFieldRules;

namespace {

// Nine rows as the map names them; `cols` holds the task fields and
// `required` the rows (1-based) the options require.
std::vector<MapRules::MapRow> mapRows(const QStringList& cols, const QList<int>& required)
{
    std::vector<MapRules::MapRow> rows;
    for (int i = 1; i <= 9; ++i)
        rows.push_back({Utils::Format(UIT(626), {UIT(627 + i)}), cols.value(i - 1), required.contains(i)});
    return rows;
}

QString flagsText(const RowFlags& f)
{
    QStringList s;
    for (size_t i = 0; i < f.size(); ++i)
        if (f[i].flagged)
            s << QString::number(i + 1);
    return s.join(QLatin1Char(','));
}

} // namespace

class TstMapRules : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { kit::initGlobals(); }

    void rowTests_data()
    {
        QTest::addColumn<QStringList>("cols");
        QTest::addColumn<QList<int>>("required");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("flagged");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("hint");
        const QString xlsx = QStringLiteral("/data/plan.xlsx");
        QTest::newRow("required empty") << QStringList{} << QList<int>{5} << xlsx << "5" << 5
                                        << "The Start Date Task Field is undefined.";
        QTest::newRow("optional empty passes") << QStringList{} << QList<int>{} << xlsx << "" << 0 << "";
        QTest::newRow("duplicate flags the later row")
            << QStringList{"C", "", "", "", "c"} << QList<int>{} << xlsx << "5" << 5
            << "The Start Date Task Field is the same as the Baseline Start Date Task Field.";
        QTest::newRow("third repeat flagged too")
            << QStringList{"C", "", "", "", "C", "", "C"} << QList<int>{} << xlsx << "5,7" << 7
            << "The Man Hours Task Field is the same as the Start Date Task Field.";
        QTest::newRow("beyond xlsx") << QStringList{"XFE"} << QList<int>{1} << xlsx << "1" << 1
                                     << "The Baseline Start Date Task Field is invalid.\nValid Range: A..XFD";
        QTest::newRow("xls limits to IV") << QStringList{"", "IW"} << QList<int>{} << "/data/plan.XLS" << "2" << 2
                                          << "The Baseline Finish Date Task Field is invalid.\nValid Range: A..IV";
        QTest::newRow("IV fits xls") << QStringList{"IV"} << QList<int>{1} << "/data/plan.xls" << "" << 0 << "";
        QTest::newRow("digits invalid") << QStringList{"", "", "", "", "", "", "", "", "A1"} << QList<int>{}
                                        << xlsx << "9" << 9
                                        << "The % Complete Task Field is invalid.\nValid Range: A..XFD";
        QTest::newRow("four letters") << QStringList{"ABCD"} << QList<int>{1} << xlsx << "1" << 1
                                      << "The Baseline Start Date Task Field is invalid.\nValid Range: A..XFD";
    }
    void rowTests()
    {
        QFETCH(QStringList, cols);
        QFETCH(QList<int>, required);
        QFETCH(QString, file);
        QFETCH(QString, flagged);
        QFETCH(int, row);
        QFETCH(QString, hint);
        kit::Excel excel(7);
        const RowFlags f = MapRules::TestRows(file, mapRows(cols, required));
        QCOMPARE(int(f.size()), 9);
        QCOMPARE(flagsText(f), flagged);
        if (row > 0)
            QCOMPARE(f[size_t(row - 1)].hint, hint);
    }

    // Spreadsheet 97-2003 installed: A..IV whatever the extension.
    void olderSpreadsheetLimits()
    {
        kit::Excel excel(4);
        QCOMPARE(LastColumn(QStringLiteral("/d/a.xlsx")), QStringLiteral("IV"));
        const RowFlags f = MapRules::TestRows(QStringLiteral("/d/a.xlsx"), mapRows({"IW"}, {1}));
        QCOMPARE(flagsText(f), QStringLiteral("1"));
        excel.set(7);
        QCOMPARE(LastColumn(QStringLiteral("/d/a.xlsx")), QStringLiteral("XFD"));
        QCOMPARE(LastColumn(QStringLiteral("/d/a.Xls")), QStringLiteral("IV"));
        excel.set(0);
        QCOMPARE(LastColumn(QStringLiteral("/d/a.xls")), QStringLiteral("XFD"));
    }

    void keyFilter_data()
    {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<QChar>("out");
        QTest::newRow("capital") << QChar('Q') << true << QChar('Q');
        QTest::newRow("lower made capital") << QChar('q') << true << QChar('Q');
        QTest::newRow("z") << QChar('z') << true << QChar('Z');
        QTest::newRow("digit") << QChar('1') << false << QChar('1');
        QTest::newRow("blank") << QChar(' ') << false << QChar(' ');
        QTest::newRow("accented") << QChar(0xE9) << false << QChar(0xE9);
        QTest::newRow("backspace") << QChar(8) << true << QChar(8);
        QTest::newRow("enter") << QChar(13) << true << QChar(13);
        QTest::newRow("esc") << QChar(27) << true << QChar(27);
        QTest::newRow("tab") << QChar(9) << false << QChar(9);
    }
    void keyFilter()
    {
        QFETCH(QChar, key);
        QFETCH(bool, allowed);
        QFETCH(QChar, out);
        const KeyVerdict v = FilterColumnKey(key);
        QCOMPARE(v.allowed, allowed);
        QCOMPARE(v.key, out);
    }

    void balloon()
    {
        QCOMPARE(RefusedKeyBalloon(UIT(624), QStringLiteral("IV")),
                 QStringLiteral("Please enter a valid Task Field.\nValid Range: A..IV"));
    }

    void descriptionUpdate()
    {
        const FieldList header = {{"A", "Task"}, {"B", "Start\nDate"}, {"C", "Finish"}};
        const DescUpdate u = UpdateDescriptions({"b", "", "ZZ", "D", " a ", "XFE"}, header, 16384);
        QCOMPARE(u.descriptions, (QStringList{"Start Date", "", "", "", "Task", ""}));
        QCOMPARE(u.counters.updated, 2);
        QCOMPARE(u.counters.notFound, 2); // ZZ and D lie beyond the used range
        QCOMPARE(u.counters.invalid, 1);  // XFE lies beyond the format
        QCOMPARE(u.counters.undefined, 1);
        QCOMPARE(DescReportLines(u.counters),
                 (QStringList{"Task Field Descriptions Updated: 2", "", "Task Fields Not Found: 2", "",
                              "Invalid Task Fields: 1", "", "Undefined Task Fields: 1"}));
        // Against an old format ZZZ is invalid, not missing.
        QCOMPARE(UpdateDescriptions({"ZZZ"}, header, 256).counters.invalid, 1);
        DescCounters none;
        QCOMPARE(DescReportLines(none), QStringList{"Task Field Descriptions Updated: 0"});
        QVERIFY(!AnyTaskField({"", "  ", QString()}));
        QVERIFY(AnyTaskField({"", " a"}));
    }
};

QTEST_GUILESS_MAIN(TstMapRules)
#include "tst_map_rules.moc"
