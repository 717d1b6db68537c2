// Sizes from the font's metrics, the minimum size and the fit to the work
// area. The frame's relations (the Process button 8 pixels from the right,
// the panels' heights) are held by layouts; the pages lay out their own
// contents the same way, so a resize needs no arithmetic of its own.
#include "UF_Main.h"

#include "FitRules.h"
#include "FramePlace.h"
#include "FormMetrics.h"
#include "HeadingPanel.h"
#include "UF_MainFilter.h"
#include "UF_MainMap.h"
#include "WorkArea.h"
#include "zyAD.h"
#include "zyGrid.h"
#include "zyWM.h"

#include <QComboBox>
#include <QLayout>
#include <algorithm>
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
    for (TzyGrid* g : {Map->SG_DSM, Filter->SG_DSF}) {
        g->setHeaderHeight(FontHeight + 8);
        g->setDefaultRowHeight(FontHeight + 11);
    }
    // The in-grid lists sit inside their row: 3 pixels under its top, clear
    // of the line to the next row.
    for (QComboBox* cb : {Filter->DDL_DSF_AndFlag, Filter->DDL_DSF_FilterOperator})
        cb->setFixedHeight(Filter->SG_DSF->DefaultRowHeight() - 4);
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
    // The tab bar takes its height from its captions' font (the style adds
    // its own padding, at least the designed 8 pixels).
    // Metrics are final only once the style has polished every control, and
    // the layouts must forget what they measured before the pages were built.
    ensurePolished();
    for (QLayout* l : findChildren<QLayout*>())
        l->invalidate();
    PC_Main->updateGeometry();
    if (QLayout* l = layout())
        l->activate();
    // What the pages' layouts need below the menu and the toolbar, and never
    // so narrow that the menu bar or the toolbar would wrap or a tab hide.
    QSize need = QMainWindow::minimumSizeHint();
    need.setWidth(std::max({need.width(), menuBar()->sizeHint().width(), TBar_Main->sizeHint().width(),
                            PC_Main->tabBar()->sizeHint().width()}));
    const int menuHeight = menuBar()->heightForWidth(need.width()) > 0 ? menuBar()->heightForWidth(need.width())
                                                                       : menuBar()->sizeHint().height();
    need.setHeight(qMax(need.height(), menuHeight + TBar_Main->sizeHint().height()
                                           + centralWidget()->minimumSizeHint().height()));
    setMinimumSize(need);
    m_layoutMinimum = need;
    if (WMs) {
        TzyWM& wm = WMs->getItems(wmMain);
        wm.SetDefaultWidth(need.width());
        wm.SetDefaultHeight(need.height());
    }
}

void TUF_Main::FitToWorkArea()
{
    // Before the window manager has framed the form its frame is guessed:
    // the fit starts from where the frame was put.
    const FramePlace& frame = FramePlace::Of(this);
    const bool framed = frame.Decorated();
    const QRect from = frame.Wanted().isValid() && !framed ? frame.Wanted() : frame.Frame();
    FitFrame(from);
    m_unframedFrom = framed ? QRect() : from;
    m_unframedFit = framed ? QRect() : frame.Wanted();
}

void TUF_Main::FitFrame(const QRect& from)
{
    const QRect wa = platform::workArea();
    WorkAreaHeight = wa.height();
    WorkAreaWidth = wa.width();
    // The whole frame, title bar included, goes on the work area. Once the
    // window manager has framed the form, the client area placed with a
    // guessed thickness has the wrong size: the fit starts again from the
    // frame that was wanted.
    FramePlace& place = FramePlace::Of(this);
    if (!place.onDecorated)
        place.onDecorated = [this] {
            // Fitted for a frame counted on, the form is fitted again from
            // where that fit started, so the real frame alone decides, as
            // long as nothing has moved it since.
            const FramePlace& p = FramePlace::Of(this);
            const bool first = m_unframedFrom.isValid() && !p.Settled() && p.Wanted() == m_unframedFit;
            const QRect from = first ? m_unframedFrom : p.Wanted();
            m_unframedFrom = m_unframedFit = QRect();
            FitFrame(from);
        };
    // The minimum from what the layout needs: one cut to the work area for
    // a thicker frame than the real one would stay too low.
    const QSize extra = place.Extra();
    const QSize need = m_layoutMinimum.isValid() ? m_layoutMinimum : minimumSize();
    const int minH = need.height() + extra.height();
    const int minW = need.width() + extra.width();
    const FitRules::Span v = FitRules::FitSpan(wa.top(), wa.height(), minH, from.top(), from.height());
    const FitRules::Span h = FitRules::FitSpan(wa.left(), wa.width(), minW, from.left(), from.width());
    setMinimumSize(h.minimum - extra.width(), v.minimum - extra.height());
    // Then wholly on the work area: no larger than it, its far edges in first
    // so the title bar and left edge stay on the screen.
    auto onArea = [](int start, int available, int pos, int length) {
        length = std::min(length, available);
        pos = std::max(std::min(pos, start + available - length), start);
        return std::pair(pos, length);
    };
    const auto [top, height] = onArea(wa.top(), wa.height(), v.pos, v.length);
    const auto [left, width] = onArea(wa.left(), wa.width(), h.pos, h.length);
    const QRect fitted(left, top, width, height);
    if (!isMaximized() && !isMinimized())
        place.Set(fitted);
    ArrangeRight(true);
}
