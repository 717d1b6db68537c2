// TzyGrid: the current cell and the selection, the finders, the key table,
// the selection extension and the mouse (cells, dividers, links, popup).
#include "zyGrid.h"

#include "Utils.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>

// ---- selection -------------------------------------------------------------------

void TzyGrid::SetSelection(const Block& b)
{
    if (b == m_sel)
        return;
    EndTyping();
    const Block old = m_sel;
    m_sel = b;
    if (m_colCount > 0 && m_rowCount > 0) {
        const int l = std::max(1, std::min({old.Left, b.Left, m_colCount}));
        const int t = std::max(1, std::min({old.Top, b.Top, m_rowCount}));
        const int r = std::max(1, std::min(std::max(old.Right, b.Right), m_colCount));
        const int bo = std::max(1, std::min(std::max(old.Bottom, b.Bottom), m_rowCount));
        const GridRect a = GridToClient(CellRect(l, t));
        const GridRect z = GridToClient(CellRect(r, bo));
        // One pixel more each way: the frame's ring reaches the neighbour's line.
        viewport()->update(QRect(QPoint(a.L - 1, a.T - 1), QPoint(z.R, z.B)));
    }
    if (m_gutterKind == gkPointer)
        InvalidateGutter();
}

bool TzyGrid::selectable(int c, int r) const
{
    return c >= 1 && r >= 1 && c <= m_colCount && r <= m_rowCount && cell(c, r).canSelect;
}

void TzyGrid::MoveCurrentCell(int col, int row)
{
    const int oldCol = m_col, oldRow = m_row;
    m_col = col;
    m_row = row;
    CurrentCellChanged(oldCol, oldRow);
    ShowCellEditor(m_col, m_row);
    emit OnSelectCell(col, row);
}

void TzyGrid::CurrentCellChanged(int prevCol, int prevRow)
{
    EndTyping();
    m_paintingSuspended = true;
    m_typeBuffer.clear();
    m_savedText.clear();
    ScrollInView(m_col, m_row);
    m_paintingSuspended = false;
    if (m_showColIndicator && prevCol != m_col)
        InvalidateHeader();
    if (m_showRowIndicator && prevRow != m_row)
        InvalidateGutter();
    SetSelection(blockOf(m_col, m_row));
    if (prevCol >= 1 && prevRow >= 1 && prevCol <= m_colCount && prevRow <= m_rowCount
        && (prevCol != m_col || prevRow != m_row)) {
        Cell& p = cell(prevCol, prevRow);
        QWidget* w = p.editorControl;
        switch (p.editor) {
        case ceBtn:
        case ceBBtn:
            if (qobject_cast<QPushButton*>(w))
                w->hide();
            break;
        case ceDD:
        case ceDDL:
            if (auto* cb = qobject_cast<QComboBox*>(w)) {
                p.text = cb->currentText();
                p.ddlItemIndex = cb->currentIndex();
                cb->hide();
                p.editorVisible = false;
            }
            break;
        case ceSBtn:
            if (auto* sb = qobject_cast<QToolButton*>(w)) {
                p.sBtnDown = sb->isChecked();
                sb->hide();
            }
            break;
        default:
            break;
        }
    }
    if (m_col != prevCol || m_row != prevRow)
        emit OnColRowChanged(m_col, m_row);
}

void TzyGrid::MoveToCell(int col, int row)
{
    if (badCell(col, row, "MoveToCell"))
        return;
    if (cell(col, row).canSelect)
        MoveCurrentCell(col, row);
}

void TzyGrid::MovePrev()
{
    if (m_moveDown) FindUpCell(); else FindLeftCell();
    if (m_prevTarget.x() >= 1 && m_prevTarget.y() >= 1)
        MoveToCell(m_prevTarget.x(), m_prevTarget.y());
}

void TzyGrid::MoveNext()
{
    if (m_moveDown) FindDownCell(); else FindRightCell();
    if (m_nextTarget.x() >= 1 && m_nextTarget.y() >= 1)
        MoveToCell(m_nextTarget.x(), m_nextTarget.y());
}

