// The Data Source Filter as data: link rules of insert, move and delete,
// compaction, "Please Select..." clean-up, defaults, the row tests by
// message, the value header by operator, and round trips through the
// definition's filter.
#include "FilterRules.h"
#include "ModelTestKit.h"
#include "zyDSF.h"

#include <QtTest>

using namespace FilterRules;

namespace {

// A row written as "link|tf|desc|op|value"; list indexes follow the texts.
Row row(const QString& text)
{
    const QStringList p = text.split(QLatin1Char('|'));
    Row r;
    r.link = p.value(0);
    r.taskFld = p.value(1);
    r.desc = p.value(2);
    r.op = p.value(3);
    r.value = p.value(4);
    r.linkIndex = ItemOf(LinkItems(), r.link);
    r.opIndex = ItemOf(OperatorItems(), r.op);
    return r;
}

Grid grid(const QStringList& texts)
{
    Grid g;
    for (int i = 0; i < texts.size() && i < Rows; ++i)
        g[size_t(i)] = row(texts.at(i));
    return g;
}

// The grid as "link|tf|op/..." rows, the link index shown after the link.
QString show(const Grid& g)
{
    QStringList out;
    for (const Row& r : g)
        out << QStringLiteral("%1:%2|%3|%4").arg(r.link).arg(r.linkIndex).arg(r.taskFld).arg(r.op);
    return out.join(QLatin1Char('/'));
}

QString flagged(const TestResult& t)
{
    QStringList s;
    for (int i = 0; i < Rows; ++i)
        if (t.rows[size_t(i)].flagged)
            s << QString::number(i + 1);
    return s.join(QLatin1Char(','));
}

} // namespace

