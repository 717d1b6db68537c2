// Sizes from the font's metrics, the minimum size and the fit to the work
// area. The frame's relations (the Process button 8 pixels from the right,
// the panels' heights) are held by layouts; the pages lay out their own
// contents the same way, so a resize needs no arithmetic of its own.
#include "UF_Main.h"

#include "FormMetrics.h"
#include "HeadingPanel.h"
#include "WorkArea.h"
#include "zyWM.h"

#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

void TUF_Main::SetupSizes()
{
    BBtn_Process->setFixedSize(FormMetrics::Scaled(80), FormMetrics::BBtnHeight());
    // The panel: the button and 12 pixels (6 above, 6 below, the top line
    // included in the upper six).
    Pnl_Main_BBtn->setFixedHeight(BBtn_Process->height() + 12);
    if (QLayout* l = Pnl_Main_BBtn->layout())
        if (auto* row = l->itemAt(1) ? l->itemAt(1)->layout() : nullptr)
            row->setContentsMargins(0, 6 - Bvl_Main_BBtn->sizeHint().height(), 8, 6);
    for (HeadingPanel* p : findChildren<HeadingPanel*>())
        p->UpdateSizes();
}

void TUF_Main::SetupPositions()
{
    ArrangeRight(false);
}

void TUF_Main::ArrangeRight(bool /*resizeEdits*/)
{
    // The Process button's place and the right-hand column of the pages
    // follow from their layouts; only a pending re-layout is forced here so
    // the positions are current when a caller reads them.
    if (QLayout* l = Pnl_Main_BBtn->layout())
        l->activate();
}

void TUF_Main::SetupConstraints()
{
    // The tab bar's height from the caption's text height.
    PC_Main->tabBar()->setMinimumHeight(PC_Main->tabBar()->fontMetrics().height() + 8);
    if (QLayout* l = layout())
        l->activate();
    // What the frame and the pages' layouts need, menu and toolbar included.
    const QSize need = QMainWindow::minimumSizeHint();
    setMinimumSize(need);
    if (WMs) {
        TzyWM& wm = WMs->getItems(wmMain);
        wm.SetDefaultWidth(need.width());
        wm.SetDefaultHeight(need.height());
    }
}

void TUF_Main::FitToWorkArea()
{
    const QRect wa = platform::workArea();
    WorkAreaHeight = wa.height();
    WorkAreaWidth = wa.width();
    QRect g = geometry();
    const int h = qMin(WorkAreaHeight, minimumHeight());
    if (minimumHeight() > h)
        setMinimumHeight(h);
    if (g.height() < h) {
        g.setTop(qMax(g.top() + g.height() / 2 - h / 2, wa.top()));
        g.setHeight(h);
    }
    const int w = qMin(WorkAreaWidth, minimumWidth());
    if (minimumWidth() > w)
        setMinimumWidth(w);
    if (g.width() < w) {
        g.setLeft(qMax(g.left() + g.width() / 2 - w / 2, wa.left()));
        g.setWidth(w);
    }
    if (g != geometry())
        setGeometry(g);
    ArrangeRight(true);
}