// ---- finders ---------------------------------------------------------------------------
// A walk in row order (horizontal) or column order (vertical), one step at a
// time, under the wrap mode.

namespace {
struct Walk {
    int cols, rows;
    bool horizontal;
    // Position as a linear index in the walking order.
    long idx(int c, int r) const { return horizontal ? long(r - 1) * cols + (c - 1) : long(c - 1) * rows + (r - 1); }
    QPoint at(long i) const
    {
        return horizontal ? QPoint(int(i % cols) + 1, int(i / cols) + 1) : QPoint(int(i / rows) + 1, int(i % rows) + 1);
    }
};
} // namespace

static QPoint findCell(const TzyGrid& g, int col, int row, bool horizontal, int dir, TMoveWrap wrap,
                       const std::function<bool(int, int)>& ok)
{
    const int cols = g.ColCount(), rows = g.RowCount();
    const QPoint cur(col, row);
    const Walk w{cols, rows, horizontal};
    const long total = long(cols) * rows;
    const int lineLen = horizontal ? cols : rows;
    auto inLinePos = [&](QPoint p) { return horizontal ? p.x() : p.y(); };
    auto withLinePos = [&](QPoint p, int v) { return horizontal ? QPoint(v, p.y()) : QPoint(p.x(), v); };
    if (wrap == mwNone) {
        int v = inLinePos(cur);
        for (;;) {
            const int n = dir < 0 ? std::max(1, v - 1) : std::min(v + 1, lineLen);
            if (n == v) return cur;
            v = n;
            const QPoint p = withLinePos(cur, v);
            if (ok(p.x(), p.y())) return p;
        }
    }
    if (wrap == mwSameColRow) {
        int v = inLinePos(cur);
        for (int steps = 0; steps <= lineLen; ++steps) {
            v += dir;
            if (v < 1) v = lineLen;
            if (v > lineLen) v = 1;
            const QPoint p = withLinePos(cur, v);
            if (ok(p.x(), p.y())) return p;
        }
        return cur;
    }
    long i = w.idx(col, row);
    const long limit = wrap == mwGrid ? total + 1 : total;
    for (long steps = 0; steps < limit; ++steps) {
        i += dir;
        if (i < 0 || i >= total) {
            if (wrap != mwGrid) return cur;
            i = i < 0 ? total - 1 : 0;
        }
        const QPoint p = w.at(i);
        if (ok(p.x(), p.y())) return p;
    }
    return cur;
}

void TzyGrid::FindLeftCell()
{
    m_prevTarget = findCell(*this, m_col, m_row, true, -1, m_moveWrap, [this](int c, int r) { return selectable(c, r); });
}
void TzyGrid::FindRightCell()
{
    m_nextTarget = findCell(*this, m_col, m_row, true, 1, m_moveWrap, [this](int c, int r) { return selectable(c, r); });
}
void TzyGrid::FindUpCell()
{
    m_prevTarget = findCell(*this, m_col, m_row, false, -1, m_moveWrap, [this](int c, int r) { return selectable(c, r); });
}
void TzyGrid::FindDownCell()
{
    m_nextTarget = findCell(*this, m_col, m_row, false, 1, m_moveWrap, [this](int c, int r) { return selectable(c, r); });
}

void TzyGrid::FindFirstCell()
{
    m_prevTarget = QPoint(m_col, m_row);
    const long limit = long(m_row - 1) * m_colCount + m_col + 1;
    const long total = long(m_colCount) * m_rowCount;
    for (long i = 0; i < std::min(limit, total); ++i) {
        const int c = int(i % m_colCount) + 1, r = int(i / m_colCount) + 1;
        if (selectable(c, r)) {
            m_prevTarget = QPoint(c, r);
            return;
        }
    }
}

