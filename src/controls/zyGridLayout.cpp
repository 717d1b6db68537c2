// TzyGrid: coordinates, layout values, the scroll bars, scrolling and the
// repaint regions. Column and row positions come from prefix sums rebuilt
// after a width or height changed, so every lookup is a binary search.
#include "zyGrid.h"

#include "Utils.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

void TzyGrid::rebuildColLefts() const
{
    if (!m_colLeftsDirty && int(m_colLefts.size()) == m_colCount + 2)
        return;
    m_colLefts.assign(size_t(m_colCount) + 2, 0);
    for (int c = 2; c <= m_colCount + 1; ++c)
        m_colLefts[c] = m_colLefts[c - 1] + m_cols[c - 1].width;
    m_colLeftsDirty = false;
}

void TzyGrid::rebuildRowTops() const
{
    if (!m_rowTopsDirty && int(m_rowTops.size()) == m_rowCount + 2)
        return;
    m_rowTops.assign(size_t(m_rowCount) + 2, 0);
    for (int r = 2; r <= m_rowCount + 1; ++r)
        m_rowTops[r] = m_rowTops[r - 1] + m_rows[r - 1].height;
    m_rowTopsDirty = false;
}

int TzyGrid::CalcColLeft(int c) const
{
    if (Utils::CheckIndex(c, 0, m_colCount, QStringLiteral("zyGrid.CalcColLeft")))
        return 0;
    rebuildColLefts();
    return m_colLefts[c];
}

int TzyGrid::CalcRowTop(int r) const
{
    if (Utils::CheckIndex(r, 0, m_rowCount, QStringLiteral("zyGrid.CalcRowTop")))
        return 0;
    rebuildRowTops();
    return m_rowTops[r];
}

GridRect TzyGrid::CellRect(int c, int r) const
{
    if (c == -1 || r == -1)
        return {};
    const int x = CalcColLeft(c), y = CalcRowTop(r);
    return {x - 1, y - 1, x + m_cols[c].width, y + m_rows[r].height};
}

// The rectangle of a cell, or of the whole block for a merged owner.
GridRect TzyGrid::blockRect(int c, int r) const
{
    GridRect R = CellRect(c, r);
    const Cell& x = cell(c, r);
    if (x.merged == cmsTopLeft) {
        const GridRect E = CellRect(std::min(c + x.mergeCols, m_colCount), std::min(r + x.mergeRows, m_rowCount));
        R.R = E.R;
        R.B = E.B;
    }
    return R;
}

GridRect TzyGrid::GridToClient(const GridRect& r) const
{
    return r.moved(m_cellAreaLeft - m_scrollX, m_cellAreaTop - m_scrollY);
}

int TzyGrid::colAtX(int x) const
{
    rebuildColLefts();
    const auto first = m_colLefts.begin();
    const auto last = first + m_colCount + 1; // CalcColLeft(0..ColCount)
    const int k = int(std::lower_bound(first, last, x) - first);
    return std::max(0, k - 1);
}

int TzyGrid::rowAtY(int y) const
{
    rebuildRowTops();
    const auto first = m_rowTops.begin();
    const auto last = first + m_rowCount + 1;
    const int k = int(std::lower_bound(first, last, y) - first);
    return std::max(0, k - 1);
}

QPoint TzyGrid::MouseToCell(int x, int y) const
{
    const int col = x < m_cellAreaLeft ? 0 : colAtX(m_scrollX + x - m_cellAreaLeft);
    const int row = y < m_cellAreaTop ? 0 : rowAtY(m_scrollY + y - m_cellAreaTop);
    return {col, row};
}

int TzyGrid::CalcGridWidth() const
{
    int w = m_gutterKind != gkNone ? m_gutterWidth : 0;
    for (int c = 1; c <= m_colCount; ++c)
        w += getColWidths(c);
    return w + 4;
}

int TzyGrid::CalcGridHeight() const
{
    int h = m_showHeader ? m_headerHeight : 0;
    for (int r = 1; r <= m_rowCount; ++r)
        h += getRowHeights(r);
    return h + 4;
}

