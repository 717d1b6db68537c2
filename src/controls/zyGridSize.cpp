// TzyGrid: merged blocks and the content sizes behind auto-sizing.
#include "zyGrid.h"

#include "Utils.h"

#include <QComboBox>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

void TzyGrid::MergeCells(int col1, int row1, int col2, int row2)
{
    const QString tag = QStringLiteral("zyGrid.MergeCells");
    if (Utils::CheckIndex(col1, 1, m_colCount, tag) || Utils::CheckIndex(row1, 1, m_rowCount, tag)
        || Utils::CheckIndex(col2, 1, m_colCount, tag) || Utils::CheckIndex(row2, 1, m_rowCount, tag))
        return;
    if (col2 < col1 || row1 > row2)
        return;
    Block b{col1, row1, col2, row2};
    // Grow until every block the rectangle touches lies wholly inside it, so
    // no cell outside is left pointing at an owner that is no longer one.
    for (bool grown = true; grown;) {
        grown = false;
        const Block before = b;
        for (int c = before.Right; c >= before.Left; --c)
            for (int r = before.Bottom; r >= before.Top; --r) {
                const Cell& x = cell(c, r);
                int oc = c, orow = r;
                if (x.merged == cmsMerged) {
                    oc = c + x.mergeCols;
                    orow = r + x.mergeRows;
                } else if (x.merged != cmsTopLeft) {
                    continue;
                }
                const Cell& o = cell(oc, orow);
                b.Left = std::min(b.Left, oc);
                b.Top = std::min(b.Top, orow);
                b.Right = std::max(b.Right, std::min(oc + o.mergeCols, m_colCount));
                b.Bottom = std::max(b.Bottom, std::min(orow + o.mergeRows, m_rowCount));
            }
        grown = !(b == before);
    }
    for (int c = b.Left; c <= b.Right; ++c)
        for (int r = b.Top; r <= b.Bottom; ++r) {
            Cell& x = cell(c, r);
            if (c == b.Left && r == b.Top) {
                x.merged = cmsTopLeft;
                x.mergeCols = b.Right - b.Left;
                x.mergeRows = b.Bottom - b.Top;
                if (x.mergeCols == 0 && x.mergeRows == 0)
                    x.merged = cmsNone;
            } else {
                x.merged = cmsMerged;
                x.mergeCols = b.Left - c;
                x.mergeRows = b.Top - r;
                x.text.clear();
            }
        }
    if (m_col >= 1 && m_row >= 1)
        SetSelection(blockOf(m_col, m_row));
    InvalidateCells();
}

void TzyGrid::UpdateMergedCellColsRows(int col, int row)
{
    const QString tag = QStringLiteral("TzyGrid.UpdateMergedCellColsRows");
    if (Utils::CheckIndex(col, 1, m_colCount, tag) || Utils::CheckIndex(row, 1, m_rowCount, tag))
        return;
    const Cell& x = cell(col, row);
    if (x.merged == cmsTopLeft)
        m_mergedBlock = {col, row, col + x.mergeCols, row + x.mergeRows};
    else
        m_mergedBlock = {col, row, col, row};
}

static int scrollBarExtent(const QWidget* w) { return w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w); }

int TzyGrid::CalcDDLMinWidth(int col, int row)
{
    const QString tag = QStringLiteral("TzyGrid.CalcDDLMinWidth");
    if (Utils::CheckIndex(col, 1, m_colCount, tag) || Utils::CheckIndex(row, 1, m_rowCount, tag))
        return m_gridColMinWidth;
    const Cell& x = cell(col, row);
    auto* cb = qobject_cast<QComboBox*>(x.editorControl.data());
    if ((x.editor == ceDD || x.editor == ceDDL) && cb) {
        int w = m_gridColMinWidth;
        const int vs = scrollBarExtent(this);
        for (int i = 0; i < cb->count(); ++i)
            w = std::max(w, CalcTextWidth(cb->itemText(i), col, row) + vs + 8);
        return w;
    }
    return m_cols[col].width;
}

