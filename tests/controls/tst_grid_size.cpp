// Merged blocks and the auto-sizing routines.
#include "gridtestutil.h"

#include <QComboBox>
#include <QStyle>
#include <QTest>

using namespace zyColor;

namespace {
// Every covered cell points at a live owner whose block holds it, and every
// owner's block is made of cells pointing back at it.
QString mergeFault(const TzyGrid& g)
{
    for (int c = 1; c <= g.ColCount(); ++c)
        for (int r = 1; r <= g.RowCount(); ++r) {
            const TCellMergedState s = g.getCellMergedState(c, r);
            if (s == cmsMerged) {
                const int oc = c + g.getCellMergeCols(c, r), orow = r + g.getCellMergeRows(c, r);
                if (oc < 1 || orow < 1 || g.getCellMergedState(oc, orow) != cmsTopLeft)
                    return QStringLiteral("[%1,%2] points at no owner").arg(c).arg(r);
                if (c > oc + g.getCellMergeCols(oc, orow) || r > orow + g.getCellMergeRows(oc, orow))
                    return QStringLiteral("[%1,%2] outside its owner's block").arg(c).arg(r);
            } else if (s == cmsTopLeft) {
                for (int cc = c; cc <= c + g.getCellMergeCols(c, r); ++cc)
                    for (int rr = r; rr <= r + g.getCellMergeRows(c, r); ++rr) {
                        if (cc > g.ColCount() || rr > g.RowCount())
                            return QStringLiteral("block of [%1,%2] leaves the grid").arg(c).arg(r);
                        if ((cc != c || rr != r)
                            && (g.getCellMergedState(cc, rr) != cmsMerged || cc + g.getCellMergeCols(cc, rr) != c
                                || rr + g.getCellMergeRows(cc, rr) != r))
                            return QStringLiteral("[%1,%2] in the block of [%3,%4] points elsewhere").arg(cc).arg(rr).arg(c).arg(r);
                    }
            }
        }
    return QString();
}
} // namespace

