// Renders grids and rotated labels in several states to PNG files, for a
// person to look at: grid_gallery <output folder>.
#include "zyGrid.h"
#include "zyVLabel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>
#include <functional>

using namespace zyColor;

static QString outDir;

static void save(QWidget& w, const QString& name)
{
    w.show();
    QApplication::setActiveWindow(w.window());
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    w.grab().save(outDir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

static void mapGrid()
{
    QWidget form;
    form.resize(520, 260);
    TzyGrid g(&form);
    g.setGeometry(10, 10, 500, 240);
    g.setColCount(3);
    g.setRowCount(9);
    g.setDefaultColWidth(140);
    g.setDefaultRowHeight(24);
    g.setHeaderHeight(21);
    g.setGutterKind(gkString);
    g.setGutterWidth(160);
    g.setMoveDown(false);
    g.setOptions(goAutoSizeLastCol | goResizeCol | goAutoSizeCol);
    g.setUnUsedColor(clBtnFace());
    g.setHomeText(QStringLiteral(" Task Field Name "));
    g.setHeaderCellText(1, QStringLiteral(" Task Field "));
    g.setHeaderCellText(2, QStringLiteral(" Task Field Description "));
    g.setHeaderCellFontColor(1, clMaroon());
    const char* rows[] = {"Baseline Start Date", "Baseline Finish Date", "Baseline Hours", "Baseline Cost",
                          "Actual Start Date", "Actual Finish Date", "Actual Hours", "Actual Cost", "Progress"};
    for (int r = 1; r <= 9; ++r) {
        g.setGutterCellText(r, QStringLiteral(" %1 ").arg(QLatin1String(rows[r - 1])));
        if (r <= 2)
            g.setGutterCellFontColor(r, clMaroon());
    }
    g.setCells(1, 1, QStringLiteral("E"));
    g.setCells(2, 1, QStringLiteral("Start"));
    g.setCells(1, 2, QStringLiteral("F"));
    g.setCells(2, 2, QStringLiteral("Finish"));
    g.setColCanSelect(3, false);
    g.setColReadOnly(3, true);
    g.setColColor(3, g.DisabledColor());
    QPushButton browse(QStringLiteral("..."), &form);
    browse.resize(24, 20);
    g.setColEditor(1, ceBBtn);
    g.setColEditorControl(1, &browse);
    g.MoveToCell(1, 2);
    g.setFocus();
    save(form, QStringLiteral("01_map_grid_focused"));
    g.MoveToCell(2, 2);
    form.setFocus();
    save(form, QStringLiteral("02_map_grid_unfocused_col2"));
}

static void filterGrid()
{
    QWidget form;
    form.resize(560, 200);
    TzyGrid g(&form);
    g.setGeometry(10, 10, 540, 180);
    g.setColCount(4);
    g.setRowCount(5);
    g.setDefaultColWidth(110);
    g.setDefaultRowHeight(26);
    g.setHeaderHeight(21);
    g.setGutterKind(gkNumber);
    g.setGutterWidth(40);
    g.setHomeText(QStringLiteral(" ID "));
    g.setShowRowIndicator(true);
    const char* heads[] = {" Task Field ", " Operator ", " Value ", " Logic "};
    for (int c = 1; c <= 4; ++c)
        g.setHeaderCellText(c, QLatin1String(heads[c - 1]));
    QComboBox ops(&form);
    ops.addItems({QStringLiteral("Please Select..."), QStringLiteral("Equals"), QStringLiteral("Not Equals")});
    ops.resize(100, 22);
    g.setColEditor(2, ceDDL);
    g.setColEditorControl(2, &ops);
    g.setCells(1, 1, QStringLiteral("C"));
    g.setCells(2, 1, QStringLiteral("equals"));
    g.setCells(3, 1, QStringLiteral("Civil works"));
    g.setCells(1, 2, QStringLiteral("D"));
    g.setCells(3, 2, QStringLiteral("right aligned"));
    g.setCellHorAlign(3, 2, haRight);
    g.setCells(4, 2, QStringLiteral("centred"));
    g.setCellHorAlign(4, 2, haCenter);
    g.MoveToCell(2, 1);
    save(form, QStringLiteral("03_filter_grid_combo_open"));
    g.MoveToCell(3, 3);
    g.setFocus();
    QApplication::processEvents();
    for (QChar ch : QStringLiteral("Typing here")) {
        QKeyEvent k(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(&g, &k);
    }
    save(form, QStringLiteral("04_filter_grid_typing"));
    g.MoveToCell(3, 1);
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(&g, &f2);
    save(form, QStringLiteral("05_filter_grid_f2_editor"));
}

static void summaryGrid()
{
    QWidget form;
    form.resize(520, 240);
    TzyGrid g(&form);
    g.setGeometry(10, 10, 500, 220);
    g.setColCount(4);
    g.setRowCount(7);
    g.setGutterKind(gkNone);
    g.setShowHeader(false);
    g.setGridReadOnly(true);
    g.setShowSelection(false);
    g.setCells(1, 1, QStringLiteral("Project Summary of a rather long project title"));
    g.MergeCells(1, 1, 4, 1);
    g.setCellColor(1, 1, clSkyBlue());
    g.setCellFontBold(1, 1, true);
    g.setCellHorAlign(1, 1, haCenter);
    const char* labels[] = {"Baseline", "Actual", "Target", "Variance", "Remaining"};
    for (int r = 2; r <= 6; ++r) {
        g.setCells(1, r, QLatin1String(labels[r - 2]));
        g.setCells(2, r, QString::number(1234.5 * r, 'f', 2));
        g.setCellHorAlign(2, r, haRight);
        g.setCells(3, r, QStringLiteral("%1 %").arg(r * 7));
        g.setCellHorAlign(3, r, haRight);
    }
    g.setCellFontColor(3, 5, clRed());
    g.setCells(4, 2, QStringLiteral("first line\r\nsecond line"));
    g.setRowWordWrap(2, true);
    g.AdjustRowHeight(2, false);
    g.setCells(1, 7, QStringLiteral("Notes"));
    g.MergeCells(2, 7, 4, 7);
    g.setCells(2, 7, QStringLiteral("A merged note across three columns"));
    g.AutoSizeColsMerged(false);
    save(form, QStringLiteral("06_summary_grid_merged"));
}

static void stateGrids()
{
    QWidget form;
    form.resize(440, 220);
    TzyGrid g(&form);
    g.setGeometry(10, 10, 420, 200);
    g.setColCount(5);
    g.setRowCount(6);
    g.setAllowSelectCells(true);
    g.setColorAlternateRow(true);
    g.setAlternateRowColor(clMoneyGreen());
    g.setGutterKind(gkPointer);
    for (int c = 1; c <= 5; ++c)
        for (int r = 1; r <= 6; ++r)
            g.setCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    g.setCellGridLineBottomColor(2, 2, clRed());
    g.setCellGridLineRightColor(2, 2, clRed());
    g.MoveToCell(2, 3);
    g.setFocus();
    QApplication::processEvents();
    for (int i = 0; i < 2; ++i) {
        QKeyEvent k(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
        QApplication::sendEvent(&g, &k);
    }
    save(form, QStringLiteral("07_block_selection_alternate_rows"));
    g.setEnabled(false);
    save(form, QStringLiteral("08_disabled"));
}

static void bigGrid()
{
    QWidget form;
    form.resize(420, 260);
    TzyGrid g(&form);
    g.setGeometry(10, 10, 400, 240);
    g.setColCount(8);
    g.setRowCount(100000);
    g.setGutterKind(gkNumber);
    g.setGutterWidth(56);
    for (int c = 1; c <= 8; ++c)
        g.setHeaderCellText(c, QStringLiteral("Col %1").arg(c));
    for (int r = 1; r <= 100000; r += 1)
        g.setCells(1, r, QStringLiteral("row %1").arg(r));
    g.MoveToCell(3, 50000);
    g.setFocus();
    save(form, QStringLiteral("09_big_grid_scrolled"));
}

static void labels()
{
    QWidget form;
    form.resize(200, 140);
    form.setAutoFillBackground(true);
    QPalette pal = form.palette();
    pal.setColor(QPalette::Window, clWhite());
    form.setPalette(pal);
    TzyVLabel a(&form), b(&form), c(&form);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    for (TzyVLabel* l : {&a, &b, &c}) {
        l->setFont(f);
        l->setCaption(QStringLiteral(" Quantity Axis "));
    }
    a.move(10, 10);
    b.setAutoSize(false);
    b.setGeometry(60, 10, 20, 120);
    b.setAlignment(taCenter);
    b.setColor(clSkyBlue());
    c.move(120, 10);
    c.setEnabled(false);
    save(form, QStringLiteral("10_rotated_labels"));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    QApplication::setFont(f);
    outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(outDir);
    mapGrid();
    filterGrid();
    summaryGrid();
    stateGrids();
    bigGrid();
    labels();
    return 0;
}