int TzyGrid::CalcCellMinWidths(int col, int row, bool includeMerged)
{
    const QString tag = QStringLiteral("TzyGrid.CalcCellMinWidths");
    if (Utils::CheckIndex(col, 0, m_colCount, tag) || Utils::CheckIndex(row, 0, m_rowCount, tag))
        return m_gridColMinWidth;
    const Cell& x = cell(col, row);
    if (x.merged == cmsTopLeft && !includeMerged)
        return m_gridColMinWidth;
    const int tw = CalcTextWidth(x.text, col, row);
    QWidget* w = x.editorControl;
    const bool empty = x.text.isEmpty();
    switch (x.editor) {
    case ceNormal:
        return tw + 8;
    case ceBtn:
    case ceBBtn:
        if (!qobject_cast<QPushButton*>(w)) return m_gridColMinWidth;
        return empty ? w->width() + 1 : tw + 8 + w->width();
    case ceDD:
        if (!qobject_cast<QComboBox*>(w)) return m_gridColMinWidth;
        return empty ? CalcDDLMinWidth(col, row) + 5 : std::max(CalcDDLMinWidth(col, row), scrollBarExtent(this) + tw + 12);
    case ceDDL:
        if (!qobject_cast<QComboBox*>(w)) return m_gridColMinWidth;
        return CalcDDLMinWidth(col, row) + 5;
    case ceSBtn:
        if (!qobject_cast<QToolButton*>(w)) return m_gridColMinWidth;
        return empty ? w->width() + 6 : tw + 8 + w->width() + 4;
    }
    return m_gridColMinWidth;
}

int TzyGrid::CalcCellMinHeights(int col, int row, bool includeMerged)
{
    const QString tag = QStringLiteral("TzyGrid.CalcCellMinHeights");
    if (Utils::CheckIndex(col, 0, m_colCount, tag) || Utils::CheckIndex(row, 0, m_rowCount, tag))
        return m_gridRowMinHeight;
    const Cell& x = cell(col, row);
    if (x.merged == cmsTopLeft && !includeMerged)
        return m_gridRowMinHeight;
    const int th = CalcTextHeight(x.text, col, row);
    QWidget* w = x.editorControl;
    switch (x.editor) {
    case ceNormal:
        return th + 4;
    case ceBtn:
    case ceBBtn:
        if (!qobject_cast<QPushButton*>(w)) return m_gridRowMinHeight;
        return std::max(th + 4, CalcEditorHeight(static_cast<QPushButton*>(w)->text(), col, row) + 4);
    case ceSBtn:
        if (!qobject_cast<QToolButton*>(w)) return m_gridRowMinHeight;
        return std::max(th + 4, CalcEditorHeight(static_cast<QToolButton*>(w)->text(), col, row) + 4);
    case ceDD:
    case ceDDL:
        if (!qobject_cast<QComboBox*>(w)) return m_gridRowMinHeight;
        return w->height() + 3;
    }
    return m_gridRowMinHeight;
}

int TzyGrid::CalcColMinWidths(int col, bool includeHeader, bool includeMerged)
{
    if (Utils::CheckIndex(col, 1, m_colCount, QStringLiteral("TzyGrid.CalcColMinWidths")))
        return m_gridColMinWidth;
    int w = m_gridColMinWidth;
    if (includeHeader)
        w = std::max(w, CalcHeaderTextWidth(m_cols[col].header.text, col) + 8);
    for (int r = 1; r <= m_rowCount; ++r)
        w = std::max(w, CalcCellMinWidths(col, r, includeMerged));
    return w;
}

int TzyGrid::CalcRowMinHeights(int row, bool includeGutter, bool includeMerged)
{
    if (Utils::CheckIndex(row, 1, m_rowCount, QStringLiteral("TzyGrid.CalcRowMinHeights")))
        return m_gridRowMinHeight;
    int h = m_gridRowMinHeight;
    if (includeGutter) {
        switch (m_gutterKind) {
        case gkPointer:
            h = std::max(h, 12);
            break;
        case gkNumber:
        case gkString: {
            const QString t = m_gutterKind == gkNumber ? QString::number(row) : m_rows[row].gutter.text;
            h = std::max(h, CalcGutterTextHeight(t, row) + 4);
            if (!m_gutterImagePicture.isNull())
                h = std::max(h, m_gutterImagePicture.height() + 4);
            break;
        }
        default:
            break;
        }
    }
    for (int c = 1; c <= m_colCount; ++c)
        h = std::max(h, CalcCellMinHeights(c, row, includeMerged));
    return h;
}

