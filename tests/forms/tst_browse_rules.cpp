// The browse dialogs' preselection and their Auto Size and Auto Align
// arithmetic against a fixed work area.
#include "BrowseRules.h"

#include <QtTest>

using namespace BrowseRules;

class TstBrowseRules : public QObject {
    Q_OBJECT

private slots:
    void preselect_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("trimmed");
        QTest::addColumn<int>("row");
        const QStringList ws{"Summary", "Tasks", "TASKS", " Tasks"};
        QTest::newRow("later match wins") << ws << "tasks" << false << 2;
        QTest::newRow("untrimmed blank matters") << ws << " tasks" << false << 3;
        QTest::newRow("no match: first row") << ws << "Other" << false << 0;
        QTest::newRow("empty list") << QStringList{} << "Tasks" << false << -1;
        QTest::newRow("trimmed match") << QStringList{"A", "B ", "C"} << " b" << true << 1;
        QTest::newRow("untrimmed no match") << QStringList{"A", "B ", "C"} << " b" << false << 0;
        QTest::newRow("non-ASCII case kept") << QStringList{"é", "É"} << "é" << true << 0;
        QTest::newRow("empty current") << QStringList{"", "X"} << "" << false << 0;
    }
    void preselect()
    {
        QFETCH(QStringList, items);
        QFETCH(QString, current);
        QFETCH(bool, trimmed);
        QFETCH(int, row);
        QCOMPARE(PreselectRow(items, current, trimmed), row);
    }

    void autoSizeFits()
    {
        const QRect wa(0, 0, 1000, 700);
        const auto r = AutoSize(QRect(900, 600, 300, 200), QSize(400, 300), QSize(200, 150), wa, false);
        QCOMPARE(r.autoSize, QSize(400, 300));
        // Moved back inside the work area, at its size.
        QCOMPARE(r.form, QRect(600, 400, 400, 300));
        QCOMPARE(r.minSize, QSize(200, 150));
    }

    // Fifty rows on a small screen: the height is cut to the work area and
    // the minimum lowered to it.
    void autoSizeTooBig()
    {
        const QRect wa(0, 20, 800, 400);
        const auto r = AutoSize(QRect(100, 100, 300, 200), QSize(1200, 1000), QSize(900, 500), wa, false);
        QCOMPARE(r.autoSize, QSize(800, 400));
        QCOMPARE(r.minSize, QSize(800, 400));
        QCOMPARE(r.form, QRect(0, 20, 800, 400));
    }

    // With Auto Align down the dialog stays where it is until aligned.
    void autoSizeLeavesAlignedFormAlone()
    {
        const QRect form(100, 100, 300, 200);
        const auto r = AutoSize(form, QSize(500, 350), QSize(200, 150), QRect(0, 0, 1000, 700), true);
        QCOMPARE(r.form, form);
        QCOMPARE(r.autoSize, QSize(500, 350));
    }

    void autoAlign_data()
    {
        QTest::addColumn<QRect>("form");
        QTest::addColumn<QPoint>("anchor");
        QTest::addColumn<bool>("autoSize");
        QTest::addColumn<QRect>("expected");
        const QRect f(10, 10, 300, 200);
        QTest::newRow("top-right corner at the anchor") << f << QPoint(700, 100) << false << QRect(400, 100, 300, 200);
        QTest::newRow("at the bottom: moved up") << f << QPoint(700, 650) << false << QRect(400, 500, 300, 200);
        QTest::newRow("anchor past the right edge") << f << QPoint(1200, 100) << false << QRect(700, 100, 300, 200);
        QTest::newRow("anchor near the left edge") << f << QPoint(100, 100) << false << QRect(0, 100, 300, 200);
        QTest::newRow("auto size: its size") << f << QPoint(700, 100) << true << QRect(300, 100, 400, 250);
        QTest::newRow("auto size at the bottom: minimum height, moved up")
            << f << QPoint(700, 650) << true << QRect(300, 550, 400, 150);
        QTest::newRow("auto size, low row: shortened") << f << QPoint(700, 500) << true << QRect(300, 500, 400, 200);
    }
    void autoAlign()
    {
        QFETCH(QRect, form);
        QFETCH(QPoint, anchor);
        QFETCH(bool, autoSize);
        QFETCH(QRect, expected);
        QCOMPARE(AutoAlign(form, anchor, autoSize, QSize(400, 250), QSize(200, 150), QRect(0, 0, 1000, 700)),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TstBrowseRules)
#include "tst_browse_rules.moc"