class TstFilterRules : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { kit::initGlobals(); }

    void insertRow_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("asks");
        QTest::newRow("at row 1, old row 1 gets And")
            << QStringList{"|A||Equals|", "Or|B||Equals|"} << 1
            << ":-1||/And:1|A|Equals/Or:2|B|Equals/:-1||/:-1||" << false;
        QTest::newRow("in the middle keeps links")
            << QStringList{"|A||Equals|", "Or|B||Equals|", "And|C||Equals|"} << 2
            << ":-1|A|Equals/:-1||/Or:2|B|Equals/And:1|C|Equals/:-1||" << false;
        QTest::newRow("full grid loses row 5")
            << QStringList{"|A||Equals|", "Or|B||Equals|", "And|C||Equals|", "And|D||Equals|", "Or|E||Equals|"} << 2
            << ":-1|A|Equals/:-1||/Or:2|B|Equals/And:1|C|Equals/And:1|D|Equals" << true;
        QTest::newRow("at row 5 only empties row 5")
            << QStringList{"|A||Equals|", "", "", "", "Or|E||Equals|"} << 5
            << ":-1|A|Equals/:-1||/:-1||/:-1||/:-1||" << true;
        QTest::newRow("row without task field gets no link")
            << QStringList{"||desc||"} << 1 << ":-1||/:-1||/:-1||/:-1||/:-1||" << false;
    }
    void insertRow()
    {
        QFETCH(QStringList, before);
        QFETCH(int, at);
        QFETCH(QString, after);
        QFETCH(bool, asks);
        Grid g = grid(before);
        QCOMPARE(InsertLosesData(g), asks);
        InsertRow(g, at);
        QCOMPARE(show(g), after);
    }

    void deleteRow_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("after");
        QTest::newRow("row 1: row 2 moves up without its link")
            << QStringList{"|A||Equals|", "Or|B||Equals|", "And|C||Equals|"} << 1
            << ":-1|B|Equals/And:1|C|Equals/:-1||/:-1||/:-1||";
        QTest::newRow("row 3 of 5")
            << QStringList{"|A||Equals|", "Or|B||Equals|", "And|C||Equals|", "Or|D||Equals|", "And|E||Equals|"} << 3
            << ":-1|A|Equals/Or:2|B|Equals/Or:2|D|Equals/And:1|E|Equals/:-1||";
        QTest::newRow("row 5") << QStringList{"|A||Equals|", "", "", "", "Or|E||Equals|"} << 5
                               << ":-1|A|Equals/:-1||/:-1||/:-1||/:-1||";
    }
    void deleteRow()
    {
        QFETCH(QStringList, before);
        QFETCH(int, at);
        QFETCH(QString, after);
        Grid g = grid(before);
        DeleteRow(g, at);
        QCOMPARE(show(g), after);
    }

    void moves_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("after");
        const QStringList three{"|A||Equals|", "Or|B||Contains|x", "And|C||Is Blank|"};
        QTest::newRow("up from 2: row 1 drops the link, new row 2 gets And")
            << three << true << 2 << ":-1|B|Contains/And:1|A|Equals/And:1|C|Is Blank/:-1||/:-1||";
        QTest::newRow("up from 3 swaps the links")
            << three << true << 3 << ":-1|A|Equals/And:1|C|Is Blank/Or:2|B|Contains/:-1||/:-1||";
        QTest::newRow("down from 1 mirrors up from 2")
            << three << false << 1 << ":-1|B|Contains/And:1|A|Equals/And:1|C|Is Blank/:-1||/:-1||";
        QTest::newRow("down from 2 swaps the links")
            << three << false << 2 << ":-1|A|Equals/And:1|C|Is Blank/Or:2|B|Contains/:-1||/:-1||";
        QTest::newRow("empty row 1 moved down gets Please Select")
            << QStringList{"", "Or|B||Equals|"} << false << 1
            << ":-1|B|Equals/Please Select...:0||/:-1||/:-1||/:-1||";
        QTest::newRow("up from 1 does nothing") << three << true << 1
                                                << ":-1|A|Equals/Or:2|B|Contains/And:1|C|Is Blank/:-1||/:-1||";
        QTest::newRow("down from 5 does nothing") << three << false << 5
                                                  << ":-1|A|Equals/Or:2|B|Contains/And:1|C|Is Blank/:-1||/:-1||";
    }
    void moves()
    {
        QFETCH(QStringList, before);
        QFETCH(bool, up);
        QFETCH(int, at);
        QFETCH(QString, after);
        Grid g = grid(before);
        up ? MoveUp(g, at) : MoveDown(g, at);
        QCOMPARE(show(g), after);
        // The value travels with its row.
        if (at == 2 && up)
            QCOMPARE(g[0].value, QStringLiteral("x"));
    }

    void compactAndCleanUp()
    {
        Grid g = grid({"||only a description||", "Or|B||Equals|b", "|C||Equals|", "And|D||Please Select...|",
                       "And|E|desc E|Is Blank|"});
        ClearPleaseSelect(g);
        QCOMPARE(g[3].op, QString());
        Compact(g);
        // Row 2 moved into row 1 loses its link; rows 3 (no link) and 4 (no
        // operator) are incomplete and gone.
        QCOMPARE(show(g), QStringLiteral(":-1|B|Equals/And:1|E|Is Blank/:-1||/:-1||/:-1||"));
        QCOMPARE(g[1].desc, QStringLiteral("desc E"));
        QCOMPARE(g[0].value, QStringLiteral("b"));
    }

    void defaults()
    {
        Grid g = grid({"|A|||", "|B|||", "||x||"});
        for (int r = 1; r <= 3; ++r)
            ApplyDefaults(g, r);
        QCOMPARE(show(g), QStringLiteral(":-1|A|Equals/And:1|B|Equals/:-1||/:-1||/:-1||"));
        QCOMPARE(g[0].opIndex, 1);
        Grid h = grid({"|A||Contains|", "Or|B|||"});
        ApplyDefaults(h, 2);
        QCOMPARE(h[1].link, QStringLiteral("Or")); // an existing link stays
    }

    void valueHeader_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("kind");
        QTest::newRow("empty") << "" << int(ValueHeader::Optional);
        QTest::newRow("equals") << "Equals" << int(ValueHeader::Optional);
        QTest::newRow("does not equal") << "Does Not Equal" << int(ValueHeader::Optional);
        QTest::newRow("less") << "Is Less Than" << int(ValueHeader::Required);
        QTest::newRow("greater or equal") << "Is Greater Than Or Equal To" << int(ValueHeader::Required);
        QTest::newRow("blank") << "Is Blank" << int(ValueHeader::MustBeEmpty);
        QTest::newRow("not blank") << "Is Not Blank" << int(ValueHeader::MustBeEmpty);
        QTest::newRow("starts") << "Starts With" << int(ValueHeader::Required);
        QTest::newRow("does not contain") << "Does Not Contain" << int(ValueHeader::Required);
    }
    void valueHeader()
    {
        QFETCH(QString, op);
        QFETCH(int, kind);
        QCOMPARE(int(ValueHeaderFor(op)), kind);
    }

    void rowTests_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("flagged");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("hint");
        const QString invalid = QStringLiteral("\nThis row is invalid, and will not be processed.");
        QTest::newRow("valid") << QStringList{"|A||Equals|", "Or|B||Is Blank|"} << "" << 0 << "";
        QTest::newRow("description only") << QStringList{"||text||"} << "1" << 1
                                          << "The ID [1] Task Field is undefined." + invalid;
        QTest::newRow("no link") << QStringList{"|A||Equals|", "|B||Equals|"} << "2" << 2
                                 << "The ID [2] Task Field And/Or is undefined." + invalid;
        QTest::newRow("no operator") << QStringList{"|A|||x"} << "1" << 1
                                     << "The ID [1] Task Field Filter Operator is undefined." + invalid;
        QTest::newRow("unknown operator text") << QStringList{"|A||Sometimes|x"} << "1" << 1
                                               << "The ID [1] Task Field Filter Operator is undefined." + invalid;
        QTest::newRow("unknown link text") << QStringList{"|A||Equals|", "Xor|B||Equals|"} << "2" << 2
                                           << "The ID [2] Task Field And/Or is undefined." + invalid;
        QTest::newRow("bad column") << QStringList{"|A1||Equals|"} << "1" << 1
                                    << "The ID [1] Task Field is invalid.\nValid Range: A..XFD";
        QTest::newRow("needs a value") << QStringList{"|A||Is Greater Than|"} << "1" << 1
                                       << "The ID [1] Task Field Value cannot be undefined for the selected Filter "
                                          "Operator: Is Greater Than";
        QTest::newRow("must be empty") << QStringList{"|A||Is Blank|x"} << "1" << 1
                                       << "The ID [1] Task Field Value must be undefined for the selected Filter "
                                          "Operator: Is Blank";
        QTest::newRow("equals with empty value") << QStringList{"|A||Equals|"} << "" << 0 << "";
        QTest::newRow("exclusive with And")
            << QStringList{"|Z||Equals|", "Or|A||Equals|a", "And|A||Does Not Equal|A"} << "3" << 3
            << "The ID [3] Filter Row is mutually exclusive with the ID [2] Filter Row.";
        QTest::newRow("not exclusive with Or")
            << QStringList{"|Z||Equals|", "Or|A||Equals|a", "Or|A||Does Not Equal|A"} << "" << 0 << "";
        QTest::newRow("duplicate whatever the link")
            << QStringList{"|A||Contains|abc", "Or|b||Equals|", "Or|a||contains|ABC"} << "3" << 3
            << "The ID [3] Filter Row is the same as the ID [1] Filter Row.";
        QTest::newRow("row flagged earlier is not compared")
            << QStringList{"|A||Is Blank|x", "Or|A||Is Blank|x"} << "1,2" << 2
            << "The ID [2] Task Field Value must be undefined for the selected Filter Operator: Is Blank";
    }
    void rowTests()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, flagged);
        QFETCH(int, row);
        QFETCH(QString, hint);
        const TestResult t = TestRows(QStringLiteral("/d/plan.xlsx"), grid(rows), true);
        QVERIFY(!t.undefined);
        QCOMPARE(::flagged(t), flagged);
        if (row > 0)
            QCOMPARE(t.rows[size_t(row - 1)].hint, hint);
    }

    void wholeFilterUndefined()
    {
        const TestResult on = TestRows(QString(), grid({"  "}), true);
        QVERIFY(on.undefined);
        QCOMPARE(on.undefinedHint, QStringLiteral("The Data Source Filter is enabled, but undefined."));
        QVERIFY(!TestRows(QString(), Grid(), false).undefined);
        QVERIFY(!TestRows(QString(), grid({"||x||"}), true).undefined);
    }

    void roundTrip()
    {
        TzyDSF dsf;
        Grid g = grid({"|a|Area|Contains| v ", "Or|B|Bee|Is Blank|", "||stray||", "And|C||Equals|",
                       "And|D|||"}); // row 5 has no operator
        ToDSF(g, true, dsf);
        QVERIFY(dsf.Enabled());
        QCOMPARE(dsf.Count(), 3);
        QCOMPARE(dsf.getItems(1).GetTaskFld(), QStringLiteral("A"));
        QCOMPARE(dsf.getItems(1).TaskFldValue, QStringLiteral(" v ")); // stored as typed
        QCOMPARE(int(dsf.getItems(1).FilterOperator), int(foContains));
        QVERIFY(!dsf.getItems(1).AndFlag); // row 1 is stored with Or
        QVERIFY(!dsf.getItems(2).AndFlag);
        QCOMPARE(int(dsf.getItems(2).FilterOperator), int(foIsBlank));
        QVERIFY(dsf.getItems(3).AndFlag);
        QCOMPARE(g[4].linkIndex, -1); // the incomplete row's indexes are cleared
        QCOMPARE(g[4].opIndex, -1);

        const Grid back = FromDSF(dsf);
        QCOMPARE(show(back), QStringLiteral(":-1|A|Contains/Or:2|B|Is Blank/And:1|C|Equals/:-1||/:-1||"));
        QCOMPARE(back[1].desc, QStringLiteral("Bee"));
        QCOMPARE(back[1].opIndex, int(foIsBlank) + 1);

        // Saving what was loaded changes nothing.
        Grid again = back;
        TzyDSF dsf2;
        ToDSF(again, false, dsf2);
        QVERIFY(!dsf2.Enabled());
        QCOMPARE(dsf2.GetFilterDetails().mid(dsf2.GetFilterDetails().indexOf(',')),
                 dsf.GetFilterDetails().mid(dsf.GetFilterDetails().indexOf(',')));
    }

    // A text pasted over an operator cell is stored as the operator it names,
    // never as the operator of the index it replaced.
    void pastedOperatorText()
    {
        Grid g = grid({"|A||Equals|x"});
        g[0].op = QStringLiteral("contains");
        TzyDSF dsf;
        ToDSF(g, true, dsf);
        QCOMPARE(int(dsf.getItems(1).FilterOperator), int(foContains));
        g[0].op = QStringLiteral("nonsense");
        ToDSF(g, true, dsf);
        QCOMPARE(dsf.Count(), 0);
    }
};

QTEST_GUILESS_MAIN(TstFilterRules)
#include "tst_filter_rules.moc"