void TzyGrid::FindLastCell()
{
    m_nextTarget = QPoint(m_col, m_row);
    for (long i = long(m_colCount) * m_rowCount - 1; i >= 0; --i) {
        const int c = int(i % m_colCount) + 1, r = int(i / m_colCount) + 1;
        if (selectable(c, r)) {
            m_nextTarget = QPoint(c, r);
            return;
        }
    }
}

void TzyGrid::FindRowStartCell()
{
    m_prevTarget = QPoint(m_col, m_row);
    for (int c = 1; c <= m_colCount; ++c)
        if (selectable(c, m_row)) {
            m_prevTarget = QPoint(c, m_row);
            return;
        }
}

void TzyGrid::FindPageUpCell()
{
    int offset = std::max(0, m_row - TopVisibleRow());
    if (TopVisibleRow() == 1)
        offset = 0;
    int y = std::max(0, std::min(m_maxScrollY, m_scrollY - (clientHeight() - m_cellAreaTop)));
    if (!m_smoothVerScroll)
        y = std::max(0, std::min(m_maxScrollY, SnapScrollY(y)));
    SetScrollY(y);
    m_prevTarget = QPoint(m_col, m_row);
    for (int r = std::min(offset + TopVisibleRow(), m_rowCount); r >= 1; --r)
        if (selectable(m_col, r)) {
            m_prevTarget = QPoint(m_col, r);
            return;
        }
}

void TzyGrid::FindPageDownCell()
{
    int offset = std::max(0, m_row - TopVisibleRow());
    if (BottomVisibleRow() == m_rowCount && CalcRowTop(TopVisibleRow()) == m_scrollY)
        offset = std::max(0, m_rowCount - TopVisibleRow());
    int r = BottomVisibleRow();
    if (r == m_row && clientHeight() - m_cellAreaTop < m_rows[r].height)
        r = std::min(r + 1, m_rowCount);
    int y = std::max(0, std::min(m_maxScrollY, CalcRowTop(r)));
    if (!m_smoothVerScroll)
        y = std::max(0, std::min(m_maxScrollY, SnapScrollY(y)));
    SetScrollY(y);
    m_nextTarget = QPoint(m_col, m_row);
    for (int rr = std::min(offset + TopVisibleRow(), m_rowCount); rr <= m_rowCount; ++rr)
        if (selectable(m_col, rr)) {
            m_nextTarget = QPoint(m_col, rr);
            return;
        }
}

// ---- keys ---------------------------------------------------------------------------------

void TzyGrid::ClearCurrentCell()
{
    m_paintingSuspended = true;
    InternalSetCell(m_col, m_row, QString(), true);
    m_paintingSuspended = false;
    InvalidateCells();
}

void TzyGrid::ExtendSelection(int step)
{
    if (!m_extending) {
        m_extendAnchor = QPoint(m_col, m_row);
        m_extendEnd = m_extendAnchor;
    }
    const int next = m_extendEnd.x() + step;
    if (next < 1 || next > m_colCount || !selectable(next, m_extendEnd.y()))
        return;
    m_extending = true;
    m_extendEnd.setX(next);
    SetSelection({std::min(m_extendAnchor.x(), next), m_extendAnchor.y(), std::max(m_extendAnchor.x(), next),
                  m_extendEnd.y()});
    ScrollInView(m_extendEnd.x(), m_extendEnd.y());
}