void TzyGrid::AutoSizeCols(bool includeHeader)
{
    const bool lastAuto = m_options & goAutoSizeLastCol;
    if (lastAuto && m_colCount < 2)
        return;
    const int last = lastAuto ? m_colCount - 1 : m_colCount;
    for (int c = 1; c <= last; ++c)
        SetNeededColWidth(c, CalcColMinWidths(c, includeHeader, true));
    colsChanged();
    Relayout();
}

void TzyGrid::SetNeededColWidth(int col, int need)
{
    if (m_gridColMinWidth != 0) need = std::max(need, m_gridColMinWidth);
    if (m_cols[col].minWidth != 0) need = std::max(need, m_cols[col].minWidth);
    if (need > 0)
        m_cols[col].width = need;
}

void TzyGrid::AutoSizeColsMerged(bool includeHeader)
{
    std::vector<int> need(size_t(m_colCount) + 1, 0);
    for (int c = 1; c <= m_colCount; ++c)
        need[c] = CalcColMinWidths(c, includeHeader, false);
    for (int c = m_colCount; c >= 1; --c)
        for (int r = m_rowCount; r >= 1; --r) {
            const Cell& x = cell(c, r);
            if (x.merged != cmsTopLeft || x.mergeCols < 1)
                continue;
            UpdateMergedCellColsRows(c, r);
            const int right = std::min(m_mergedBlock.Right, m_colCount);
            int sum = 0;
            for (int k = c; k <= right; ++k)
                sum += need[k];
            const int mw = CalcCellMinWidths(c, r, true);
            while (sum < mw) {
                int pick = -1;
                for (int k = c; k <= right; ++k)
                    if (need[k] < mw && (pick < 0 || need[k] < need[pick]))
                        pick = k;
                if (pick < 0)
                    pick = c;
                ++need[pick];
                ++sum;
            }
        }
    for (int c = 1; c <= m_colCount; ++c)
        SetNeededColWidth(c, need[c]);
    colsChanged();
    Relayout();
}

void TzyGrid::AdjustRowHeight(int row, bool includeGutter)
{
    if (Utils::CheckIndex(row, 1, m_rowCount, QStringLiteral("TzyGrid.AdjustRowHeight")))
        return;
    int h = CalcRowMinHeights(row, includeGutter, true);
    if (m_gridRowMinHeight != 0) h = std::max(h, m_gridRowMinHeight);
    if (m_rows[row].minHeight != 0) h = std::max(h, m_rows[row].minHeight);
    if (h > 0) {
        m_rows[row].height = h;
        rowsChanged();
    }
    Relayout();
}

void TzyGrid::AutoSizeGutter(bool includeHome)
{
    int w = includeHome ? CalcHomeTextWidth(m_homeText) + 8 : 0;
    switch (m_gutterKind) {
    case gkNone:
        m_gutterWidth = 0;
        Relayout();
        return;
    case gkBlank:
        w = std::max(w, 8);
        break;
    case gkPointer:
        w = std::max(w, 16);
        break;
    case gkNumber:
    case gkString:
        for (int r = 1; r <= m_rowCount; ++r) {
            const QString t = m_gutterKind == gkNumber ? QString::number(r) : m_rows[r].gutter.text;
            const int tw = CalcGutterTextWidth(t, r);
            int rowNeed = tw + 8;
            if (!m_gutterImagePicture.isNull()) {
                const int iw = m_gutterImagePicture.width();
                rowNeed = m_gutterImageHorAlign == haLeft ? iw + 8 + tw + 4
                    : m_gutterImageHorAlign == haCenter ? 0 : tw + 8 + iw + 4;
            }
            w = std::max(w, rowNeed);
        }
        break;
    }
    if (w > 0) {
        m_gutterWidth = w;
        Relayout();
    }
}
