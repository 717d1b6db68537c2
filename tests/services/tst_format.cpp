#include "Format.h"
#include "LocaleInfo.h"

#include <QtTest>

using Utils::Format;

class TestFormat : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        platform::setNumberSettings(platform::NumberSettings{QLatin1Char('.'), QLatin1Char(','), QStringLiteral("$")});
    }

    void placeholders()
    {
        QCOMPARE(Format(QStringLiteral("File: %s."), {"a.xls"}), QStringLiteral("File: a.xls."));
        QCOMPARE(Format(QStringLiteral("Task %d of %d"), {7, 12}), QStringLiteral("Task 7 of 12"));
        QCOMPARE(Format(QStringLiteral(" [%.2d] %s "), {7, "a.xls"}), QStringLiteral(" [07] a.xls "));
        QCOMPARE(Format(QStringLiteral("[%.3d]"), {7}), QStringLiteral("[007]"));
        QCOMPARE(Format(QStringLiteral("[%.1d]"), {12}), QStringLiteral("[12]"));
        QCOMPARE(Format(QStringLiteral("%1:s and %0:s"), {7, "a.xls"}), QStringLiteral("a.xls and 7"));
        QCOMPARE(Format(QStringLiteral("*.%s; *.%s|*.%0:s; *.%1:s"), {"xls", "xlsx"}),
                 QStringLiteral("*.xls; *.xlsx|*.xls; *.xlsx"));
        QCOMPARE(Format(QStringLiteral("100%% done"), {}), QStringLiteral("100% done"));
        QCOMPARE(Format(QStringLiteral("Baseline %"), {}), QStringLiteral("Baseline %"));
        QCOMPARE(Format(QStringLiteral("(% of Baseline) %s"), {"x"}), QStringLiteral("(% of Baseline) x"));
        QCOMPARE(Format(QStringLiteral("%q and %s"), {7}), QStringLiteral("%q and 7"));
        QCOMPARE(Format(QStringLiteral("%d"), {"text"}), QStringLiteral("%d"));
    }

    void numbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("fmt");
        QTest::addColumn<QString>("expected");
        QTest::newRow("n thousands") << 1234567.891 << "%n" << "1,234,567.89";
        QTest::newRow("n small") << 12.5 << "%n" << "12.50";
        QTest::newRow("n negative") << -1234.5 << "%n" << "-1,234.50";
        QTest::newRow("n zero decimals") << 1234.5 << "%.0n" << "1,235";
        QTest::newRow("n negative zero") << -0.001 << "%n" << "0.00";
        QTest::newRow("f") << 3.14159 << "%.3f" << "3.142";
        QTest::newRow("d of double truncates") << 7.9 << "%d" << "7";
    }
    void numbers()
    {
        QFETCH(double, value);
        QFETCH(QString, fmt);
        QFETCH(QString, expected);
        QCOMPARE(Format(fmt, {value}), expected);
    }

    void moreSpecifiersThanArguments()
    {
        QCOMPARE(Format(QStringLiteral("%s of %s and %d"), {"a"}), QStringLiteral("a of %s and %d"));
        QCOMPARE(Format(QStringLiteral("%s"), {}), QStringLiteral("%s"));
        QCOMPARE(Format(QStringLiteral("%n%n%n"), {}), QStringLiteral("%n%n%n"));
        QCOMPARE(Format(QStringLiteral("ends with %"), {1}), QStringLiteral("ends with %"));
        QCOMPARE(Format(QStringLiteral("%9:s"), {"a"}), QStringLiteral("%9:s"));
    }

    void widthAndAlignment()
    {
        QCOMPARE(Format(QStringLiteral("[%5d]"), {42}), QStringLiteral("[   42]"));
        QCOMPARE(Format(QStringLiteral("[%-5s]"), {"ab"}), QStringLiteral("[ab   ]"));
        QCOMPARE(Format(QStringLiteral("[%.2s]"), {"abcd"}), QStringLiteral("[ab]"));
    }

    void textNeverInterpretedAsFormat()
    {
        // An argument holding specifiers is inserted as it is.
        QCOMPARE(Format(QStringLiteral("%s"), {"%n %s %d"}), QStringLiteral("%n %s %d"));
    }
};

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
