// The grid's geometry and painting: layout values, scrolling, and pixels
// probed on rendered images; the rotated label's ink.
#include "gridtestutil.h"
#include "zyVLabel.h"

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

using namespace zyColor;

namespace {
QPoint cellCentre(const TzyGrid& g, int c, int r)
{
    return g.GridToClient(g.CellRect(c, r)).toQRect().center();
}
void wheel(TzyGrid& g, int dy)
{
    QWheelEvent e(QPointF(50, 50), g.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, dy), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &e);
}
QImage shot(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }
bool reddish(QColor c) { return c.red() > c.green() + 40 && c.red() > c.blue() + 40; }
} // namespace

class TstGridPaint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gridtest::fixLook(); }

    void layout_data()
    {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("autoLast");
        QTest::addColumn<bool>("hBar");
        QTest::addColumn<bool>("vBar");
        QTest::newRow("all fit") << 2 << 2 << int(ssBoth) << false << false << false;
        QTest::newRow("both bars") << 10 << 20 << int(ssBoth) << false << true << true;
        QTest::newRow("rows only too many") << 3 << 20 << int(ssBoth) << false << false << true;
        QTest::newRow("vertical kind hides the horizontal bar") << 10 << 3 << int(ssVertical) << false << false << false;
        QTest::newRow("last column fills") << 2 << 3 << int(ssBoth) << true << false << false;
        QTest::newRow("last column squeezed to 1") << 8 << 3 << int(ssBoth) << true << true << false;
    }
    void layout()
    {
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(int, kind);
        QFETCH(bool, autoLast);
        QFETCH(bool, hBar);
        QFETCH(bool, vBar);
        TzyGrid g;
        g.resize(300, 200);
        g.setScrollBarKind(TScrollStyle(kind));
        if (autoLast)
            g.setOptions(goAutoSizeLastCol);
        g.setColCount(cols);
        g.setRowCount(rows);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const int cw = g.viewport()->width(), ch = g.viewport()->height();
        QCOMPARE(g.horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn, hBar);
        QCOMPARE(g.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn, vBar);
        QCOMPARE(g.CellAreaLeft(), 20);
        QCOMPARE(g.CellAreaTop(), 18);
        int sumW = 0;
        for (int c = 1; c <= cols; ++c)
            sumW += g.getColWidths(c);
        QCOMPARE(g.ContentWidth(), sumW);
        QCOMPARE(g.ContentHeight(), rows * 18);
        if (autoLast) {
            const int rest = sumW - g.getColWidths(cols);
            QCOMPARE(g.getColWidths(cols), std::max(1, cw - 20 - rest));
        } else {
            QCOMPARE(sumW, cols * 64);
        }
        QCOMPARE(g.MaxScrollX(), std::max(0, sumW - cw + 20));
        QCOMPARE(g.MaxScrollY(), std::max(0, rows * 18 - ch + 18));
        QCOMPARE(g.UsedRight(), std::min(cw, 20 + sumW));
        QCOMPARE(g.VisibleHeight(), std::min(ch, 18 + rows * 18) - 18);
        QCOMPARE(g.horizontalScrollBar()->maximum(), g.MaxScrollX());
        QCOMPARE(g.verticalScrollBar()->maximum(), g.MaxScrollY());
        QCOMPARE(g.CalcGridWidth(), 20 + sumW + 4);
        QCOMPARE(g.CalcGridHeight(), 18 + rows * 18 + 4);
        if (kind == ssVertical)
            QVERIFY(g.MaxScrollX() > 0);
    }

    void followsResize()
    {
        TzyGrid g;
        g.resize(300, 200);
        g.setColCount(3);
        g.setRowCount(3);
        g.setOptions(goAutoSizeLastCol);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QCOMPARE(g.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        g.resize(160, 60);
        QTRY_COMPARE(g.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(g.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        const int cw = g.viewport()->width(), ch = g.viewport()->height();
        QCOMPARE(g.getColWidths(3), 1);
        QCOMPARE(g.MaxScrollX(), 129 - cw + 20);
        QCOMPARE(g.MaxScrollY(), 54 - ch + 18);
        g.resize(400, 200);
        QTRY_COMPARE(g.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(g.getColWidths(3), g.viewport()->width() - 20 - 128);
        QCOMPARE(g.MaxScrollX(), 0);
    }

    void mouseToCell()
    {
        TzyGrid g;
        g.resize(300, 200);
        g.setColCount(6);
        g.setRowCount(4);
        QCOMPARE(g.MouseToCell(20, 30).x(), 0);
        QCOMPARE(g.MouseToCell(21, 30).x(), 1);
        QCOMPARE(g.MouseToCell(20 + 64, 30).x(), 1);
        QCOMPARE(g.MouseToCell(20 + 65, 30).x(), 2);
        QCOMPARE(g.MouseToCell(5, 30), QPoint(0, 1));
        QCOMPARE(g.MouseToCell(30, 5), QPoint(1, 0));
        TzyGrid wide;
        wide.resize(600, 200);
        QCOMPARE(wide.MouseToCell(590, 40), QPoint(2, 2));
    }

    void scrolling()
    {
        TzyGrid g;
        g.resize(300, 200);
        g.setColCount(10);
        g.setRowCount(40);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        // One notch towards the user from 36 lands on the next row edge.
        g.SetScrollY(36);
        wheel(g, -120);
        QCOMPARE(g.ScrollY(), 162);
        QCOMPARE(g.verticalScrollBar()->value(), 162);
        wheel(g, 120);
        QCOMPARE(g.ScrollY(), 36); // 42 taken back to the edge at or before it
        // Fine-grained wheels move both ways.
        g.SetScrollY(54);
        wheel(g, -15);
        QCOMPARE(g.ScrollY(), 72);
        wheel(g, 15);
        QCOMPARE(g.ScrollY(), 54);
        wheel(g, 15);
        QCOMPARE(g.ScrollY(), 36);
        for (int i = 0; i < 10; ++i)
            wheel(g, 15);
        QCOMPARE(g.ScrollY(), 0);
        g.setSmoothVerScroll(true);
        wheel(g, -15);
        QCOMPARE(g.ScrollY(), 15);
        wheel(g, 15);
        QCOMPARE(g.ScrollY(), 0);

        // Line right inside column 2 adds the width of column 3.
        g.setColWidths(3, 90);
        g.SetScrollX(70);
        g.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(g.ScrollX(), 160);
        g.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(g.ScrollX(), g.MaxScrollX());
        // Without smooth scrolling a thumb move snaps to the next edge.
        g.setSmoothHorScroll(false);
        g.horizontalScrollBar()->setSliderPosition(10);
        QCOMPARE(g.ScrollX(), 64);
        QCOMPARE(g.horizontalScrollBar()->value(), 64);
    }

    void scrollInView()
    {
        TzyGrid g;
        g.resize(300, 200);
        g.setColCount(10);
        g.setRowCount(40);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.ScrollInView(2, 2);
        QCOMPARE(g.ScrollX(), 0);
        QCOMPARE(g.ScrollY(), 0);
        g.ScrollInView(10, 40);
        QCOMPARE(g.ScrollX(), g.MaxScrollX());
        QCOMPARE(g.ScrollY(), g.MaxScrollY());
        g.ScrollInView(1, 1);
        QCOMPARE(g.ScrollX(), 0);
        QCOMPARE(g.ScrollY(), 0);
        QCOMPARE(g.TopVisibleRow(), 1);
        g.SetScrollY(40);
        QCOMPARE(g.TopVisibleRow(), 3);
        g.SetScrollY(36);
        QCOMPARE(g.TopVisibleRow(), 3);
    }

    void fills()
    {
        TzyGrid g;
        g.resize(400, 200);
        g.setColCount(3);
        g.setRowCount(3);
        g.setCellColor(1, 1, clRed());
        g.setColorAlternateCol(true);
        g.setColorAlternateRow(true);
        g.setAlternateColColor(clSkyBlue());
        g.setAlternateRowColor(clMoneyGreen());
        g.setCellEditorVisible(3, 3, true);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.MoveToCell(3, 1);
        const QImage img = shot(*g.viewport());
        QCOMPARE(img.pixelColor(cellCentre(g, 1, 1) + QPoint(10, 0)), clRed());
        QCOMPARE(img.pixelColor(cellCentre(g, 2, 1) + QPoint(10, 0)), clSkyBlue());
        QCOMPARE(img.pixelColor(cellCentre(g, 2, 2) + QPoint(10, 0)), clMoneyGreen());
        QCOMPARE(img.pixelColor(cellCentre(g, 3, 3) + QPoint(10, 0)), clBtnFace());
        // Lines: silver, shared between neighbours.
        const GridRect r = g.GridToClient(g.CellRect(2, 2));
        QCOMPARE(img.pixelColor(r.R - 1, r.T + 5), clSilver());
        QCOMPARE(img.pixelColor(r.L + 5, r.B - 1), clSilver());
        // Unused area right of the last column and below the last row.
        QCOMPARE(img.pixelColor(390, 10), g.UnUsedColor());
        QCOMPARE(img.pixelColor(100, g.viewport()->height() - 3), g.UnUsedColor());
        // Header and gutter cells.
        QCOMPARE(img.pixelColor(cellCentre(g, 2, 1).x() + 20, 9), clBtnFace());
    }

    void selectionFrameAndBlock()
    {
        QWidget win;
        TzyGrid g(&win);
        g.setGeometry(0, 0, 400, 200);
        g.setColCount(4);
        g.setRowCount(3);
        g.setAllowSelectCells(true);
        win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win));
        g.MoveToCell(2, 2);
        g.clearFocus();
        QVERIFY(!g.hasFocus());
        QImage img = shot(*g.viewport());
        GridRect r = g.GridToClient(g.CellRect(2, 2));
        // Without the focus the frame takes the line colour.
        QCOMPARE(img.pixelColor(r.L, r.T + 6), clSilver());
        QCOMPARE(img.pixelColor(r.L + 1, r.T + 6), clSilver());
        QCOMPARE(img.pixelColor(r.L + 2, r.T + 6), clWindow());
        QApplication::setActiveWindow(&win);
        g.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&win));
        QTRY_VERIFY(g.hasFocus());
        img = shot(*g.viewport());
        QCOMPARE(img.pixelColor(r.L, r.T + 6), clBlack());
        QCOMPARE(img.pixelColor(r.L + 1, r.T + 6), clBlack());
        QCOMPARE(img.pixelColor(r.R - 1, r.T + 6), clBlack());
        QCOMPARE(img.pixelColor(r.R - 2, r.T + 6), clBlack());
        QCOMPARE(img.pixelColor(r.R - 3, r.T + 6), clWindow());
        QCOMPARE(img.pixelColor(r.L + 6, r.T), clBlack());
        QCOMPARE(img.pixelColor(r.L + 6, r.B - 1), clBlack());
        // A block: the other cells take the selection colour.
        QTest::keyClick(&g, Qt::Key_Right, Qt::ShiftModifier);
        img = shot(*g.viewport());
        QCOMPARE(img.pixelColor(cellCentre(g, 3, 2) + QPoint(10, 0)), clHighlight());
        QCOMPARE(img.pixelColor(cellCentre(g, 2, 2) + QPoint(10, 0)), clWindow());
        // No frame without ShowSelection: the cell's own line shows.
        g.setShowSelection(false);
        img = shot(*g.viewport());
        QCOMPARE(img.pixelColor(r.L, r.T + 6), clSilver());
        QCOMPARE(img.pixelColor(r.L + 1, r.T + 6), clWindow());
    }

    void gutterAndHeaderTexts()
    {
        TzyGrid g;
        g.resize(400, 200);
        g.setColCount(2);
        g.setRowCount(3);
        g.setGutterKind(gkString);
        g.setGutterWidth(100);
        QFont f = g.GutterFont();
        f.setPixelSize(16);
        f.setBold(true);
        g.setGutterFont(f);
        g.setGutterCellText(1, QStringLiteral("WWWW"));
        g.setGutterCellText(2, QStringLiteral("WWWW"));
        g.setGutterCellFontColor(2, clMaroon());
        g.setRowHeights(1, 24);
        g.setRowHeights(2, 24);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const QImage img = shot(*g.viewport());
        auto countRed = [&](int row) {
            const QRect R = g.GridToClient(g.CellRect(1, row)).toQRect();
            int n = 0;
            for (int y = R.top(); y < R.bottom(); ++y)
                for (int x = 2; x < 98; ++x)
                    n += reddish(img.pixelColor(x, y));
            return n;
        };
        QCOMPARE(countRed(1), 0);
        QVERIFY(countRed(2) > 20);
    }

    void disabledAndEmpty()
    {
        TzyGrid g;
        g.resize(300, 200);
        g.setColCount(2);
        g.setRowCount(2);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.setEnabled(false);
        QImage img = shot(*g.viewport());
        QCOMPARE(img.pixelColor(cellCentre(g, 1, 1) + QPoint(10, 0)), g.DisabledColor());
        const GridRect r = g.GridToClient(g.CellRect(1, 1));
        QCOMPARE(img.pixelColor(r.R - 1, r.T + 5), clWhite());
        g.setEnabled(true);
        g.setColCount(0);
        img = shot(*g.viewport());
        QCOMPARE(img.pixelColor(5, 5), g.UnUsedColor());
        QCOMPARE(img.pixelColor(100, 100), g.UnUsedColor());
    }

    void gutterImages()
    {
        TzyGrid g;
        g.resize(300, 200);
        g.setColCount(2);
        g.setRowCount(3);
        g.setGutterKind(gkNumber);
        g.setGutterWidth(40);
        QPixmap pic(8, 8);
        pic.fill(clRed());
        g.setGutterImagePicture(pic);
        g.setGutterImageVisible(2, true);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const QImage img = shot(*g.viewport());
        const GridRect r = g.GridToClient(g.CellRect(1, 2));
        const int top = r.T + (18 - 8) / 2;
        QCOMPARE(img.pixelColor(40 - 4 - 8, top), clRed());
        QCOMPARE(img.pixelColor(40 - 4 - 1, top + 7), clRed());
        QVERIFY(img.pixelColor(40 - 4 - 8, top - 18) != clRed());
        g.AutoSizeGutter(false);
        QCOMPARE(g.GutterWidth(), g.CalcGutterTextWidth(QStringLiteral("3"), 3) + 8 + 8 + 4);
    }

    void pointerGutter()
    {
        TzyGrid g;
        g.resize(300, 200);
        g.setColCount(2);
        g.setRowCount(3);
        g.setGutterKind(gkPointer);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.MoveToCell(1, 2);
        const QImage img = shot(*g.viewport());
        auto darkIn = [&](int row) {
            const QRect R = g.GridToClient(g.CellRect(1, row)).toQRect();
            int n = 0;
            for (int y = R.top() + 3; y < R.bottom() - 2; ++y)
                for (int x = 4; x < 16; ++x)
                    n += img.pixel(x, y) == clBtnShadow().rgb();
            return n;
        };
        QVERIFY(darkIn(2) >= 8);
        QCOMPARE(darkIn(1), 0);
    }

    void rotatedLabel()
    {
        QWidget win;
        win.resize(200, 200);
        TzyVLabel l(&win);
        l.setCaption(QStringLiteral(" Quantity Axis "));
        win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win));
        QCOMPARE(l.height(), l.TextWidth());
        QCOMPARE(l.width(), l.TextHeight());
        QImage img = shot(l);
        QRect ink;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qGray(img.pixel(x, y)) < 100)
                    ink |= QRect(x, y, 1, 1);
        QVERIFY(!ink.isEmpty());
        QVERIFY(ink.height() > 3 * ink.width());
        // Without AutoSize the caption sits at the bottom, centre or top.
        l.setAutoSize(false);
        l.resize(l.TextHeight(), 3 * l.TextWidth());
        auto inkTop = [&](TAlignment a) {
            l.setAlignment(a);
            const QImage im = shot(l);
            for (int y = 0; y < im.height(); ++y)
                for (int x = 0; x < im.width(); ++x)
                    if (qGray(im.pixel(x, y)) < 100)
                        return y;
            return -1;
        };
        const int bottom = inkTop(taLeftJustify), centre = inkTop(taCenter), top = inkTop(taRightJustify);
        QVERIFY(top < centre && centre < bottom);
        QVERIFY(top < l.TextWidth() / 2);
        // Disabled: highlight and shadow passes, no dark ink.
        l.setEnabled(false);
        img = shot(l);
        int shadow = 0, dark = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y), d = clBtnShadow();
                shadow += std::abs(c.red() - d.red()) + std::abs(c.green() - d.green()) + std::abs(c.blue() - d.blue()) < 30;
                dark += qGray(img.pixel(x, y)) < 60;
            }
        QVERIFY(shadow > 10);
        QCOMPARE(dark, 0);
        // The fill colour, unless transparent.
        l.setEnabled(true);
        l.setColor(clRed());
        img = shot(l);
        QCOMPARE(img.pixelColor(0, 0), clRed());
        l.setTransparent(true);
        img = win.grab(l.geometry()).toImage();
        QVERIFY(img.pixelColor(0, 0) != clRed());
    }
};

QTEST_MAIN(TstGridPaint)
#include "tst_grid_paint.moc"