// The client size follows from the frame and the bars' policies, so the
// layout is right even before the widget is first shown.
int TzyGrid::clientWidth() const
{
    return std::max(0, contentsRect().width() - vBarWidth());
}

int TzyGrid::clientHeight() const
{
    return std::max(0, contentsRect().height() - hBarHeight());
}

int TzyGrid::vBarWidth() const
{
    return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? verticalScrollBar()->sizeHint().width() : 0;
}

int TzyGrid::hBarHeight() const
{
    return horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? horizontalScrollBar()->sizeHint().height() : 0;
}

void TzyGrid::ShowScrollBars(bool h, bool v)
{
    const bool was = m_inLayout;
    m_inLayout = true;
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_inLayout = was;
}

void TzyGrid::UpdateLayout()
{
    if (m_colCount == 0) {
        m_cellAreaTop = 0;
        m_contentWidth = m_contentHeight = 0;
        ShowScrollBars(false, false);
        return;
    }
    m_cellAreaLeft = m_gutterKind != gkNone ? m_gutterWidth : 0;
    m_cellAreaTop = m_showHeader ? m_headerHeight : 0;
    rebuildColLefts();
    if (m_options & goAutoSizeLastCol) {
        const int rest = m_colLefts[m_colCount];
        const int w = std::max(1, clientWidth() - m_cellAreaLeft - rest);
        if (w != m_cols[m_colCount].width) {
            m_cols[m_colCount].width = w;
            colsChanged();
            rebuildColLefts();
        }
    }
    rebuildRowTops();
    const int availW = clientWidth() - m_cellAreaLeft;
    const int availH = clientHeight() - m_cellAreaTop;
    m_contentWidth = m_colLefts[m_colCount + 1];
    m_contentHeight = m_rowTops[m_rowCount + 1];
    if (availW > m_contentWidth)
        m_scrollX = 0;
    if (availH > m_contentHeight)
        m_scrollY = 0;
    const bool needH = availW < m_contentWidth && (m_scrollBarKind == ssHorizontal || m_scrollBarKind == ssBoth);
    const bool needV = availH < m_contentHeight && (m_scrollBarKind == ssVertical || m_scrollBarKind == ssBoth);
    const int cw0 = clientWidth(), ch0 = clientHeight();
    ShowScrollBars(needH, needV);
    const int cw = clientWidth(), ch = clientHeight();
    // A bar that came or went resizes the client area, as a resize of the
    // window would: lay out again for the new size (a last column that
    // fills the width depends on it).
    if ((cw != cw0 || ch != ch0) && m_layoutDepth < 2) {
        ++m_layoutDepth;
        UpdateLayout();
        --m_layoutDepth;
        return;
    }

    m_maxScrollX = std::max(0, m_contentWidth - cw + m_cellAreaLeft);
    m_scrollX = std::max(0, std::min(m_maxScrollX, m_scrollX));
    m_usedRight = std::min(cw, m_cellAreaLeft + m_contentWidth);
    m_visibleWidth = m_usedRight - m_cellAreaLeft;
    m_maxScrollY = std::max(0, m_contentHeight - ch + m_cellAreaTop);
    m_scrollY = std::max(0, std::min(m_maxScrollY, m_scrollY));
    m_usedBottom = std::min(ch, m_cellAreaTop + m_contentHeight);
    m_visibleHeight = m_usedBottom - m_cellAreaTop;
    UpdateScrollBars();
    m_visibleCellRect = {m_cellAreaLeft, m_cellAreaTop, cw, ch};
}

void TzyGrid::UpdateScrollBars()
{
    const bool was = m_settingBars;
    m_settingBars = true;
    QScrollBar* hb = horizontalScrollBar();
    hb->setRange(0, m_maxScrollX);
    hb->setPageStep(m_proportionalThumb ? std::max(1, m_visibleWidth) : 1);
    hb->setSingleStep(1);
    hb->setValue(m_scrollX);
    QScrollBar* vb = verticalScrollBar();
    vb->setRange(0, m_maxScrollY);
    vb->setPageStep(m_proportionalThumb ? std::max(1, m_visibleHeight) : 1);
    vb->setSingleStep(1);
    vb->setValue(m_scrollY);
    m_settingBars = was;
}

