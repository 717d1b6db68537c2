// The grid's navigation, keys, mouse, editing, editor controls, clipboard
// and popup menu.
#include "gridtestutil.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace zyColor;

namespace {
// Keys written as "S+Right C+Home Enter"; S+ is Shift, C+ is Ctrl.
void press(TzyGrid& g, const QString& seq)
{
    static const QHash<QString, int> names{
        {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up}, {"Down", Qt::Key_Down},
        {"Home", Qt::Key_Home}, {"End", Qt::Key_End}, {"Enter", Qt::Key_Return}, {"PgDn", Qt::Key_PageDown},
        {"PgUp", Qt::Key_PageUp}, {"Del", Qt::Key_Delete}, {"F2", Qt::Key_F2}, {"Tab", Qt::Key_Tab},
        {"Esc", Qt::Key_Escape}, {"BS", Qt::Key_Backspace}, {"Ins", Qt::Key_Insert}, {"C", Qt::Key_C},
        {"X", Qt::Key_X}, {"V", Qt::Key_V}};
    for (QString t : seq.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        Qt::KeyboardModifiers m;
        while (t.size() > 2 && t[1] == QLatin1Char('+')) {
            m |= t[0] == QLatin1Char('S') ? Qt::ShiftModifier : Qt::ControlModifier;
            t = t.mid(2);
        }
        const int key = names.value(t);
        QString text;
        if (key == Qt::Key_Escape) text = QStringLiteral("\x1b");
        if (key == Qt::Key_Backspace) text = QStringLiteral("\b");
        QKeyEvent e(QEvent::KeyPress, key, m, text);
        QApplication::sendEvent(&g, &e);
    }
}
void type(QWidget& w, const QString& s)
{
    for (QChar ch : s) {
        QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(&w, &e);
    }
}
void mouse(TzyGrid& g, QEvent::Type t, QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent e(t, QPointF(p), g.viewport()->mapToGlobal(QPointF(p)), b, held, Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &e);
}
void click(TzyGrid& g, QPoint p, Qt::MouseButton b = Qt::LeftButton)
{
    mouse(g, QEvent::MouseMove, p, Qt::NoButton);
    mouse(g, QEvent::MouseButtonPress, p, b, b);
    mouse(g, QEvent::MouseButtonRelease, p, b);
}
QPoint centre(const TzyGrid& g, int c, int r) { return g.GridToClient(g.CellRect(c, r)).toQRect().center(); }
QString clip() { return QGuiApplication::clipboard()->text(); }
} // namespace

class TstGridInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gridtest::fixLook(); }
    void init() { QGuiApplication::clipboard()->clear(); }

    void navigation_data()
    {
        QTest::addColumn<int>("wrap");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("blocked");
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<QRect>("sel");
        auto one = [](int c, int r) { return QRect(QPoint(c, r), QPoint(c, r)); };
        QTest::newRow("right") << int(mwNone) << QPoint(1, 1) << "Right" << "" << QPoint(2, 1) << one(2, 1);
        QTest::newRow("left at column 1 stays") << int(mwNone) << QPoint(1, 2) << "Left" << "" << QPoint(1, 2) << one(1, 2);
        QTest::newRow("right at the end stays") << int(mwNone) << QPoint(3, 1) << "Right" << "" << QPoint(3, 1) << one(3, 1);
        QTest::newRow("right skips unselectable") << int(mwNone) << QPoint(1, 1) << "Right" << "2,1" << QPoint(3, 1) << one(3, 1);
        QTest::newRow("right finds none") << int(mwNone) << QPoint(2, 1) << "Right" << "3,1" << QPoint(2, 1) << one(2, 1);
        QTest::newRow("same row wraps") << int(mwSameColRow) << QPoint(3, 2) << "Right" << "" << QPoint(1, 2) << one(1, 2);
        QTest::newRow("same column wraps up") << int(mwSameColRow) << QPoint(2, 1) << "Up" << "" << QPoint(2, 3) << one(2, 3);
        QTest::newRow("cols-rows next row") << int(mwColsRows) << QPoint(3, 1) << "Right" << "" << QPoint(1, 2) << one(1, 2);
        QTest::newRow("cols-rows last cell stays") << int(mwColsRows) << QPoint(3, 3) << "Right" << "" << QPoint(3, 3) << one(3, 3);
        QTest::newRow("cols-rows down to next column") << int(mwColsRows) << QPoint(1, 3) << "Down" << "" << QPoint(2, 1) << one(2, 1);
        QTest::newRow("grid wraps to first") << int(mwGrid) << QPoint(3, 3) << "Right" << "" << QPoint(1, 1) << one(1, 1);
        QTest::newRow("grid wraps to first selectable") << int(mwGrid) << QPoint(3, 3) << "Right" << "1,1 2,1" << QPoint(3, 1) << one(3, 1);
        QTest::newRow("grid up wraps to last") << int(mwGrid) << QPoint(1, 1) << "Up" << "" << QPoint(3, 3) << one(3, 3);
        QTest::newRow("home") << int(mwNone) << QPoint(3, 2) << "Home" << "1,2" << QPoint(2, 2) << one(2, 2);
        QTest::newRow("ctrl home") << int(mwNone) << QPoint(3, 3) << "C+Home" << "" << QPoint(1, 1) << one(1, 1);
        QTest::newRow("ctrl end") << int(mwNone) << QPoint(1, 1) << "C+End" << "3,3" << QPoint(2, 3) << one(2, 3);
        QTest::newRow("enter moves down") << int(mwNone) << QPoint(2, 2) << "Enter" << "" << QPoint(2, 3) << one(2, 3);
        QTest::newRow("shift enter moves up") << int(mwNone) << QPoint(2, 2) << "S+Enter" << "" << QPoint(2, 1) << one(2, 1);
        QTest::newRow("ctrl shift left acts as shift left") << int(mwNone) << QPoint(2, 2) << "C+S+Left" << "" << QPoint(2, 2) << QRect(QPoint(1, 2), QPoint(2, 2));
        QTest::newRow("ctrl arrow acts as arrow") << int(mwNone) << QPoint(2, 2) << "C+Down" << "" << QPoint(2, 3) << one(2, 3);
        QTest::newRow("shift up does nothing") << int(mwNone) << QPoint(2, 2) << "S+Up" << "" << QPoint(2, 2) << one(2, 2);
        QTest::newRow("shift right extends") << int(mwNone) << QPoint(1, 2) << "S+Right S+Right" << "" << QPoint(1, 2) << QRect(QPoint(1, 2), QPoint(3, 2));
        QTest::newRow("extension stops at unselectable") << int(mwNone) << QPoint(1, 2) << "S+Right S+Right" << "3,2" << QPoint(1, 2) << QRect(QPoint(1, 2), QPoint(2, 2));
        QTest::newRow("shift left shrinks back") << int(mwNone) << QPoint(2, 2) << "S+Right S+Left" << "" << QPoint(2, 2) << one(2, 2);
        QTest::newRow("plain keys only end a block") << int(mwNone) << QPoint(2, 2) << "S+Right Left Down Enter" << "" << QPoint(2, 2) << QRect(QPoint(2, 2), QPoint(3, 2));
        QTest::newRow("new extension after a plain key") << int(mwNone) << QPoint(2, 2) << "S+Right Left S+Left" << "" << QPoint(2, 2) << QRect(QPoint(1, 2), QPoint(2, 2));
    }
    void navigation()
    {
        QFETCH(int, wrap);
        QFETCH(QPoint, start);
        QFETCH(QString, keys);
        QFETCH(QString, blocked);
        QFETCH(QPoint, cell);
        QFETCH(QRect, sel);
        TzyGrid g;
        g.resize(300, 200);
        g.setColCount(3);
        g.setRowCount(3);
        g.setMoveWrap(TMoveWrap(wrap));
        g.setAllowSelectCells(true);
        g.MoveToCell(start.x(), start.y());
        for (const QString& b : blocked.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            g.setCellCanSelect(b.section(',', 0, 0).toInt(), b.section(',', 1, 1).toInt(), false);
        press(g, keys);
        QCOMPARE(QPoint(g.Col(), g.Row()), cell);
        const TzyGrid::Block s = g.Selection();
        QCOMPARE(QRect(QPoint(s.Left, s.Top), QPoint(s.Right, s.Bottom)), sel);
    }

    void shiftRightNeedsAllowSelectCells()
    {
        TzyGrid g;
        g.MoveToCell(1, 1);
        press(g, "S+Right");
        QCOMPARE(g.Selection(), (TzyGrid::Block{1, 1, 1, 1}));
    }

    void pages()
    {
        TzyGrid g;
        g.resize(300, 200);
        g.setColCount(2);
        g.setRowCount(60);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.MoveToCell(1, 1);
        press(g, "PgDn");
        QVERIFY(g.Row() > 5);
        QVERIFY(g.ScrollY() > 0);
        const GridRect r = g.GridToClient(g.CellRect(1, g.Row()));
        QVERIFY(r.T >= g.CellAreaTop() - 1 && r.B <= g.viewport()->height());
        press(g, "PgUp");
        QCOMPARE(g.ScrollY(), 0);
        QCOMPARE(g.Row(), 1);
        press(g, "C+End");
        QCOMPARE(g.Row(), 60);
        QCOMPARE(g.ScrollY(), g.MaxScrollY());
    }

    void moveEventsInOrder()
    {
        TzyGrid g;
        g.setColCount(3);
        g.setRowCount(3);
        g.MoveToCell(1, 1);
        QStringList order;
        connect(&g, &TzyGrid::OnColRowChanged, this, [&](int c, int r) { order << QStringLiteral("changed %1,%2").arg(c).arg(r); });
        connect(&g, &TzyGrid::OnSelectCell, this, [&](int c, int r) { order << QStringLiteral("select %1,%2").arg(c).arg(r); });
        g.MoveToCell(2, 3);
        press(g, "Left Left");
        QCOMPARE(order, QStringList({"changed 2,3", "select 2,3", "changed 1,3", "select 1,3", "select 1,3"}));
    }

    void emptyGridIgnoresKeys()
    {
        TzyGrid g;
        g.setRowCount(0);
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(&g, &e);
        QVERIFY(!e.isAccepted());
        QCOMPARE(g.Row(), -1);
    }

    void mouseOnCells()
    {
        TzyGrid g;
        g.resize(400, 200);
        g.setColCount(3);
        g.setRowCount(3);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QSignalSpy clicks(&g, &TzyGrid::OnCellClick);
        click(g, centre(g, 2, 3));
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(2, 3));
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks[0][0].toInt(), 2);
        // Right of the last column: the last column's cell of that row.
        click(g, QPoint(390, centre(g, 1, 2).y()));
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(3, 2));
        // The header reports column and row 0 and moves nothing.
        click(g, QPoint(centre(g, 1, 1).x(), 5));
        QCOMPARE(clicks.last()[1].toInt(), 0);
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(3, 2));
        // A double-click on the current cell opens the F2 editor unless read-only.
        mouse(g, QEvent::MouseButtonDblClick, centre(g, 3, 2));
        QVERIFY(g.F2Editor()->isVisible());
        g.EndTyping();
        QVERIFY(!g.F2Editor()->isVisible());
        g.setCellReadOnly(3, 2, true);
        mouse(g, QEvent::MouseButtonDblClick, centre(g, 3, 2));
        QVERIFY(!g.F2Editor()->isVisible());
        // The summary grids never move their current cell.
        g.setGridReadOnly(true);
        g.setShowSelection(false);
        click(g, centre(g, 1, 1));
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(3, 2));
    }

    void columnDivider()
    {
        TzyGrid g;
        g.resize(400, 200);
        g.setColCount(3);
        g.setRowCount(3);
        g.setOptions(goResizeCol | goAutoSizeCol);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QSignalSpy widths(&g, &TzyGrid::OnUserColWidthChanged);
        const int divider = g.CellAreaLeft() + 64;
        mouse(g, QEvent::MouseMove, QPoint(divider, 8), Qt::NoButton);
        QCOMPARE(g.viewport()->cursor().shape(), Qt::SplitHCursor);
        mouse(g, QEvent::MouseButtonPress, QPoint(divider, 8), Qt::LeftButton, Qt::LeftButton);
        mouse(g, QEvent::MouseMove, QPoint(divider + 30, 8), Qt::NoButton, Qt::LeftButton);
        mouse(g, QEvent::MouseMove, QPoint(divider + 40, 8), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(g.getColWidths(1), 104);
        QCOMPARE(widths.size(), 0);
        mouse(g, QEvent::MouseButtonRelease, QPoint(divider + 40, 8));
        QCOMPARE(widths.size(), 1);
        QCOMPARE(widths[0][0].toInt(), 1);
        // Links show the hand.
        g.setCellURL(2, 2, true);
        mouse(g, QEvent::MouseMove, centre(g, 2, 2), Qt::NoButton);
        QCOMPARE(g.viewport()->cursor().shape(), Qt::PointingHandCursor);
        mouse(g, QEvent::MouseMove, centre(g, 3, 2), Qt::NoButton);
        QCOMPARE(g.viewport()->cursor().shape(), Qt::ArrowCursor);
        // Dragging never goes below the minimum.
        const int d2 = g.CellAreaLeft() + 104;
        mouse(g, QEvent::MouseMove, QPoint(d2, 8), Qt::NoButton);
        mouse(g, QEvent::MouseButtonPress, QPoint(d2, 8), Qt::LeftButton, Qt::LeftButton);
        mouse(g, QEvent::MouseMove, QPoint(0, 8), Qt::NoButton, Qt::LeftButton);
        mouse(g, QEvent::MouseButtonRelease, QPoint(0, 8));
        QCOMPARE(g.getColWidths(1), 8);
        // A double-click sizes the column to its content at once.
        g.setCells(1, 2, QStringLiteral("a rather long cell text"));
        widths.clear();
        const int d3 = g.CellAreaLeft() + 8;
        mouse(g, QEvent::MouseMove, QPoint(d3, 8), Qt::NoButton);
        mouse(g, QEvent::MouseButtonPress, QPoint(d3, 8), Qt::LeftButton, Qt::LeftButton);
        mouse(g, QEvent::MouseButtonRelease, QPoint(d3, 8));
        mouse(g, QEvent::MouseButtonDblClick, QPoint(d3, 8), Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(widths.size(), 1);
        mouse(g, QEvent::MouseButtonRelease, QPoint(d3, 8));
        QCOMPARE(widths.size(), 1);
        QCOMPARE(g.getColWidths(1), g.CalcTextWidth(QStringLiteral("a rather long cell text"), 1, 2) + 8);
        // The summary grids' dividers cannot be dragged.
        g.setGridReadOnly(true);
        g.setShowSelection(false);
        const int before = g.getColWidths(1);
        const int d4 = g.CellAreaLeft() + before;
        mouse(g, QEvent::MouseMove, QPoint(d4, 8), Qt::NoButton);
        mouse(g, QEvent::MouseButtonPress, QPoint(d4, 8), Qt::LeftButton, Qt::LeftButton);
        mouse(g, QEvent::MouseMove, QPoint(d4 + 50, 8), Qt::NoButton, Qt::LeftButton);
        mouse(g, QEvent::MouseButtonRelease, QPoint(d4 + 50, 8));
        QCOMPARE(g.getColWidths(1), before);
    }

    void typeOver()
    {
        TzyGrid g;
        g.setColCount(2);
        g.setRowCount(2);
        g.setCells(1, 1, QStringLiteral("hello"));
        g.MoveToCell(1, 1);
        QSignalSpy changed(&g, &TzyGrid::OnCellChange);
        type(g, "ab");
        QCOMPARE(g.getCells(1, 1), QStringLiteral("ab"));
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed[0][2].toString(), QStringLiteral("a"));
        QVERIFY(g.Typing());
        press(g, "Esc");
        QCOMPARE(g.getCells(1, 1), QStringLiteral("hello"));
        QCOMPARE(changed.size(), 3);
        QVERIFY(!g.Typing());
        // Escape while not typing does nothing.
        press(g, "Esc");
        QCOMPARE(changed.size(), 3);
        // Backspace as the first key empties the cell.
        press(g, "BS");
        QCOMPARE(g.getCells(1, 1), QString());
        // A character above 255 does not start type-over.
        g.setCells(2, 2, QStringLiteral("keep"));
        g.MoveToCell(2, 2);
        type(g, QStringLiteral("\u20ac"));
        QCOMPARE(g.getCells(2, 2), QStringLiteral("keep"));
        // The maximum length refuses a fourth character.
        g.setColMaxLength(2, 3);
        type(g, "wxyz");
        QCOMPARE(g.getCells(2, 2), QStringLiteral("wxy"));
        // A read-only cell takes nothing.
        g.MoveToCell(1, 2);
        g.setCellReadOnly(1, 2, true);
        type(g, "q");
        press(g, "F2 Del");
        QCOMPARE(g.getCells(1, 2), QString());
        QVERIFY(!g.F2Editor()->isVisible());
        // Delete clears a writable cell with one change event.
        g.MoveToCell(2, 2);
        changed.clear();
        press(g, "Del");
        QCOMPARE(g.getCells(2, 2), QString());
        QCOMPARE(changed.size(), 1);
    }

    // A long text keeps its end at the right edge; the caret sits there.
    void typeOverDisplay()
    {
        TzyGrid g;
        g.setCells(1, 1, QStringLiteral("hello"));
        g.MoveToCell(1, 1);
        const GridRect cr = g.GridToClient(g.CellRect(1, 1));
        type(g, "i");
        QCOMPARE(g.CaretPos().x(), cr.L + 4 + g.CalcTextWidth(QStringLiteral("i"), 1, 1) + 1);
        type(g, "cdefghijklmnopqrstuvwxyz");
        QCOMPARE(g.CaretPos().x(), cr.R - 4);
        QVERIFY(g.CaretShown());
        g.MoveToCell(2, 1);
        QVERIFY(!g.CaretShown());
        QVERIFY(!g.Typing());
        QCOMPARE(g.getCells(1, 1), QStringLiteral("icdefghijklmnopqrstuvwxyz"));
    }

    void filterChar()
    {
        TzyGrid g;
        g.MoveToCell(1, 1);
        QString buffers;
        connect(&g, &TzyGrid::OnFilterChar, this, [&](int, int, QChar& key, const QRect& rect, bool& allowed, const QString& buffer) {
            buffers += QLatin1Char('[') + buffer + QLatin1Char(']');
            QCOMPARE(rect.width(), 0);
            if (key == QLatin1Char('x'))
                allowed = false;
            key = key.toUpper();
        });
        type(g, "axb");
        QCOMPARE(g.getCells(1, 1), QStringLiteral("AB"));
        QCOMPARE(buffers, QStringLiteral("[][A][A]"));
    }

    void f2Editor()
    {
        QWidget win;
        TzyGrid g(&win);
        g.setGeometry(0, 0, 300, 200);
        g.setColCount(3);
        g.setRowCount(3);
        g.setCells(1, 1, QStringLiteral("old"));
        win.show();
        QApplication::setActiveWindow(&win);
        QVERIFY(QTest::qWaitForWindowActive(&win));
        g.setFocus();
        g.MoveToCell(1, 1);
        QSignalSpy changed(&g, &TzyGrid::OnCellChange);
        press(g, "F2");
        TF2Editor* ed = g.F2Editor();
        QVERIFY(ed->isVisible());
        QVERIFY(g.F2Editing());
        QCOMPARE(ed->text(), QStringLiteral("old"));
        QCOMPARE(changed.size(), 0);
        QTRY_VERIFY(ed->hasFocus());
        QTest::keyClick(ed, Qt::Key_End);
        QTest::keyClicks(ed, "er");
        QCOMPARE(g.getCells(1, 1), QStringLiteral("older"));
        QCOMPARE(changed.size(), 2);
        QTest::keyClick(ed, Qt::Key_Escape);
        QCOMPARE(g.getCells(1, 1), QStringLiteral("old"));
        QVERIFY(!ed->isVisible());
        QVERIFY(g.hasFocus());
        // Enter commits and moves on.
        press(g, "F2");
        QTest::keyClicks(ed, "!");
        QTest::keyClick(ed, Qt::Key_Return);
        QCOMPARE(g.getCells(1, 1), QStringLiteral("old!"));
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(1, 2));
        QVERIFY(!ed->isVisible());
        // Tab moves on as well; Shift+Tab back.
        press(g, "F2");
        QTest::keyClick(ed, Qt::Key_Tab);
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(1, 3));
        QVERIFY(!ed->isVisible());
        press(g, "F2");
        QTest::keyClick(ed, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(1, 2));
        // Shift+Enter commits and moves back.
        press(g, "F2");
        QTest::keyClicks(ed, "?");
        QTest::keyClick(ed, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(g.getCells(1, 2), QStringLiteral("?"));
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(1, 1));
        QVERIFY(!ed->isVisible());
        // A right-aligned column: one pixel wider to the right.
        g.setColHorAlign(2, haRight);
        g.MoveToCell(2, 2);
        press(g, "F2");
        const GridRect r = g.GridToClient(g.CellRect(2, 2));
        QCOMPARE(ed->geometry().left(), r.L + 4);
        QCOMPARE(ed->geometry().right() + 1, r.R + 1 - 4);
        QCOMPARE(ed->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }

    void comboAndButtonEditors()
    {
        QWidget form;
        form.resize(500, 300);
        TzyGrid g(&form);
        g.setGeometry(20, 30, 400, 200);
        g.setColCount(3);
        g.setRowCount(4);
        QComboBox box(&form);
        box.addItems({QStringLiteral("Please Select..."), QStringLiteral("Equals"), QStringLiteral("Not Equals")});
        box.hide();
        QPushButton btn(QStringLiteral("..."), &form);
        btn.resize(24, 20);
        btn.hide();
        g.setColEditor(2, ceDDL);
        g.setColEditorControl(2, &box);
        g.setColEditor(3, ceBtn);
        g.setColEditorControl(3, &btn);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(g.getRowHeights(1) >= box.height() + 3);
        // An empty cell takes the first item.
        g.MoveToCell(2, 1);
        QVERIFY(box.isVisible());
        QCOMPARE(g.getCells(2, 1), QStringLiteral("Please Select..."));
        QCOMPARE(g.getCellDDLItemIndex(2, 1), 0);
        QVERIFY(g.getCellEditorVisible(2, 1));
        const GridRect r = g.GridToClient(g.CellRect(2, 1));
        const QPoint origin = g.viewport()->mapTo(&form, QPoint(0, 0));
        QCOMPARE(box.x(), origin.x() + r.L + 5);
        QCOMPARE(box.width(), r.R - r.L - 5);
        // A text matching after trimming and upper-casing selects its item.
        g.setCells(2, 2, QStringLiteral("  not equals "));
        g.MoveToCell(2, 2);
        QCOMPARE(box.currentIndex(), 2);
        QCOMPARE(g.getCellDDLItemIndex(2, 2), 2);
        // Leaving keeps the box's value in the cell and hides the box.
        box.setCurrentIndex(1);
        g.MoveToCell(1, 2);
        QVERIFY(!box.isVisible());
        QCOMPARE(g.getCells(2, 2), QStringLiteral("Equals"));
        QCOMPARE(g.getCellDDLItemIndex(2, 2), 1);
        QVERIFY(!g.getCellEditorVisible(2, 2));
        // A read-only cell shows no combo box, but its button.
        g.setCellReadOnly(2, 3, true);
        g.MoveToCell(2, 3);
        QVERIFY(!box.isVisible());
        g.setCellReadOnly(3, 3, true);
        g.MoveToCell(3, 3);
        QVERIFY(btn.isVisible());
        const GridRect b = g.GridToClient(g.CellRect(3, 3));
        QCOMPARE(btn.x(), origin.x() + b.R - 1 - btn.width());
        QCOMPARE(btn.y(), origin.y() + b.T + 4);
        QCOMPARE(btn.height(), b.B - b.T - 4);
        g.MoveToCell(1, 3);
        QVERIFY(!btn.isVisible());
        // A disabled grid shows no editors.
        g.MoveToCell(3, 1);
        QVERIFY(btn.isVisible());
        g.setEnabled(false);
        QVERIFY(!btn.isVisible());
        g.setEnabled(true);
        QVERIFY(btn.isVisible());
    }

    void editableComboAndSpeedButton()
    {
        QWidget form;
        form.resize(500, 300);
        TzyGrid g(&form);
        g.setGeometry(0, 0, 400, 200);
        g.setColCount(2);
        g.setRowCount(3);
        QComboBox box(&form);
        box.addItems({QStringLiteral("one"), QStringLiteral("two")});
        QToolButton sb;
        sb.setCheckable(true);
        sb.resize(16, 16);
        g.setCellEditor(1, 1, ceDD);
        g.setCellEditorControl(1, 1, &box);
        g.setCellEditor(2, 2, ceSBtn);
        g.setCellEditorControl(2, 2, &sb);
        QCOMPARE(sb.parentWidget(), g.viewport());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        g.setCells(1, 1, QStringLiteral("free text"));
        g.MoveToCell(1, 1);
        QVERIFY(box.isEditable());
        QCOMPARE(box.currentText(), QStringLiteral("free text"));
        g.MoveToCell(2, 2);
        QVERIFY(!box.isVisible());
        QCOMPARE(g.getCells(1, 1), QStringLiteral("free text"));
        QVERIFY(sb.isVisible());
        const GridRect r = g.GridToClient(g.CellRect(2, 2));
        QCOMPARE(sb.geometry(), QRect(r.R - 2 - 16, r.T + 2, 16, r.B - r.T - 4));
        sb.setChecked(true);
        g.MoveToCell(1, 2);
        QVERIFY(!sb.isVisible());
        QVERIFY(g.getCellSBtnDown(2, 2));
    }

    void copyCutPaste()
    {
        TzyGrid g;
        g.setColCount(5);
        g.setRowCount(5);
        g.setCells(1, 1, QStringLiteral("one"));
        g.MoveToCell(1, 1);
        press(g, "C+C");
        QCOMPARE(clip(), QStringLiteral("one\r\n"));
        QSignalSpy changed(&g, &TzyGrid::OnCellChange);
        press(g, "C+X");
        QCOMPARE(clip(), QStringLiteral("one\r\n"));
        QCOMPARE(g.getCells(1, 1), QString());
        QCOMPARE(changed.size(), 1);
        // Two lines of three fields at [2,3]; a short line empties the rest.
        for (int c = 2; c <= 4; ++c)
            g.setCells(c, 4, QStringLiteral("old"));
        QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\tc\r\nd\r\n"));
        g.MoveToCell(2, 3);
        press(g, "C+V");
        QCOMPARE(g.getCells(2, 3), QStringLiteral("a"));
        QCOMPARE(g.getCells(4, 3), QStringLiteral("c"));
        QCOMPARE(g.getCells(2, 4), QStringLiteral("d"));
        QCOMPARE(g.getCells(3, 4), QString());
        QCOMPARE(g.getCells(4, 4), QString());
        QCOMPARE(g.getCells(5, 3), QString());
        // At the last column only the first field lands.
        g.MoveToCell(5, 1);
        press(g, "S+Ins");
        QCOMPARE(g.getCells(5, 1), QStringLiteral("a"));
        QCOMPARE(g.getCells(5, 2), QStringLiteral("d"));
        // The maximum length cuts pasted fields.
        g.setColMaxLength(1, 3);
        QGuiApplication::clipboard()->setText(QStringLiteral("abcdef"));
        g.MoveToCell(1, 5);
        press(g, "C+V");
        QCOMPARE(g.getCells(1, 5), QStringLiteral("abc"));
        // An empty clipboard text changes nothing.
        QGuiApplication::clipboard()->setText(QString());
        press(g, "C+V");
        QCOMPARE(g.getCells(1, 5), QStringLiteral("abc"));
    }

    void roundTrip()
    {
        TzyGrid g;
        g.setColCount(4);
        g.setRowCount(4);
        g.setAllowSelectCells(true);
        const QStringList texts{QStringLiteral("two\r\nlines"), QStringLiteral("tab\there"), QStringLiteral("\"quoted\" start")};
        for (int c = 1; c <= 3; ++c)
            g.setCells(c, 1, texts[c - 1]);
        g.MoveToCell(1, 1);
        press(g, "S+Right S+Right");
        g.CopyToClipboard();
        QCOMPARE(clip(), QStringLiteral("\"two\r\nlines\"\t\"tab\there\"\t\"\"\"quoted\"\" start\"\r\n"));
        g.MoveToCell(2, 3);
        press(g, "C+V");
        QCOMPARE(g.getCells(2, 3), texts[0]);
        QCOMPARE(g.getCells(3, 3), texts[1]);
        QCOMPARE(g.getCells(4, 3), texts[2]);
        QCOMPARE(g.getCells(2, 4), QString());
        // Text from elsewhere with a stray quote stays as it is.
        const auto lines = TzyGrid::ParseClipboardText(QStringLiteral("\"a\" b\tc\n\"open"));
        QCOMPARE(lines.size(), size_t(2));
        QCOMPARE(lines[0], QStringList({QStringLiteral("\"a\" b"), QStringLiteral("c")}));
        QCOMPARE(lines[1], QStringList({QStringLiteral("\"open"), QString()}));
    }

    void readOnlyCellsUntouched()
    {
        TzyGrid g;
        g.setColCount(4);
        g.setRowCount(3);
        g.setAllowSelectCells(true);
        g.setCells(2, 1, QStringLiteral("locked"));
        g.setCellReadOnly(2, 1, true);
        g.setCells(3, 1, QStringLiteral("free"));
        // Paste over a block holding a read-only cell.
        QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\tc\r\n"));
        g.MoveToCell(1, 1);
        press(g, "C+V");
        QCOMPARE(g.getCells(1, 1), QStringLiteral("a"));
        QCOMPARE(g.getCells(2, 1), QStringLiteral("locked"));
        QCOMPARE(g.getCells(3, 1), QStringLiteral("c"));
        // Cut of a block copies the read-only text but keeps it.
        press(g, "S+Right S+Right");
        g.CutToClipboard();
        QCOMPARE(clip(), QStringLiteral("a\tlocked\tc\r\n"));
        QCOMPARE(g.getCells(1, 1), QString());
        QCOMPARE(g.getCells(2, 1), QStringLiteral("locked"));
        QCOMPARE(g.getCells(3, 1), QString());
        // Keys do nothing on a read-only current cell.
        g.MoveToCell(2, 1);
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        press(g, "C+V C+X S+Del Del C+Del");
        QCOMPARE(g.getCells(2, 1), QStringLiteral("locked"));
    }

    void copyGrid()
    {
        TzyGrid g;
        g.setColCount(2);
        g.setRowCount(3);
        g.setGutterKind(gkNumber);
        g.setHomeText(QStringLiteral(" ID "));
        g.setHeaderCellText(1, QStringLiteral("A"));
        g.setHeaderCellText(2, QStringLiteral("B"));
        g.setCells(1, 1, QStringLiteral("x"));
        g.CopyGridToClipboard();
        QCOMPARE(clip(), QStringLiteral(" ID \tA\tB\r\n1\tx\t\r\n2\t\t\r\n3\t\t\r\n"));
        g.setGutterKind(gkNone);
        g.setShowHeader(false);
        g.setCells(2, 2, QStringLiteral("multi\r\nline"));
        g.CopyGridToClipboard();
        QCOMPARE(clip(), QStringLiteral("x\t\r\n\t\"multi\r\nline\"\r\n\t\r\n"));
        QVERIFY(!g.IsEmpty());
        g.ClearRow(1);
        g.setCells(2, 2, QStringLiteral("  \t "));
        QVERIFY(g.IsEmpty());
    }

    void popUpMenu()
    {
        TzyGrid g;
        g.setColCount(2);
        g.setRowCount(2);
        g.setShowPopUp(true);
        g.setPopUpClearText(QStringLiteral("Empty"));
        QList<QAction*> items = g.DefaultPopUpMenu()->actions();
        QCOMPARE(items[0]->text(), QStringLiteral("Cut"));
        QCOMPARE(items[3]->text(), QStringLiteral("Empty"));
        g.MoveToCell(1, 1);
        g.setCells(1, 1, QStringLiteral("abc"));
        g.PopUpMenuPopup();
        QVERIFY(items[0]->isEnabled());
        QVERIFY(!items[2]->isEnabled()); // nothing on the clipboard
        QVERIFY(items[3]->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("z"));
        g.PopUpMenuPopup();
        QVERIFY(items[2]->isEnabled());
        items[3]->trigger();
        QCOMPARE(g.getCells(1, 1), QString());
        items[2]->trigger();
        QCOMPARE(g.getCells(1, 1), QStringLiteral("z"));
        g.setCellReadOnly(1, 1, true);
        g.PopUpMenuPopup();
        QVERIFY(!items[0]->isEnabled());
        QVERIFY(!items[2]->isEnabled());
        QVERIFY(!items[3]->isEnabled());
        QVERIFY(items[1]->isEnabled());
        items[3]->trigger();
        QCOMPARE(g.getCells(1, 1), QStringLiteral("z"));
        // A right click opens the menu only with ShowPopUp.
        g.resize(300, 200);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        click(g, centre(g, 2, 2), Qt::RightButton);
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(2, 2));
        QTRY_VERIFY(g.DefaultPopUpMenu()->isVisible());
        QVERIFY(items[0]->isEnabled());
        g.DefaultPopUpMenu()->hide();
        g.setShowPopUp(false);
        click(g, centre(g, 2, 1), Qt::RightButton);
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(2, 1));
        QVERIFY(!g.DefaultPopUpMenu()->isVisible());
    }

    // While the grid has the focus its keys win over the window's shortcuts.
    void shortcutsOfTheGridWin()
    {
        QMainWindow win;
        auto* g = new TzyGrid(&win);
        win.setCentralWidget(g);
        QAction copy(QStringLiteral("Copy"), &win);
        copy.setShortcut(QKeySequence::Copy);
        win.addAction(&copy);
        QAction del(QStringLiteral("Delete"), &win);
        del.setShortcut(QKeySequence(Qt::Key_Delete));
        win.addAction(&del);
        QSignalSpy copied(&copy, &QAction::triggered);
        QSignalSpy deleted(&del, &QAction::triggered);
        g->setCells(1, 1, QStringLiteral("mine"));
        win.show();
        QApplication::setActiveWindow(&win);
        QVERIFY(QTest::qWaitForWindowActive(&win));
        g->setFocus();
        QTRY_VERIFY(g->hasFocus());
        g->MoveToCell(1, 1);
        QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clip(), QStringLiteral("mine\r\n"));
        QCOMPARE(copied.size(), 0);
        QTest::keyClick(g, Qt::Key_Delete);
        QCOMPARE(g->getCells(1, 1), QString());
        QCOMPARE(deleted.size(), 0);
    }
};

QTEST_MAIN(TstGridInput)
#include "tst_grid_input.moc"
