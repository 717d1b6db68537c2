// TzyGrid: painting of cells, merged blocks, header, gutter, home cell, the
// unused area and the selection frame; text drawing and measuring; focus and
// font changes. Only the rows and columns that meet the view are visited.
#include "zyGrid.h"

#include "Utils.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QToolTip>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QSet>
#include <algorithm>

using namespace zyColor;

namespace {
int hFlag(THorAlign a) { return a == haLeft ? Qt::AlignLeft : a == haCenter ? Qt::AlignHCenter : Qt::AlignRight; }
int vFlag(TVerAlign a) { return a == vaTop ? Qt::AlignTop : a == vaCenter ? Qt::AlignVCenter : Qt::AlignBottom; }
void hLine(QPainter& p, int x1, int x2, int y, QRgb c) // x1..x2 inclusive, either order
{
    if (x2 < x1) std::swap(x1, x2);
    p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), QColor(c));
}
void vLine(QPainter& p, int x, int y1, int y2, QRgb c)
{
    if (y2 < y1) std::swap(y1, y2);
    p.fillRect(QRect(x, y1, 1, y2 - y1 + 1), QColor(c));
}
// A framed rectangle: the outline in the pen colour on the outer pixels,
// the inside filled.
void frameFill(QPainter& p, const GridRect& R, QRgb pen, QRgb fill)
{
    if (R.R <= R.L || R.B <= R.T) return;
    p.fillRect(R.toQRect(), QColor(fill));
    hLine(p, R.L, R.R - 1, R.T, pen);
    hLine(p, R.L, R.R - 1, R.B - 1, pen);
    vLine(p, R.L, R.T, R.B - 1, pen);
    vLine(p, R.R - 1, R.T, R.B - 1, pen);
}
} // namespace

// ---- measuring -------------------------------------------------------------------

QFont TzyGrid::cellFont(int col, int row) const
{
    return styled(m_gridFont, cell(col, row));
}

QString TzyGrid::removeCrLf(const QString& text)
{
    QString t = text;
    t.remove(QStringLiteral("\r\n"));
    return t;
}

QStringList TzyGrid::splitLines(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    t.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return t.split(QLatin1Char('\r'));
}

int TzyGrid::measureWidth(const QFont& f, const QString& text, bool wordWrap) const
{
    const QFontMetrics fm(f);
    if (!wordWrap)
        return fm.horizontalAdvance(removeCrLf(text));
    int w = 0;
    for (const QString& line : splitLines(text))
        w = std::max(w, fm.horizontalAdvance(line));
    return w;
}

int TzyGrid::measureHeight(const QFont& f, const QString& text, bool wordWrap) const
{
    const QFontMetrics fm(f);
    if (!wordWrap)
        return removeCrLf(text).isEmpty() ? 0 : fm.height();
    int h = 0;
    for (const QString& line : splitLines(text))
        h += line.isEmpty() ? 0 : fm.height();
    return h;
}

int TzyGrid::gridFontPixelHeight() const { return QFontInfo(m_gridFont).pixelSize(); }

int TzyGrid::CalcTextWidth(const QString& text, int col, int row) const
{
    return measureWidth(cellFont(col, row), text, cell(col, row).wordWrap);
}
int TzyGrid::CalcTextHeight(const QString& text, int col, int row) const
{
    return measureHeight(cellFont(col, row), text, cell(col, row).wordWrap);
}
int TzyGrid::CalcGutterTextWidth(const QString& text, int row) const
{
    const FixedAttr& g = m_rows[row].gutter;
    return measureWidth(styled(m_gutterFont, g), text, g.wordWrap);
}
int TzyGrid::CalcGutterTextHeight(const QString& text, int row) const
{
    const FixedAttr& g = m_rows[row].gutter;
    return measureHeight(styled(m_gutterFont, g), text, g.wordWrap);
}
int TzyGrid::CalcHeaderTextWidth(const QString& text, int col) const
{
    const FixedAttr& h = m_cols[col].header;
    return measureWidth(styled(m_headerFont, h), text, h.wordWrap);
}
int TzyGrid::CalcHeaderTextHeight(const QString& text, int col) const
{
    const FixedAttr& h = m_cols[col].header;
    return measureHeight(styled(m_headerFont, h), text, h.wordWrap);
}
int TzyGrid::CalcHomeTextWidth(const QString& text) const { return measureWidth(m_homeFont, text, m_homeWordWrap); }
int TzyGrid::CalcHomeTextHeight(const QString& text) const { return measureHeight(m_homeFont, text, m_homeWordWrap); }