int TzyGrid::firstColAtOrAfter(int o) const
{
    rebuildColLefts();
    const auto first = m_colLefts.begin() + 1, last = m_colLefts.begin() + m_colCount + 1;
    const auto it = std::lower_bound(first, last, o);
    return it == last ? 0 : int(it - m_colLefts.begin());
}

int TzyGrid::firstRowAtOrAfter(int o) const
{
    rebuildRowTops();
    const auto first = m_rowTops.begin() + 1, last = m_rowTops.begin() + m_rowCount + 1;
    const auto it = std::lower_bound(first, last, o);
    return it == last ? 0 : int(it - m_rowTops.begin());
}

int TzyGrid::LineLeftStep() const
{
    if (m_colCount < 1) return 0;
    const int c = firstColAtOrAfter(m_scrollX);
    if (c == 0) return std::max(0, m_cols[m_colCount].width);
    return std::max(0, m_cols[c == 1 ? 1 : c - 1].width);
}

int TzyGrid::LineRightStep() const
{
    if (m_colCount < 1) return 0;
    const int c = firstColAtOrAfter(m_scrollX);
    return std::max(0, m_cols[c == 0 ? m_colCount : c].width);
}

int TzyGrid::PageLeftStep() const
{
    if (m_colCount < 1) return 0;
    const int c = firstColAtOrAfter(m_scrollX);
    return std::max(0, m_visibleWidth - m_cols[c == 0 ? m_colCount : c].width - vBarWidth());
}

int TzyGrid::PageRightStep() const
{
    if (m_colCount < 1) return 0;
    const int c = firstColAtOrAfter(m_scrollX + m_visibleWidth - vBarWidth());
    return std::max(0, m_visibleWidth - m_cols[c == 0 ? m_colCount : c].width - vBarWidth());
}

int TzyGrid::LineUpStep() const
{
    if (m_rowCount < 1) return 0;
    const int r = firstRowAtOrAfter(m_scrollY);
    if (r == 0) return std::max(0, m_rows[m_rowCount].height);
    return std::max(0, m_rows[r == 1 ? 1 : r - 1].height);
}

int TzyGrid::LineDownStep() const
{
    if (m_rowCount < 1) return 0;
    const int r = firstRowAtOrAfter(m_scrollY);
    return std::max(0, m_rows[r == 0 ? m_rowCount : r].height);
}

int TzyGrid::PageUpStep() const
{
    if (m_rowCount < 1) return 0;
    const int r = firstRowAtOrAfter(m_scrollY);
    return std::max(0, m_visibleHeight - m_rows[r == 0 ? m_rowCount : r].height - hBarHeight());
}

int TzyGrid::PageDownStep() const
{
    if (m_rowCount < 1) return 0;
    const int r = firstRowAtOrAfter(m_scrollY + m_visibleHeight - hBarHeight());
    return std::max(0, m_visibleHeight - m_rows[r == 0 ? m_rowCount : r].height - hBarHeight());
}

int TzyGrid::SnapScrollX(int x) const
{
    if (m_colCount < 1) return 0;
    rebuildColLefts();
    // Sums of columns 1..k are m_colLefts[k + 1], k = 0..ColCount.
    const auto first = m_colLefts.begin() + 1, last = m_colLefts.begin() + m_colCount + 2;
    const auto it = std::lower_bound(first, last, x);
    return it == last ? m_colLefts[m_colCount + 1] : *it;
}

int TzyGrid::SnapScrollY(int y) const
{
    if (m_rowCount < 1) return 0;
    rebuildRowTops();
    const auto first = m_rowTops.begin() + 1, last = m_rowTops.begin() + m_rowCount + 2;
    const auto it = std::lower_bound(first, last, y);
    return it == last ? m_rowTops[m_rowCount + 1] : *it;
}