// The key table; returns true when the key belongs to it.
bool TzyGrid::KeyDown(int key, Qt::KeyboardModifiers mods)
{
    const bool single = IsSingleSelection();
    const bool writable = m_col >= 1 && m_row >= 1 && !cell(m_col, m_row).readOnly;
    auto moveTo = [this](QPoint t) {
        if (selectable(t.x(), t.y()))
            MoveCurrentCell(t.x(), t.y());
    };
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    if (ctrl) {
        switch (key) {
        case Qt::Key_C:
        case Qt::Key_Insert:
            if (single) CopyToClipboard();
            return true;
        case Qt::Key_X:
            if (single && writable) CutToClipboard();
            return true;
        case Qt::Key_V:
            if (single && writable) PasteFromClipboard();
            return true;
        case Qt::Key_Delete:
            if (single && writable) ClearCurrentCell();
            return true;
        case Qt::Key_Home:
            if (single) { FindFirstCell(); moveTo(m_prevTarget); }
            return true;
        case Qt::Key_End:
            if (single) { FindLastCell(); moveTo(m_nextTarget); }
            return true;
        case Qt::Key_Space:
            return true;
        default:
            break;
        }
    }
    if (shift) {
        switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_moveOnReturn && single) {
                if (m_moveDown) FindUpCell(); else FindLeftCell();
                moveTo(m_prevTarget);
            }
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (m_allowSelectCells)
                ExtendSelection(key == Qt::Key_Left ? -1 : 1);
            return true;
        case Qt::Key_Insert:
            if (single && writable) PasteFromClipboard();
            return true;
        case Qt::Key_Delete:
            if (single && writable) CutToClipboard();
            return true;
        case Qt::Key_Space:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_End:
        case Qt::Key_Home:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return true;
        default:
            break;
        }
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
    case Qt::Key_F2:
        m_extending = false;
        break;
    default:
        return false;
    }
    if (!single)
        return true;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_moveOnReturn) {
            if (m_moveDown) FindDownCell(); else FindRightCell();
            moveTo(m_nextTarget);
        }
        break;
    case Qt::Key_Left: FindLeftCell(); moveTo(m_prevTarget); break;
    case Qt::Key_Right: FindRightCell(); moveTo(m_nextTarget); break;
    case Qt::Key_Up: FindUpCell(); moveTo(m_prevTarget); break;
    case Qt::Key_Down: FindDownCell(); moveTo(m_nextTarget); break;
    case Qt::Key_Home: FindRowStartCell(); moveTo(m_prevTarget); break;
    case Qt::Key_PageUp: FindPageUpCell(); moveTo(m_prevTarget); break;
    case Qt::Key_PageDown: FindPageDownCell(); moveTo(m_nextTarget); break;
    case Qt::Key_Delete:
        if (writable) ClearCurrentCell();
        break;
    case Qt::Key_F2:
        if (writable) {
            ScrollInView(m_col, m_row);
            m_f2Editing = true;
            m_f2Editor->ShowAt(m_col, m_row);
        }
        break;
    default:
        break;
    }
    return true;
}

// Whether a key is the grid's own while it has the focus (it then wins over
// shortcuts of the window).
bool TzyGrid::handlesKey(int key, Qt::KeyboardModifiers mods, const QString& text) const
{
    if (!m_enabled || m_colCount < 1 || m_rowCount < 1)
        return false;
    const bool ctrl = mods & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_C: case Qt::Key_X: case Qt::Key_V:
        if (ctrl) return true;
        break;
    case Qt::Key_Insert: case Qt::Key_Delete: case Qt::Key_Home: case Qt::Key_End: case Qt::Key_Return:
    case Qt::Key_Enter: case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_F2: case Qt::Key_Backspace:
        return true;
    case Qt::Key_Escape:
        return m_caretShown;
    default:
        break;
    }
    return !ctrl && !(mods & Qt::AltModifier) && !text.isEmpty() && text.at(0).unicode() >= 32
           && text.at(0).unicode() != 127;
}