int TzyGrid::CalcEditorHeight(const QString& text, int col, int row) const
{
    const Cell& x = cell(col, row);
    QFont f = m_gridFont;
    if (x.editorControl && (x.editor == ceBtn || x.editor == ceBBtn || x.editor == ceSBtn))
        f = x.editorControl->font();
    return measureHeight(f, text, false);
}

// ---- colours ------------------------------------------------------------------------

bool TzyGrid::IsSingleSelection() const
{
    if (m_sel.Right == m_sel.Left && m_sel.Bottom == m_sel.Top)
        return true;
    if (m_sel.Left < 1 || m_sel.Top < 1 || m_sel.Left > m_colCount || m_sel.Top > m_rowCount)
        return false;
    const Cell& o = cell(m_sel.Left, m_sel.Top);
    return o.merged == cmsTopLeft && m_sel.Right == m_sel.Left + o.mergeCols
        && m_sel.Bottom == m_sel.Top + o.mergeRows;
}

QColor TzyGrid::GetCellPaintColor(int col, int row) const
{
    if (!m_enabled)
        return QColor(m_disabledColor);
    QRgb c = cell(col, row).color;
    if (m_colorAlternateCol && col % 2 == 0)
        c = m_alternateColColor;
    if (m_colorAlternateRow && row % 2 == 0)
        c = m_alternateRowColor;
    if (IsSingleSelection() && cell(col, row).merged == cmsTopLeft)
        return QColor(c);
    if (col >= m_sel.Left && col <= m_sel.Right && row >= m_sel.Top && row <= m_sel.Bottom)
        return (col == m_col && row == m_row) ? QColor(c) : QColor(m_selectionColor);
    return QColor(c);
}

// ---- cells ------------------------------------------------------------------------------

void TzyGrid::paintCellBody(QPainter& p, const GridRect& R, int col, int row, QRgb fill, const QString& text)
{
    const Cell& x = cell(col, row);
    p.fillRect(R.toQRect(), QColor(fill));
    QRgb fontColor = x.fontColor;
    if (m_enabled) {
        if (m_showGridLines) {
            vLine(p, R.L, R.B - 1, R.T + 1, x.lineLeft);
            hLine(p, R.L, R.R - 2, R.T, x.lineTop);
            vLine(p, R.R - 1, R.T, R.B - 2, x.lineRight);
            hLine(p, R.R - 1, R.L + 1, R.B - 1, x.lineBottom);
        }
    } else {
        fontColor = m_disabledGridFontColor;
        if (m_showGridLines)
            frameFill(p, R, m_disabledGridLineColor, fill);
    }
    const GridRect T{R.L + 4, R.T + 2, R.R - 4, R.B - 2};
    p.setFont(cellFont(col, row));
    p.setPen(QColor(fontColor));
    p.save();
    p.setClipRect(R.toQRect(), Qt::IntersectClip);
    DrawCellText(&p, m_typing, T, text, CalcTextWidth(text, col, row), col, row);
    p.restore();
}

void TzyGrid::PaintCell(QPainter& p, int col, int row)
{
    const GridRect R = GridToClient(CellRect(col, row));
    if (!R.meets(m_visibleCellRect))
        return;
    const Cell& x = cell(col, row);
    const QRgb fill = x.editorVisible ? clBtnFace().rgb() : GetCellPaintColor(col, row).rgb();
    QString text = x.editorVisible ? QString() : x.text;
    if (x.underline)
        text = Utils::Trim(text);
    paintCellBody(p, R, col, row, fill, text);
}

void TzyGrid::PaintMergedCell(QPainter& p, int col, int row)
{
    const GridRect R = GridToClient(blockRect(col, row));
    if (!R.meets(m_visibleCellRect))
        return;
    paintCellBody(p, R, col, row, GetCellPaintColor(col, row).rgb(), cell(col, row).text);
}