int TzyGrid::TopVisibleRow() const
{
    if (m_rowCount < 1) return 0;
    rebuildRowTops();
    const auto first = m_rowTops.begin() + 1, last = m_rowTops.begin() + m_rowCount + 1;
    // The last row whose top is at or above ScrollY.
    const int r = int(std::upper_bound(first, last, m_scrollY) - m_rowTops.begin()) - 1;
    return std::max(1, std::min(r, m_rowCount));
}

int TzyGrid::BottomVisibleRow() const
{
    if (m_rowCount < 1) return m_rowCount;
    rebuildRowTops();
    const int target = m_scrollY + m_visibleHeight - hBarHeight();
    // Bottoms of rows 1..RowCount are m_rowTops[2..RowCount+1].
    const auto first = m_rowTops.begin() + 2, last = m_rowTops.begin() + m_rowCount + 2;
    const auto it = std::lower_bound(first, last, target);
    return it == last ? m_rowCount : int(it - m_rowTops.begin()) - 1;
}

int TzyGrid::RowTop(int row) const
{
    if (Utils::CheckIndex(row, 0, m_rowCount, QStringLiteral("TzyGrid.RowTop")))
        return std::max(0, (m_rowCount - 1) * m_defaultRowHeight);
    return CalcRowTop(row) - m_scrollY + m_cellAreaTop;
}

// ---- scrolling ----------------------------------------------------------------

void TzyGrid::onScrollAction(Qt::Orientation o, int action)
{
    EndTyping();
    QScrollBar* bar = o == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    const bool horz = o == Qt::Horizontal;
    const int old = horz ? m_scrollX : m_scrollY;
    const int max = horz ? m_maxScrollX : m_maxScrollY;
    int v = old;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: v = old - (horz ? LineLeftStep() : LineUpStep()); break;
    case QAbstractSlider::SliderSingleStepAdd: v = old + (horz ? LineRightStep() : LineDownStep()); break;
    case QAbstractSlider::SliderPageStepSub: v = old - (horz ? PageLeftStep() : PageUpStep()); break;
    case QAbstractSlider::SliderPageStepAdd: v = old + (horz ? PageRightStep() : PageDownStep()); break;
    case QAbstractSlider::SliderMove: v = bar->sliderPosition(); break;
    case QAbstractSlider::SliderToMinimum: v = 0; break;
    case QAbstractSlider::SliderToMaximum: v = max; break;
    default: break;
    }
    v = std::max(0, std::min(max, v));
    if (!(horz ? m_smoothHorScroll : m_smoothVerScroll))
        v = std::max(0, std::min(max, horz ? SnapScrollX(v) : SnapScrollY(v)));
    const bool was = m_settingBars;
    m_settingBars = true;
    bar->setSliderPosition(v);
    m_settingBars = was;
    if (horz)
        applyScrollX(v);
    else
        applyScrollY(v);
}

void TzyGrid::applyScrollX(int x)
{
    if (x == m_scrollX)
        return;
    m_scrollX = x;
    UpdateScrollBars();
    InvalidateFromX(m_cellAreaLeft);
    ShowCellEditor(m_col, m_row);
}

void TzyGrid::applyScrollY(int y)
{
    if (y == m_scrollY)
        return;
    m_scrollY = y;
    UpdateScrollBars();
    InvalidateFromY(m_cellAreaTop);
    ShowCellEditor(m_col, m_row);
}

void TzyGrid::scrollContentsBy(int, int)
{
    // The grid scrolls itself; the base class would move the viewport pixels.
}