void TzyGrid::keyPressEvent(QKeyEvent* e)
{
    if (!m_enabled || m_colCount < 1 || m_rowCount < 1) {
        e->ignore();
        return;
    }
    const bool mine = KeyDown(e->key(), e->modifiers());
    bool typed = false;
    const QString text = e->text();
    if (!(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (e->key() == Qt::Key_Backspace)
            typed = KeyPress(QChar(8));
        else if (e->key() == Qt::Key_Escape)
            typed = KeyPress(QChar(27));
        else
            for (const QChar ch : text)
                typed |= KeyPress(ch);
    }
    if (mine || typed)
        e->accept();
    else
        e->ignore();
}

// ---- mouse ---------------------------------------------------------------------------------

int TzyGrid::HitTest(int x, int y)
{
    if ((m_options & goResizeCol) && y <= m_cellAreaTop) {
        const int cx = x + m_scrollX - m_cellAreaLeft;
        for (int c = 2; c <= m_colCount; ++c) {
            const int l = CalcColLeft(c);
            if (l - 3 < cx && cx < l + 3) {
                m_resizeCol = c - 1;
                return 1;
            }
            if (l - 3 > cx)
                break;
        }
    }
    if ((m_options & goResizeRow) && x <= m_cellAreaLeft) {
        const int cy = y + m_scrollY - m_cellAreaTop;
        const int r0 = std::max(2, rowAtY(cy - 3));
        for (int r = r0; r <= m_rowCount; ++r) {
            const int t = CalcRowTop(r);
            if (t - 3 < cy && cy < t + 3) {
                m_resizeRow = r - 1;
                return 2;
            }
            if (t - 3 > cy)
                break;
        }
    }
    if (x <= m_cellAreaLeft || y <= m_cellAreaTop)
        return 0;
    const QPoint c = MouseToCell(x, y);
    if (c.x() >= 1 && c.y() >= 1 && c.x() <= m_colCount && c.y() <= m_rowCount && cell(c.x(), c.y()).url)
        return 3;
    return 0;
}

static Qt::CursorShape cursorOf(int kind)
{
    switch (kind) {
    case 1: return Qt::SplitHCursor;
    case 2: return Qt::SplitVCursor;
    case 3: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}

void TzyGrid::FollowColResize()
{
    UpdateLayout();
    InvalidateFromX(m_cellAreaLeft);
    ShowCellEditor(m_col, m_row);
}

void TzyGrid::FollowRowResize()
{
    UpdateLayout();
    InvalidateFromY(m_cellAreaTop);
    ShowCellEditor(m_col, m_row);
}

void TzyGrid::mouseMoveEvent(QMouseEvent* e)
{
    const int x = int(e->position().x()), y = int(e->position().y());
    if (!m_enabled) {
        m_cursorKind = 0;
        viewport()->setCursor(cursorOf(0));
        return;
    }
    if (e->buttons() & Qt::LeftButton) {
        if (m_cursorKind == 1 && m_resizeColLeft >= 0 && m_resizeCol >= 1 && m_resizeCol <= m_colCount) {
            int minimum = ColHasEditors(m_resizeCol) ? CalcColMinWidths(m_resizeCol, true, true)
                                                     : std::max(m_gridColMinWidth, m_cols[m_resizeCol].minWidth);
            minimum = std::max(minimum, m_cols[m_resizeCol].minWidth);
            m_cols[m_resizeCol].width = std::max(minimum, x + m_scrollX - m_resizeColLeft - m_cellAreaLeft);
            colsChanged();
            m_colResized = true;
            FollowColResize();
        } else if (m_cursorKind == 2 && m_resizeRowTop >= 0 && m_resizeRow >= 1 && m_resizeRow <= m_rowCount) {
            int minimum = RowHasEditors(m_resizeRow) ? CalcRowMinHeights(m_resizeRow, true, true)
                                                     : std::max(m_gridRowMinHeight, m_rows[m_resizeRow].minHeight);
            minimum = std::max(minimum, m_rows[m_resizeRow].minHeight);
            m_rows[m_resizeRow].height = std::max(minimum, y + m_scrollY - m_resizeRowTop - m_cellAreaTop);
            rowsChanged();
            m_rowResized = true;
            FollowRowResize();
        }
        return;
    }
    m_cursorKind = HitTest(x, y);
    viewport()->setCursor(cursorOf(m_cursorKind));
}

void TzyGrid::showPopUpAt(const QPoint& clientPos)
{
    m_popUpMenu->popup(viewport()->mapToGlobal(clientPos));
}

void TzyGrid::MouseDown(Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y, bool dbl)
{
    m_colResized = m_rowResized = false;
    // A divider is dragged only from a press that started the drag.
    m_resizeColLeft = m_resizeRowTop = -1;
    if (!m_enabled)
        return;
    if (m_def.readOnly && !m_showSelection) {
        setFocus(Qt::MouseFocusReason);
        return;
    }
    if (m_cursorKind == 0 || m_cursorKind == 3) {
        m_typeBuffer.clear();
        m_savedText.clear();
        const QPoint c = MouseToCell(x, y);
        if (c.x() == m_col && c.y() == m_row && m_col >= 1 && m_row >= 1) {
            ScrollInView(m_col, m_row);
            if (dbl && !cell(m_col, m_row).readOnly) {
                m_f2Editing = true;
                m_f2Editor->ShowAt(m_col, m_row);
                return;
            }
            if (b == Qt::RightButton && m_showPopUp)
                showPopUpAt(QPoint(x, y));
            setFocus(Qt::MouseFocusReason);
            return;
        }
        if (c.x() == 0 || c.y() == 0) {
            setFocus(Qt::MouseFocusReason);
            return;
        }
        if (c.x() <= m_colCount && c.y() <= m_rowCount && cell(c.x(), c.y()).canSelect) {
            MoveCurrentCell(c.x(), c.y());
            if (b == Qt::RightButton && m_showPopUp)
                showPopUpAt(QPoint(x, y));
            setFocus(Qt::MouseFocusReason);
        }
        return;
    }
    if (m_cursorKind == 1 && m_resizeCol >= 1 && m_resizeCol <= m_colCount) {
        if (dbl && (m_options & goAutoSizeCol)) {
            m_cursorKind = 0;
            viewport()->setCursor(cursorOf(0));
            m_cols[m_resizeCol].width = std::max(CalcColMinWidths(m_resizeCol, true, true), m_cols[m_resizeCol].minWidth);
            colsChanged();
            emit OnUserColWidthChanged(m_resizeCol);
            FollowColResize();
        } else {
            EndTyping();
            m_resizeColLeft = CalcColLeft(m_resizeCol);
        }
    } else if (m_cursorKind == 2 && m_resizeRow >= 1 && m_resizeRow <= m_rowCount) {
        if (dbl && (m_options & goAutoSizeRow)) {
            m_cursorKind = 0;
            viewport()->setCursor(cursorOf(0));
            m_rows[m_resizeRow].height = std::max(CalcRowMinHeights(m_resizeRow, true, true), m_rows[m_resizeRow].minHeight);
            rowsChanged();
            emit OnUserRowHeightChanged(m_resizeRow);
            FollowRowResize();
        } else {
            EndTyping();
            m_resizeRowTop = CalcRowTop(m_resizeRow);
        }
    }
    setFocus(Qt::MouseFocusReason);
}

void TzyGrid::mousePressEvent(QMouseEvent* e)
{
    MouseDown(e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()), false);
}

void TzyGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    MouseDown(e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()), true);
}

void TzyGrid::mouseReleaseEvent(QMouseEvent* e)
{
    const int x = int(e->position().x()), y = int(e->position().y());
    m_cursorKind = HitTest(x, y);
    viewport()->setCursor(cursorOf(m_cursorKind));
    if (m_col >= 1 && m_row >= 1 && m_col <= m_colCount && m_row <= m_rowCount) {
        const TCellEditor k = cell(m_col, m_row).editor;
        if (k == ceDD || k == ceDDL)
            ShowCellEditor(m_col, m_row);
    }
    const QPoint c = MouseToCell(x, y);
    emit OnCellClick(c.x(), c.y());
    if (m_colResized)
        emit OnUserColWidthChanged(m_resizeCol);
    if (m_rowResized)
        emit OnUserRowHeightChanged(m_resizeRow);
    m_colResized = m_rowResized = false;
    m_resizeColLeft = m_resizeRowTop = -1;
}

bool TzyGrid::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (handlesKey(k->key(), k->modifiers(), k->text())) {
            e->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}