QPoint TzyGrid::DrawCellText(QPainter* p, bool typing, const GridRect& T, const QString& text, int w, int col,
                             int row)
{
    const Cell& x = cell(col, row);
    const QFont f = cellFont(col, row);
    const QFontMetrics fm(f);
    const int tw = T.R - T.L, th = T.B - T.T;
    const int fontPx = gridFontPixelHeight();
    auto lineX = [&](int lw, bool keepEnd) {
        if (x.horAlign == haLeft)
            return (keepEnd && lw > tw) ? T.L - (w - tw) : T.L;
        if (x.horAlign == haCenter)
            return T.L + (tw - lw) / 2;
        return T.R - lw;
    };
    auto topY = [&](int H) {
        return x.verAlign == vaTop ? T.T : x.verAlign == vaCenter ? T.T + (th - H) / 2 : T.B - H - 1;
    };
    auto drawAt = [&](int px, int py, const QString& s) {
        if (p)
            p->drawText(QPoint(px, py + fm.ascent()), s);
    };
    if (typing && col == m_col && row == m_row) {
        int H = CalcTextHeight(text, col, row);
        if (H == 0)
            H = fontPx;
        int y = topY(H);
        int xPos = T.L;
        if (!x.wordWrap) {
            xPos = lineX(w, true);
            drawAt(xPos, y, removeCrLf(text));
        } else {
            const QStringList lines = splitLines(text);
            for (int i = 0; i < lines.size(); ++i) {
                const int lw = fm.horizontalAdvance(lines[i]);
                xPos = lineX(lw, true);
                drawAt(xPos, y, lines[i]);
                if (i + 1 < lines.size()) {
                    const int lh = lines[i].isEmpty() ? 0 : fm.height();
                    y += lh ? lh : fontPx;
                }
            }
        }
        return {std::min(xPos + w + 1, T.R), y};
    }
    if (!p)
        return {-1, -1};
    if (!x.wordWrap) {
        QString s = removeCrLf(text);
        if (x.ellipsifyPath && fm.horizontalAdvance(s) > tw)
            s = fm.elidedText(s, Qt::ElideMiddle, tw);
        else if (x.ellipsifyText && fm.horizontalAdvance(s) > tw)
            s = fm.elidedText(s, Qt::ElideRight, tw);
        p->save();
        p->setClipRect(T.toQRect(), Qt::IntersectClip);
        p->drawText(T.toQRect(), hFlag(x.horAlign) | vFlag(x.verAlign) | Qt::TextSingleLine | Qt::TextDontClip, s);
        p->restore();
        return {-1, -1};
    }
    const int H = CalcTextHeight(text, col, row);
    int y = topY(H);
    for (const QString& line : splitLines(text)) {
        const int lw = fm.horizontalAdvance(line);
        drawAt(lineX(lw, false), y, line);
        const int lh = line.isEmpty() ? 0 : fm.height();
        y += lh ? lh : fontPx;
    }
    return {-1, -1};
}

// ---- fixed cells ----------------------------------------------------------------------

void TzyGrid::PaintFixedCell(QPainter& p, const GridRect& R, QRgb fill, const QString& text, const QFont& font,
                             QRgb fontColor, int col, int row)
{
    const QRgb pen = m_flat ? clBtnShadow().rgb() : clBlack().rgb();
    frameFill(p, R, pen, fill);
    p.setFont(font);
    p.setPen(QColor(m_enabled ? fontColor : m_disabledGridFontColor));
    DrawFixedCellText(p, text, {R.L + 4, R.T + 2, R.R - 4, R.B - 2}, col, row);
    const QRgb light = clBtnHighlight().rgb();
    vLine(p, R.L + 1, R.B - 2, R.T + 2, light);
    hLine(p, R.L + 1, R.R - 2, R.T + 1, light);
    if (!m_flat) {
        const QRgb dark = clBtnShadow().rgb();
        vLine(p, R.R - 2, R.T + 1, R.B - 3, dark);
        hLine(p, R.R - 2, R.L + 1, R.B - 2, dark);
    }
}

