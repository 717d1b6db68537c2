// The grid's data: defaults, attribute layering, counts, index errors.
#include "gridtestutil.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>

using namespace zyColor;
using GridStep = std::function<void(TzyGrid&)>;
using GridCheck = std::function<bool(TzyGrid&)>;
Q_DECLARE_METATYPE(GridStep)
Q_DECLARE_METATYPE(GridCheck)

class TstGridModel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gridtest::fixLook(); }

    void defaults()
    {
        TzyGrid g;
        QCOMPARE(g.ColCount(), 2);
        QCOMPARE(g.RowCount(), 2);
        QCOMPARE(g.Col(), 0);
        QCOMPARE(g.Row(), 0);
        QCOMPARE(g.DefaultColWidth(), 64);
        QCOMPARE(g.DefaultRowHeight(), 18);
        QCOMPARE(g.GridLineColor(), clSilver());
        QCOMPARE(g.GridLineColor(), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(g.ColIndicatorColor(), QColor(0xFF, 0xFF, 0));
        QCOMPARE(g.getCellColor(1, 1), clWindow());
        QCOMPARE(g.getCellFontColor(2, 2), clBtnText());
        QCOMPARE(g.getCellDDLItemIndex(1, 1), -1);
        QCOMPARE(g.PopUpCutText(), QStringLiteral("Cut"));
        QCOMPARE(g.PopUpClearText(), QStringLiteral("Clear"));
        QCOMPARE(g.DefaultPopUpMenu()->objectName(), QStringLiteral("DefaultPopUpMenu"));
        QCOMPARE(g.DefaultPopUpMenu()->actions().size(), 4);
        QCOMPARE(clMaroon(), QColor(0x80, 0, 0));
        QCOMPARE(clSkyBlue(), QColor(0xA6, 0xCA, 0xF0));
    }

    // Layering of grid defaults, columns, rows and cells.
    void precedence_data()
    {
        QTest::addColumn<GridStep>("steps");
        QTest::addColumn<GridCheck>("check");
        QTest::newRow("column colour over grid colour")
            << GridStep([](TzyGrid& g) { g.setColor(clSkyBlue()); g.setColColor(2, clRed()); })
            << GridCheck([](TzyGrid& g) { return g.getCellColor(2, 1) == clRed() && g.getCellColor(1, 1) == clSkyBlue(); });
        QTest::newRow("grid colour after column overwrites it")
            << GridStep([](TzyGrid& g) { g.setColColor(2, clRed()); g.setColor(clSkyBlue()); })
            << GridCheck([](TzyGrid& g) { return g.getCellColor(2, 1) == clSkyBlue(); });
        QTest::newRow("cell after column wins")
            << GridStep([](TzyGrid& g) { g.setColColor(2, clRed()); g.setCellColor(2, 2, clMaroon()); })
            << GridCheck([](TzyGrid& g) { return g.getCellColor(2, 2) == clMaroon() && g.getCellColor(2, 1) == clRed(); });
        QTest::newRow("column after cell wins")
            << GridStep([](TzyGrid& g) { g.setCellReadOnly(2, 2, false); g.setColReadOnly(2, true); })
            << GridCheck([](TzyGrid& g) { return g.getCellReadOnly(2, 2) && !g.getCellReadOnly(1, 2); });
        QTest::newRow("grid read-only reaches every cell")
            << GridStep([](TzyGrid& g) { g.setCellReadOnly(1, 1, false); g.setGridReadOnly(true); })
            << GridCheck([](TzyGrid& g) { return g.getCellReadOnly(1, 1) && g.getCellReadOnly(3, 3); });
        QTest::newRow("new columns take the row's values")
            << GridStep([](TzyGrid& g) { g.setRowWordWrap(1, true); g.setColCount(5); })
            << GridCheck([](TzyGrid& g) { return g.getCellWordWrap(4, 1) && g.getCellWordWrap(5, 1) && !g.getCellWordWrap(4, 2); });
        QTest::newRow("new rows take the column's values")
            << GridStep([](TzyGrid& g) { g.setColColor(2, clRed()); g.setRowCount(6); })
            << GridCheck([](TzyGrid& g) { return g.getCellColor(2, 6) == clRed() && g.getCellColor(1, 6) == clWindow(); });
        QTest::newRow("new cells are plain")
            << GridStep([](TzyGrid& g) { g.setCells(3, 3, QStringLiteral("x")); g.setRowCount(5); })
            << GridCheck([](TzyGrid& g) { return g.getCells(3, 5).isEmpty() && g.getCellDDLItemIndex(3, 5) == -1
                                                 && g.getCellMergedState(3, 5) == cmsNone && g.getCells(3, 3) == QStringLiteral("x"); });
        QTest::newRow("grid font colour over every cell")
            << GridStep([](TzyGrid& g) { g.setCellFontColor(1, 1, clBlue()); g.setGridFontColor(clMaroon()); })
            << GridCheck([](TzyGrid& g) { return g.getCellFontColor(1, 1) == clMaroon() && g.getCellFontColor(3, 2) == clMaroon(); });
        QTest::newRow("right line also sets the neighbour's left")
            << GridStep([](TzyGrid& g) { g.setCellGridLineRightColor(1, 1, clRed()); g.setCellGridLineRightColor(3, 1, clBlue()); })
            << GridCheck([](TzyGrid& g) { return g.getCellGridLineLeftColor(2, 1) == clRed() && g.getCellGridLineRightColor(3, 1) == clBlue(); });
        QTest::newRow("bottom line also sets the top of the cell below")
            << GridStep([](TzyGrid& g) { g.setCellGridLineBottomColor(2, 1, clRed()); })
            << GridCheck([](TzyGrid& g) { return g.getCellGridLineTopColor(2, 2) == clRed() && g.getCellGridLineTopColor(1, 2) == clSilver(); });
        QTest::newRow("path ellipsis clears the text ellipsis")
            << GridStep([](TzyGrid& g) { g.setCellEllipsifyText(1, 1, true); g.setCellEllipsifyPath(1, 1, true); g.setCellEllipsifyText(2, 1, true); g.setCellEllipsifyPath(2, 1, false); })
            << GridCheck([](TzyGrid& g) { return !g.getCellEllipsifyText(1, 1) && g.getCellEllipsifyPath(1, 1) && g.getCellEllipsifyText(2, 1); });
        QTest::newRow("grid ellipsis clears the other kind everywhere")
            << GridStep([](TzyGrid& g) { g.setGridEllipsifyPath(true); g.setGridEllipsifyText(false); })
            << GridCheck([](TzyGrid& g) { return !g.getCellEllipsifyPath(2, 2) && !g.getCellEllipsifyText(2, 2); });
        QTest::newRow("grid max length cuts texts")
            << GridStep([](TzyGrid& g) { g.setCells(1, 1, QStringLiteral("abcdef")); g.setGridMaxLen(3); })
            << GridCheck([](TzyGrid& g) { return g.getCells(1, 1) == QStringLiteral("abc") && g.getCellMaxLength(2, 2) == 3; });
        QTest::newRow("max length 0 keeps texts")
            << GridStep([](TzyGrid& g) { g.setCells(1, 1, QStringLiteral("abcdef")); g.setGridMaxLen(0); })
            << GridCheck([](TzyGrid& g) { return g.getCells(1, 1) == QStringLiteral("abcdef"); });
        QTest::newRow("column max length cuts its texts only")
            << GridStep([](TzyGrid& g) { g.setCells(1, 1, QStringLiteral("abcdef")); g.setCells(2, 1, QStringLiteral("abcdef")); g.setColMaxLength(2, 2); })
            << GridCheck([](TzyGrid& g) { return g.getCells(1, 1).size() == 6 && g.getCells(2, 1) == QStringLiteral("ab"); });
        QTest::newRow("header font resets caption colour")
            << GridStep([](TzyGrid& g) { g.setHeaderCellFontColor(2, clRed()); g.setHeaderFontColor(clMaroon()); })
            << GridCheck([](TzyGrid& g) { return g.getHeaderCellFontColor(2) == clMaroon(); });
        QTest::newRow("gutter font resets row colour and style")
            << GridStep([](TzyGrid& g) { g.setGutterCellFontColor(2, clRed()); QFont f = g.GutterFont(); f.setBold(true); g.setGutterFont(f); })
            << GridCheck([](TzyGrid& g) { return g.getGutterCellFontColor(2) == g.GutterFontColor() && g.getGutterCellFontBold(3); });
    }
    void precedence()
    {
        QFETCH(GridStep, steps);
        QFETCH(GridCheck, check);
        TzyGrid g;
        g.setColCount(3);
        g.setRowCount(3);
        steps(g);
        QVERIFY(check(g));
    }

    // Every index error names its operation; nothing changes.
    void indexErrors_data()
    {
        QTest::addColumn<GridStep>("call");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("value");
        QTest::newRow("getCells") << GridStep([](TzyGrid& g) { QCOMPARE(g.getCells(0, 1), QString()); }) << "zyGrid.getCells" << 1 << 3 << 0;
        QTest::newRow("setCells") << GridStep([](TzyGrid& g) { g.setCells(2, 5, QStringLiteral("x")); }) << "zyGrid.setCells" << 1 << 4 << 5;
        QTest::newRow("setCellFontColor") << GridStep([](TzyGrid& g) { g.setCellFontColor(4, 1, clRed()); }) << "zyGrid.setCellFontColor" << 1 << 3 << 4;
        QTest::newRow("setCellColor") << GridStep([](TzyGrid& g) { g.setCellColor(1, 0, clRed()); }) << "zyGrid.setCellColor" << 1 << 4 << 0;
        QTest::newRow("getColWidths") << GridStep([](TzyGrid& g) { QCOMPARE(g.getColWidths(0), 64); }) << "zyGrid.getColWidths" << 1 << 3 << 0;
        QTest::newRow("setColWidths") << GridStep([](TzyGrid& g) { g.setColWidths(9, 100); }) << "zyGrid.setColWidths" << 1 << 3 << 9;
        QTest::newRow("getRowHeights") << GridStep([](TzyGrid& g) { QCOMPARE(g.getRowHeights(0), 18); }) << "zyGrid.getRowHeights" << 1 << 4 << 0;
        QTest::newRow("getCellColor") << GridStep([](TzyGrid& g) { QCOMPARE(g.getCellColor(0, 1), clWindow()); }) << "zyGrid.getCellColor" << 1 << 3 << 0;
        QTest::newRow("getCellDDLItemIndex") << GridStep([](TzyGrid& g) { QCOMPARE(g.getCellDDLItemIndex(1, 7), -1); }) << "zyGrid.getCellDDLItemIndex" << 1 << 4 << 7;
        QTest::newRow("getCellVerAlign") << GridStep([](TzyGrid& g) { QCOMPARE(g.getCellVerAlign(-1, 1), vaCenter); }) << "zyGrid.getCellVerAlign" << 1 << 3 << -1;
        QTest::newRow("getCellEditor") << GridStep([](TzyGrid& g) { QCOMPARE(g.getCellEditor(4, 0), ceNormal); }) << "zyGrid.getCellEditor" << 0 << 3 << 4;
        QTest::newRow("CalcColLeft") << GridStep([](TzyGrid& g) { QCOMPARE(g.CalcColLeft(4), 0); }) << "zyGrid.CalcColLeft" << 0 << 3 << 4;
        QTest::newRow("MoveToCell") << GridStep([](TzyGrid& g) { g.MoveToCell(0, 1); QCOMPARE(g.Col(), 1); }) << "zyGrid.MoveToCell" << 1 << 3 << 0;
        QTest::newRow("MergeCells") << GridStep([](TzyGrid& g) { g.MergeCells(1, 1, 5, 1); }) << "zyGrid.MergeCells" << 1 << 3 << 5;
        QTest::newRow("RowTop") << GridStep([](TzyGrid& g) { QCOMPARE(g.RowTop(9), 3 * 18); }) << "TzyGrid.RowTop" << 0 << 4 << 9;
        QTest::newRow("CalcCellMinWidths") << GridStep([](TzyGrid& g) { QCOMPARE(g.CalcCellMinWidths(5, 1, true), 8); }) << "TzyGrid.CalcCellMinWidths" << 0 << 3 << 5;
        QTest::newRow("AdjustRowHeight") << GridStep([](TzyGrid& g) { g.AdjustRowHeight(0, true); }) << "TzyGrid.AdjustRowHeight" << 1 << 4 << 0;
        QTest::newRow("setHeaderCellText") << GridStep([](TzyGrid& g) { g.setHeaderCellText(0, QStringLiteral("x")); }) << "zyGrid.setHeaderCellText" << 1 << 3 << 0;
        QTest::newRow("setGutterCellText") << GridStep([](TzyGrid& g) { g.setGutterCellText(5, QStringLiteral("x")); }) << "zyGrid.setGutterCellText" << 1 << 4 << 5;
    }
    void indexErrors()
    {
        QFETCH(GridStep, call);
        QFETCH(QString, tag);
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(int, value);
        TzyGrid g;
        g.setColCount(3);
        g.setRowCount(4);
        g.setCells(1, 1, QStringLiteral("keep"));
        gridtest::IndexLog log;
        log.install();
        call(g);
        QCOMPARE(log.texts.size(), 1);
        QCOMPARE(log.texts[0], Utils::IndexErrorText(value, low, high, tag));
        QVERIFY(log.texts[0].startsWith(tag + QStringLiteral(" Index is invalid.")));
        QCOMPARE(g.getCells(1, 1), QStringLiteral("keep"));
        QCOMPARE(g.getColWidths(1), 64);
    }

    void validIndexesReportNothing()
    {
        TzyGrid g;
        gridtest::IndexLog log;
        log.install();
        QCOMPARE(g.getCellEditor(0, 0), ceNormal);
        g.setCellEditor(0, 2, ceNormal);
        QCOMPARE(g.CalcColLeft(0), 0);
        QCOMPARE(g.CalcRowTop(2), 18);
        QVERIFY(log.texts.isEmpty());
    }

    void counts()
    {
        TzyGrid g;
        QSignalSpy moved(&g, &TzyGrid::OnColRowChanged);
        g.setRowCount(5);
        QCOMPARE(g.Row(), 1);
        QCOMPARE(g.Col(), 0);
        QCOMPARE(g.Selection(), (TzyGrid::Block{0, 1, 0, 1}));
        QCOMPARE(moved.size(), 1);
        g.setColCount(3);
        QCOMPARE(g.Col(), 1);
        QCOMPARE(g.Selection(), (TzyGrid::Block{1, 1, 1, 1}));
        QCOMPARE(moved.size(), 2);
        g.setColCount(-5);
        QCOMPARE(g.ColCount(), 0);
        QCOMPARE(g.Col(), -1);
        QCOMPARE(g.Row(), -1);
        QCOMPARE(g.Selection(), (TzyGrid::Block{-1, -1, -1, -1}));
        // Both indexes come back once the count is positive again.
        g.setColCount(2);
        QCOMPARE(g.Col(), 1);
        QCOMPARE(g.Row(), 1);
        QCOMPARE(g.Selection(), (TzyGrid::Block{1, 1, 1, 1}));
        g.MoveToCell(2, 5);
        g.setRowCount(3);
        QCOMPARE(g.Row(), 3);
        QCOMPARE(g.Col(), 2);
    }

    void setCellsAndEvents()
    {
        TzyGrid g;
        g.setColCount(2);
        g.setRowCount(2);
        QSignalSpy changed(&g, &TzyGrid::OnCellChange);
        g.setCells(1, 1, QStringLiteral("a"));
        g.setCells(1, 1, QStringLiteral("a"));
        QCOMPARE(changed.size(), 0);
        g.InternalSetCell(1, 1, QStringLiteral("b"), true);
        g.InternalSetCell(1, 1, QStringLiteral("b"), true);
        g.InternalSetCell(1, 1, QStringLiteral("c"), false);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][2].toString(), QStringLiteral("b"));
        QCOMPARE(g.getCells(1, 1), QStringLiteral("c"));
        g.ClearCells();
        QCOMPARE(g.getCells(1, 1), QString());
        QCOMPARE(changed.size(), 1);
    }

    void minimumSizes()
    {
        TzyGrid g;
        g.setGridColMinWidth(3);
        QCOMPARE(g.GridColMinWidth(), 8);
        g.setColWidths(1, 2);
        QCOMPARE(g.getColWidths(1), 8);
        g.setColMinWidths(2, 100);
        QCOMPARE(g.getColWidths(2), 100);
        g.setColWidths(2, 50);
        QCOMPARE(g.getColWidths(2), 100);
        g.setGridRowMinHeight(1);
        QCOMPARE(g.GridRowMinHeight(), 4);
        g.setRowHeights(1, 2);
        QCOMPARE(g.getRowHeights(1), 4);
        g.setGridColMinWidth(30);
        QCOMPARE(g.getColWidths(1), 30);
        QCOMPARE(g.getColMinWidths(1), 30);
        QCOMPARE(g.DefaultColWidth(), 64);
        g.setDefaultColWidth(-3);
        QCOMPARE(g.DefaultColWidth(), 30);
        QCOMPARE(g.getColWidths(2), 30);
        g.setHeaderHeight(-4);
        QCOMPARE(g.HeaderHeight(), 0);
    }

    void tallEditorControlRaisesRows()
    {
        QWidget form;
        TzyGrid g(&form);
        g.setColCount(2);
        g.setRowCount(3);
        QPushButton b(QStringLiteral("..."), &form);
        b.resize(20, 20);
        QFont big = b.font();
        big.setPixelSize(30);
        b.setFont(big);
        g.setCellEditor(1, 2, ceBtn);
        g.setCellEditorControl(1, 2, &b);
        const int need = QFontMetrics(big).height() + 4;
        QCOMPARE(g.DefaultRowHeight(), need);
        QCOMPARE(g.getRowHeights(1), need);
        QCOMPARE(g.getRowHeights(3), need);
    }
};

QTEST_MAIN(TstGridModel)
#include "tst_grid_model.moc"