void TzyGrid::wheelEvent(QWheelEvent* e)
{
    e->accept();
    // Some touchpads report only pixel deltas.
    const int delta = e->angleDelta().y() != 0 ? e->angleDelta().y() : e->pixelDelta().y();
    if (delta == 0)
        return;
    int y = std::max(0, std::min(m_maxScrollY, m_scrollY - delta));
    if (!m_smoothVerScroll) {
        int snapped = SnapScrollY(y);
        // Snapping moves forward to the next row edge; scrolling back it
        // takes the edge at or before the offset instead, or small deltas
        // (touchpads send less than one notch) would never move up.
        if (delta > 0 && snapped != y) {
            rebuildRowTops();
            const auto first = m_rowTops.begin() + 1, last = m_rowTops.begin() + m_rowCount + 2;
            snapped = *(std::upper_bound(first, last, y) - 1);
        }
        y = std::max(0, std::min(m_maxScrollY, snapped));
    }
    applyScrollY(y);
}

void TzyGrid::SetScrollX(int x)
{
    if (x == m_scrollX)
        return;
    m_scrollX = std::max(0, std::min(m_maxScrollX, x));
    UpdateScrollBars();
    InvalidateFromX(m_cellAreaLeft);
}

void TzyGrid::SetScrollY(int y)
{
    if (y == m_scrollY)
        return;
    m_scrollY = std::max(0, std::min(m_maxScrollY, y));
    UpdateScrollBars();
    InvalidateFromY(m_cellAreaTop);
}

void TzyGrid::ScrollInView(int c, int r)
{
    if (c == -1 || r == -1)
        return;
    const int cw = clientWidth(), ch = clientHeight();
    if (cw > m_usedRight && ch > m_usedBottom)
        return;
    if (c < 0 || c > m_colCount || r < 0 || r > m_rowCount)
        return;
    const int left = CalcColLeft(c) - m_scrollX + m_cellAreaLeft;
    const int right = left + m_cols[c].width;
    const bool hNeeded = left < m_cellAreaLeft || right > cw;
    int newX = m_scrollX;
    if (left < m_cellAreaLeft)
        newX = std::max(0, newX + left - m_cellAreaLeft);
    if (right > cw)
        newX = std::min(m_maxScrollX, newX + right - cw);
    const int top = CalcRowTop(r) - m_scrollY + m_cellAreaTop;
    const int bottom = top + m_rows[r].height;
    const bool vNeeded = top < m_cellAreaTop || bottom > ch;
    int newY = m_scrollY;
    if (top < m_cellAreaTop)
        newY = std::max(0, newY + top - m_cellAreaTop);
    if (bottom > ch)
        newY = std::min(m_maxScrollY, newY + bottom - ch);
    if (vNeeded && !hNeeded) {
        SetScrollY(newY);
    } else if (hNeeded && !vNeeded) {
        SetScrollX(newX);
    } else if (hNeeded && vNeeded) {
        m_scrollX = std::max(0, std::min(m_maxScrollX, newX));
        m_scrollY = std::max(0, std::min(m_maxScrollY, newY));
        UpdateScrollBars();
        viewport()->update();
    }
}

// ---- repaint regions ---------------------------------------------------------------

void TzyGrid::InvalidateCells()
{
    viewport()->update(QRect(QPoint(m_cellAreaLeft - 2, m_cellAreaTop - 2), QPoint(clientWidth(), clientHeight())));
}
void TzyGrid::InvalidateGutter()
{
    viewport()->update(QRect(0, m_cellAreaTop, m_cellAreaLeft, clientHeight() - m_cellAreaTop));
}
void TzyGrid::InvalidateHeader()
{
    viewport()->update(QRect(0, 0, clientWidth(), m_cellAreaTop));
}
void TzyGrid::InvalidateFromX(int x)
{
    viewport()->update(QRect(x, 0, clientWidth() - x, clientHeight()));
}
void TzyGrid::InvalidateFromY(int y)
{
    viewport()->update(QRect(0, y, clientWidth(), clientHeight() - y));
}
void TzyGrid::invalidateRect(const GridRect& r)
{
    viewport()->update(r.toQRect());
}

void TzyGrid::resizeEvent(QResizeEvent* e)
{
    // The viewport's own resize event lays the grid out.
    QAbstractScrollArea::resizeEvent(e);
}