void TzyGrid::DrawFixedCellText(QPainter& p, const QString& text, const GridRect& T, int col, int row)
{
    THorAlign ha;
    TVerAlign va;
    bool ww;
    QFont f;
    if (row == 0 && col > 0) {
        const FixedAttr& h = m_cols[col].header;
        ha = h.horAlign; va = h.verAlign; ww = h.wordWrap;
        f = styled(m_headerFont, h);
    } else if (col == 0 && row > 0) {
        const FixedAttr& g = m_rows[row].gutter;
        ha = g.horAlign; va = g.verAlign; ww = g.wordWrap;
        f = styled(m_gutterFont, g);
    } else {
        ha = m_homeHorAlign; va = m_homeVerAlign; ww = m_homeWordWrap;
        f = m_homeFont;
    }
    p.setFont(f);
    if (!ww) {
        p.save();
        p.setClipRect(T.toQRect(), Qt::IntersectClip);
        p.drawText(T.toQRect(), hFlag(ha) | vFlag(va) | Qt::TextSingleLine | Qt::TextDontClip, removeCrLf(text));
        p.restore();
        return;
    }
    const QFontMetrics fm(f);
    const int H = measureHeight(f, text, true);
    const int th = T.B - T.T, tw = T.R - T.L;
    int y = va == vaTop ? T.T : va == vaCenter ? T.T + (th - H) / 2 : T.B - H - 1;
    for (const QString& line : splitLines(text)) {
        const int lw = fm.horizontalAdvance(line);
        const int x = ha == haLeft ? T.L : ha == haCenter ? T.L + (tw - lw) / 2 : T.R - lw;
        p.drawText(QPoint(x, y + fm.ascent()), line);
        y += line.isEmpty() ? QFontInfo(f).pixelSize() : fm.height();
    }
}

GridRect TzyGrid::gutterImageRect(int row) const
{
    if (m_gutterImagePicture.isNull())
        return {};
    const int pw = m_gutterImagePicture.width(), ph = m_gutterImagePicture.height();
    const int x = m_gutterImageHorAlign == haLeft ? 4
        : m_gutterImageHorAlign == haCenter ? (m_gutterWidth - pw) / 2 : m_gutterWidth - 4 - pw;
    const int h = m_rows[row].height;
    const GridRect R = GridRect{-1, CalcRowTop(row) - 1, m_gutterWidth, CalcRowTop(row) + h}.moved(0, m_cellAreaTop - m_scrollY);
    const int y = m_gutterImageVerAlign == vaTop ? R.T + 2
        : m_gutterImageVerAlign == vaCenter ? R.T + (h - ph) / 2 : R.B - 2 - ph;
    return {x, y, x + pw, y + ph};
}

void TzyGrid::PaintGutter(QPainter& p, const QRect& dirty)
{
    if (m_gutterKind == gkNone || m_gutterWidth == 0 || m_rowCount < 1)
        return;
    const GridRect test{0, m_cellAreaTop, clientWidth(), clientHeight()};
    const int yFrom = std::max(m_cellAreaTop, dirty.top());
    const int r0 = std::max(1, rowAtY(m_scrollY + yFrom - m_cellAreaTop));
    for (int r = r0; r <= m_rowCount; ++r) {
        const int h = m_rows[r].height;
        const GridRect R = GridRect{-1, CalcRowTop(r) - 1, m_gutterWidth, CalcRowTop(r) + h}.moved(0, m_cellAreaTop - m_scrollY);
        if (R.T >= test.B || R.T > dirty.bottom())
            break;
        if (!R.meets(test))
            continue;
        QString text;
        if (m_gutterKind == gkNumber)
            text = QString::number(r);
        else if (m_gutterKind == gkString)
            text = m_rows[r].gutter.text;
        const QRgb fill = (m_enabled && m_showRowIndicator && r == m_row) ? m_rowIndicatorColor : m_gutterColor;
        PaintFixedCell(p, R, fill, text, m_gutterFont, m_rows[r].gutter.fontColor, 0, r);
        if (m_gutterKind == gkPointer && r == m_row) {
            const int x = (m_gutterWidth - 8) / 2, d = (h - 8) / 2, mid = R.T + h / 2;
            p.setPen(clBtnShadow());
            p.drawLine(x, R.B - d, x, R.T + d);
            p.drawLine(x, R.T + d, x + 8, mid);
            p.setPen(clBtnHighlight());
            p.drawLine(x + 8, mid, x, R.B - d);
        }
        if (m_enabled && (m_gutterKind == gkNumber || m_gutterKind == gkString) && m_rows[r].imageVisible
            && !m_gutterImagePicture.isNull())
            p.drawPixmap(gutterImageRect(r).toQRect().topLeft(), m_gutterImagePicture);
    }
}