class TstGridSize : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gridtest::fixLook(); }

    void merging()
    {
        TzyGrid g;
        g.setColCount(4);
        g.setRowCount(4);
        for (int c = 1; c <= 3; ++c)
            g.setCells(c, 1, QStringLiteral("t%1").arg(c));
        g.MergeCells(1, 1, 3, 1);
        QCOMPARE(g.getCells(1, 1), QStringLiteral("t1"));
        QCOMPARE(g.getCells(2, 1), QString());
        QCOMPARE(g.getCellMergedState(1, 1), cmsTopLeft);
        QCOMPARE(g.getCellMergeCols(1, 1), 2);
        QCOMPARE(g.getCellMergedState(3, 1), cmsMerged);
        QCOMPARE(g.getCellMergeCols(3, 1), -2);
        QCOMPARE(mergeFault(g), QString());
        // Entering any cell of the block selects it whole.
        g.MoveToCell(3, 1);
        QCOMPARE(g.Selection(), (TzyGrid::Block{1, 1, 3, 1}));
        QVERIFY(g.IsSingleSelection());
        // A rectangle touching the block grows over all of it.
        g.setCells(2, 2, QStringLiteral("below"));
        g.MergeCells(2, 1, 2, 2);
        QCOMPARE(g.getCellMergedState(1, 1), cmsTopLeft);
        QCOMPARE(g.getCellMergeCols(1, 1), 2);
        QCOMPARE(g.getCellMergeRows(1, 1), 1);
        QCOMPARE(g.getCells(2, 2), QString());
        QCOMPARE(mergeFault(g), QString());
        // A single cell stays unmerged; reversed corners do nothing.
        g.MergeCells(4, 4, 4, 4);
        QCOMPARE(g.getCellMergedState(4, 4), cmsNone);
        g.MergeCells(4, 4, 3, 3);
        QCOMPARE(g.getCellMergedState(3, 3), cmsNone);
    }

    // Growth may reach blocks the requested rectangle did not touch; they
    // are taken in whole, so no two blocks share a cell.
    void mergeTakesBlocksReachedByGrowth()
    {
        TzyGrid g;
        g.setColCount(5);
        g.setRowCount(4);
        g.MergeCells(3, 1, 3, 2); // a column block
        g.MergeCells(1, 1, 2, 1); // a row block beside it
        g.setCells(1, 1, QStringLiteral("left owner"));
        g.MergeCells(2, 2, 3, 3); // touches the column block only
        QCOMPARE(mergeFault(g), QString());
        QCOMPARE(g.getCellMergedState(1, 1), cmsTopLeft);
        QCOMPARE(g.getCellMergeCols(1, 1), 2);
        QCOMPARE(g.getCellMergeRows(1, 1), 2);
        QCOMPARE(g.getCells(1, 1), QStringLiteral("left owner"));
    }

    void shrinkingCutsBlocks()
    {
        TzyGrid g;
        g.setColCount(4);
        g.setRowCount(4);
        g.MergeCells(2, 1, 4, 2);
        g.MergeCells(1, 3, 2, 3);
        g.setColCount(3);
        QCOMPARE(g.getCellMergeCols(2, 1), 1);
        QCOMPARE(mergeFault(g), QString());
        g.setColCount(1);
        QCOMPARE(g.getCellMergedState(1, 3), cmsNone);
        QCOMPARE(mergeFault(g), QString());
        g.setColCount(4);
        QCOMPARE(g.getCellMergedState(2, 1), cmsNone);
        QCOMPARE(g.getCellMergedState(3, 2), cmsNone);
        QCOMPARE(mergeFault(g), QString());
    }

    void autoSizeColsMerged()
    {
        TzyGrid g;
        g.setColCount(4);
        g.setRowCount(3);
        g.setGutterKind(gkNone);
        g.setShowHeader(false);
        const QString title = QStringLiteral("A title much wider than the three columns under it");
        g.setCells(1, 1, title);
        g.MergeCells(1, 1, 3, 1);
        g.setCells(1, 2, QStringLiteral("ab"));
        g.setCells(4, 2, QStringLiteral("fourth column"));
        g.AutoSizeColsMerged(false);
        const int need = g.CalcTextWidth(title, 1, 1) + 8;
        const int a = g.getColWidths(1), b = g.getColWidths(2), c = g.getColWidths(3);
        QCOMPARE(a + b + c, need);
        QVERIFY(std::max({a, b, c}) - std::min({a, b, c}) <= 1);
        QVERIFY(a >= b && b >= c); // the leftmost first on ties
        QCOMPARE(g.getColWidths(4), g.CalcTextWidth(QStringLiteral("fourth column"), 4, 2) + 8);
        // A wide column takes nothing more of the title.
        g.setCells(1, 3, QString(80, QLatin1Char('W')));
        g.AutoSizeColsMerged(false);
        QCOMPARE(g.getColWidths(2), g.GridColMinWidth());
    }

    void autoSizeCols()
    {
        TzyGrid g;
        g.setColCount(3);
        g.setRowCount(2);
        g.setHeaderCellText(2, QStringLiteral("A long header caption"));
        g.setCells(1, 1, QStringLiteral("x"));
        g.AutoSizeCols(true);
        QCOMPARE(g.getColWidths(1), g.CalcTextWidth(QStringLiteral("x"), 1, 1) + 8);
        QCOMPARE(g.getColWidths(2), g.CalcHeaderTextWidth(QStringLiteral("A long header caption"), 2) + 8);
        QCOMPARE(g.getColWidths(3), 8);
        g.AutoSizeCols(false);
        QCOMPARE(g.getColWidths(2), 8);
        // goAutoSizeLastCol on one column changes nothing.
        TzyGrid one;
        one.setColCount(1);
        one.setCells(1, 1, QStringLiteral("text"));
        one.setOptions(goAutoSizeLastCol);
        const int before = one.getColWidths(1);
        one.AutoSizeCols(false);
        QCOMPARE(one.getColWidths(1), before);
    }

    void dropDownColumnWidth()
    {
        QWidget form;
        TzyGrid g(&form);
        g.setColCount(2);
        g.setRowCount(2);
        QComboBox box(&form);
        const QString widest = QStringLiteral("The widest item of all");
        box.addItems({QStringLiteral("short"), widest});
        g.setColEditor(1, ceDDL);
        g.setColEditorControl(1, &box);
        g.AutoSizeCols(false);
        const int vs = g.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &g);
        QCOMPARE(g.getColWidths(1), g.CalcTextWidth(widest, 1, 1) + vs + 13);
        // Set by code, the width never goes below what the box needs.
        g.setColWidths(1, 20);
        QCOMPARE(g.getColWidths(1), g.CalcTextWidth(widest, 1, 1) + vs + 13);
    }

    void rowsAndGutter()
    {
        TzyGrid g;
        g.setColCount(2);
        g.setRowCount(3);
        g.setGutterKind(gkPointer);
        g.setGridRowMinHeight(4);
        QCOMPARE(g.CalcRowMinHeights(1, true, true), 12);
        QCOMPARE(g.CalcRowMinHeights(1, false, true), 4);
        g.setCells(1, 2, QStringLiteral("one\r\ntwo\r\nthree"));
        g.setRowWordWrap(2, true);
        g.AdjustRowHeight(2, true);
        QCOMPARE(g.getRowHeights(2), 3 * QFontMetrics(g.font()).height() + 4);
        g.AutoSizeGutter(true);
        QCOMPARE(g.GutterWidth(), 16);
        g.setGutterKind(gkNumber);
        g.AutoSizeGutter(false);
        QCOMPARE(g.GutterWidth(), g.CalcGutterTextWidth(QStringLiteral("3"), 3) + 8);
        g.setHomeText(QStringLiteral(" A wide home text "));
        g.AutoSizeGutter(true);
        QCOMPARE(g.GutterWidth(), g.CalcHomeTextWidth(QStringLiteral(" A wide home text ")) + 8);
        g.setGutterKind(gkNone);
        g.AutoSizeGutter(true);
        QCOMPARE(g.GutterWidth(), 0);
    }

    void measuring()
    {
        TzyGrid g;
        g.setColCount(1);
        g.setRowCount(1);
        const QFontMetrics fm(g.font());
        const QString t = QStringLiteral("ab\r\ncdef");
        QCOMPARE(g.CalcTextWidth(t, 1, 1), fm.horizontalAdvance(QStringLiteral("abcdef")));
        QCOMPARE(g.CalcTextHeight(t, 1, 1), fm.height());
        g.setRowWordWrap(1, true);
        QCOMPARE(g.CalcTextWidth(t, 1, 1), fm.horizontalAdvance(QStringLiteral("cdef")));
        QCOMPARE(g.CalcTextHeight(t, 1, 1), 2 * fm.height());
        QCOMPARE(g.CalcTextHeight(QString(), 1, 1), 0);
    }
};

QTEST_MAIN(TstGridSize)
#include "tst_grid_size.moc"