void TzyGrid::PaintHeader(QPainter& p, const QRect& dirty)
{
    if (!m_showHeader)
        return;
    const GridRect test{m_cellAreaLeft, 0, clientWidth(), clientHeight()};
    const int xFrom = std::max(m_cellAreaLeft, dirty.left());
    const int c0 = std::max(1, colAtX(m_scrollX + xFrom - m_cellAreaLeft));
    for (int c = c0; c <= m_colCount; ++c) {
        const GridRect R = GridRect{CalcColLeft(c) - 1, -1, CalcColLeft(c) + m_cols[c].width, m_headerHeight}.moved(m_cellAreaLeft - m_scrollX, 0);
        if (R.L >= test.R || R.L > dirty.right())
            break;
        if (!R.meets(test))
            continue;
        const QRgb fill = (m_enabled && m_showColIndicator && c == m_col) ? m_colIndicatorColor : m_headerColor;
        PaintFixedCell(p, R, fill, m_cols[c].header.text, m_headerFont, m_cols[c].header.fontColor, c, 0);
    }
    PaintFixedCell(p, {-1, -1, m_cellAreaLeft, m_cellAreaTop}, m_homeColor, m_homeText, m_homeFont, m_homeFontColor, 0, 0);
}

// ---- frame, ring and unused area ---------------------------------------------------------

GridRect TzyGrid::frameRect() const
{
    const GridRect TL = GridToClient(CellRect(m_sel.Left, m_sel.Top));
    const GridRect BR = GridToClient(CellRect(std::min(m_sel.Right, m_colCount), std::min(m_sel.Bottom, m_rowCount)));
    return {TL.L + 1, TL.T + 1, BR.R - 1, BR.B - 1};
}

QRegion TzyGrid::ringRegion() const
{
    const GridRect F = frameRect();
    const QRegion outer(GridRect{F.L - 1, F.T - 1, F.R + 1, F.B + 1}.toQRect());
    const GridRect in{F.L + 1, F.T + 1, F.R - 1, F.B - 1};
    return in.R > in.L && in.B > in.T ? outer.subtracted(QRegion(in.toQRect())) : outer;
}

void TzyGrid::PaintSelectionFrame(QPainter& p)
{
    if (m_col == -1 || m_row == -1 || m_sel.Left < 1 || m_sel.Top < 1)
        return;
    QRgb c = m_gridLineColor;
    if (hasFocus())
        c = m_selectionRectColor;
    else if (m_f2Editing)
        c = m_f2EditorRectColor;
    const QRegion ring = ringRegion();
    for (const QRect& r : ring)
        p.fillRect(r, QColor(c));
}

void TzyGrid::PaintUnusedArea(QPainter& p)
{
    const int cw = clientWidth(), ch = clientHeight();
    const QColor u(m_unUsedColor);
    if (cw > m_usedRight)
        p.fillRect(QRect(QPoint(m_usedRight, 0), QPoint(cw - 1, ch - 1)), u);
    const int lastW = m_colCount > 0 ? m_cols[m_colCount].width : 0;
    if (m_colCount > 0 && cw - lastW - m_cellAreaLeft > 0) {
        const int x = std::max(0, CalcColLeft(m_colCount) + m_cellAreaLeft + lastW - m_scrollX);
        if (x < cw)
            p.fillRect(QRect(QPoint(x, 0), QPoint(cw - 1, ch - 1)), u);
    }
    if (ch > m_usedBottom)
        p.fillRect(QRect(QPoint(0, m_usedBottom), QPoint(cw - 1, ch - 1)), u);
    const int lastH = m_rowCount > 0 ? m_rows[m_rowCount].height : 0;
    if (ch - lastH - m_cellAreaTop > 0) {
        const int y = std::max(0, CalcRowTop(m_rowCount) + m_cellAreaTop + lastH - m_scrollY);
        if (y < ch)
            p.fillRect(QRect(QPoint(0, y), QPoint(cw - 1, ch - 1)), u);
    }
}

// ---- Paint --------------------------------------------------------------------------------

void TzyGrid::Paint(QPainter& p, const QRect& dirty)
{
    if (m_paintingSuspended)
        return;
    const int cw = clientWidth(), ch = clientHeight();
    if (m_colCount == 0) {
        p.fillRect(QRect(0, 0, cw, ch), QColor(m_unUsedColor));
        return;
    }
    if (m_rowCount == 0) {
        PaintUnusedArea(p);
        PaintGutter(p, dirty);
        PaintHeader(p, dirty);
        return;
    }
    const bool framed = m_enabled && m_showSelection && m_sel.Left >= 1 && m_sel.Top >= 1;
    const QRegion ring = framed ? ringRegion() : QRegion();
    const QRegion cellArea(QRect(QPoint(m_cellAreaLeft, m_cellAreaTop), QPoint(cw - 1, ch - 1)));

    p.setClipRegion(cellArea.subtracted(ring));
    const QRect area = QRect(QPoint(m_cellAreaLeft, m_cellAreaTop), QPoint(cw - 1, ch - 1)).intersected(dirty);
    if (!area.isEmpty()) {
        const int c0 = std::max(1, colAtX(m_scrollX + area.left() - m_cellAreaLeft));
        const int c1 = std::min(m_colCount, colAtX(m_scrollX + area.right() + 2 - m_cellAreaLeft));
        const int r0 = std::max(1, rowAtY(m_scrollY + area.top() - m_cellAreaTop));
        const int r1 = std::min(m_rowCount, rowAtY(m_scrollY + area.bottom() + 2 - m_cellAreaTop));
        QSet<quint64> owners; // blocks whose owner lies outside the range
        for (int c = c0; c <= c1; ++c)
            for (int r = r0; r <= r1; ++r) {
                const Cell& x = cell(c, r);
                if (x.merged == cmsNone) {
                    PaintCell(p, c, r);
                } else if (x.merged == cmsTopLeft) {
                    PaintMergedCell(p, c, r);
                } else {
                    const int oc = c + x.mergeCols, orow = r + x.mergeRows;
                    if ((oc < c0 || orow < r0) && oc >= 1 && orow >= 1) {
                        const quint64 key = (quint64(oc) << 32) | quint32(orow);
                        if (!owners.contains(key)) {
                            owners.insert(key);
                            PaintMergedCell(p, oc, orow);
                        }
                    }
                }
            }
    }
    p.setClipRegion(QRegion(0, 0, cw, ch).subtracted(ring));
    PaintUnusedArea(p);
    p.setClipRegion(cellArea);
    if (framed)
        PaintSelectionFrame(p);
    p.setClipping(false);
    PaintGutter(p, dirty);
    PaintHeader(p, dirty);
    if (m_caretShown && hasFocus() && m_caretPos.x() >= 0)
        p.fillRect(QRect(m_caretPos.x(), m_caretPos.y(), 1, gridFontPixelHeight() + 2), QColor(cell(m_col, m_row).fontColor));
}

bool TzyGrid::viewportEvent(QEvent* e)
{
    switch (e->type()) {
    case QEvent::Paint: {
        QPainter p(viewport());
        Paint(p, static_cast<QPaintEvent*>(e)->rect());
        return true;
    }
    case QEvent::Resize:
        // The client area changed size (the grid's own resize, or a frame
        // or bar change made by someone else): lay out again.
        if (!m_inLayout) {
            UpdateLayout();
            if (m_colCount > 0)
                ScrollInView(m_col, m_row);
        }
        return true;
    case QEvent::ToolTip: {
        auto* h = static_cast<QHelpEvent*>(e);
        const QPoint c = MouseToCell(h->pos().x(), h->pos().y());
        if (c.x() == 0 && c.y() >= 1 && c.y() <= m_rowCount && m_rows[c.y()].imageVisible
            && (m_gutterKind == gkNumber || m_gutterKind == gkString)
            && gutterImageRect(c.y()).toQRect().contains(h->pos()) && !m_rows[c.y()].imageHint.isEmpty())
            QToolTip::showText(h->globalPos(), m_rows[c.y()].imageHint, viewport());
        else
            QToolTip::hideText();
        return true;
    }
    default:
        return QAbstractScrollArea::viewportEvent(e);
    }
}

// ---- focus and fonts ------------------------------------------------------------------

void TzyGrid::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    m_caretShown = false;
    InvalidateCells();
}

void TzyGrid::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    if (QApplication::focusWidget() != m_f2Editor)
        EndTyping();
    m_caretShown = false;
    if (!m_f2Editing)
        InvalidateCells();
}

void TzyGrid::changeEvent(QEvent* e)
{
    QAbstractScrollArea::changeEvent(e);
    if (e->type() != QEvent::FontChange)
        return;
    m_gridFont = font();
    if (m_linkGutterFont) { m_gutterFont = font(); m_gutterFontColor = m_fontColor; GutterFontChanged(); }
    if (m_linkHeaderFont) { m_headerFont = font(); m_headerFontColor = m_fontColor; HeaderFontChanged(); }
    if (m_linkHomeFont) { m_homeFont = font(); m_homeFontColor = m_fontColor; }
    EndTyping();
    m_caretShown = false;
    viewport()->update();
}
