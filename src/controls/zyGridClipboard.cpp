// TzyGrid: cut, copy and paste through the clipboard as tab-separated text,
// the whole-grid copy, clearing, and the popup menu's enabling rules.
//
// A field holding a TAB, a line break or a leading double quote is written
// in double quotes with inner quotes doubled, as spreadsheets do, and such a
// field is read back whole; otherwise copying a multi-line cell and pasting
// it would spill its lines into the rows below.
#include "zyGrid.h"

#include "Utils.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

QString TzyGrid::QuoteField(const QString& text)
{
    const bool quote = text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\r'))
        || text.contains(QLatin1Char('\n')) || text.startsWith(QLatin1Char('"'));
    if (!quote)
        return text;
    QString t = text;
    t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

std::vector<QStringList> TzyGrid::ParseClipboardText(const QString& text)
{
    std::vector<QStringList> lines;
    QStringList fields;
    QString field;
    bool lineHasContent = false, atFieldStart = true;
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        const QChar ch = text.at(i);
        if (atFieldStart && ch == QLatin1Char('"')) {
            QString buf;
            bool ok = false;
            int j = i + 1;
            while (j < n) {
                if (text.at(j) == QLatin1Char('"')) {
                    if (j + 1 < n && text.at(j + 1) == QLatin1Char('"')) {
                        buf += QLatin1Char('"');
                        j += 2;
                        continue;
                    }
                    const int k = j + 1;
                    ok = k == n || text.at(k) == QLatin1Char('\t') || text.at(k) == QLatin1Char('\r')
                        || text.at(k) == QLatin1Char('\n');
                    break;
                }
                buf += text.at(j);
                ++j;
            }
            if (ok) {
                field = buf;
                i = j + 1;
                atFieldStart = false;
                lineHasContent = true;
                continue;
            }
        }
        if (ch == QLatin1Char('\t')) {
            fields << field;
            field.clear();
            atFieldStart = true;
            lineHasContent = true;
            ++i;
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            fields << field;
            lines.push_back(fields);
            fields.clear();
            field.clear();
            if (ch == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++i;
            atFieldStart = true;
            lineHasContent = false;
        } else {
            field += ch;
            atFieldStart = false;
            lineHasContent = true;
            ++i;
        }
    }
    if (lineHasContent) {
        fields << field;
        lines.push_back(fields);
    }
    qsizetype widest = 0;
    for (const QStringList& l : lines)
        widest = std::max(widest, l.size());
    for (QStringList& l : lines)
        while (l.size() < widest)
            l << QString();
    return lines;
}

QString TzyGrid::ClipboardText(int left, int top, int right, int bottom) const
{
    QString out;
    for (int r = top; r <= bottom; ++r) {
        QStringList line;
        for (int c = left; c <= right; ++c)
            line << QuoteField(cell(c, r).text);
        out += line.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    return out;
}

static void putOnClipboard(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

static bool clipboardHasText()
{
    const QMimeData* d = QGuiApplication::clipboard()->mimeData();
    return d && d->hasText();
}

void TzyGrid::CopyToClipboard()
{
    if (m_colCount < 1 || m_rowCount < 1 || m_sel.Left < 1 || m_sel.Top < 1)
        return;
    const int right = std::min(m_sel.Right, m_colCount), bottom = std::min(m_sel.Bottom, m_rowCount);
    putOnClipboard(ClipboardText(m_sel.Left, m_sel.Top, right, bottom));
}

void TzyGrid::CutToClipboard()
{
    if (m_colCount < 1 || m_rowCount < 1 || m_sel.Left < 1 || m_sel.Top < 1)
        return;
    const int right = std::min(m_sel.Right, m_colCount), bottom = std::min(m_sel.Bottom, m_rowCount);
    const QString text = ClipboardText(m_sel.Left, m_sel.Top, right, bottom);
    m_paintingSuspended = true;
    for (int r = m_sel.Top; r <= bottom; ++r)
        for (int c = m_sel.Left; c <= right; ++c)
            if (!cell(c, r).readOnly) // a read-only cell is copied, never emptied
                InternalSetCell(c, r, QString(), true);
    putOnClipboard(text);
    m_paintingSuspended = false;
    InvalidateCells();
}

void TzyGrid::PasteFromClipboard()
{
    if (!clipboardHasText())
        return;
    EndTyping();
    m_paintingSuspended = true;
    const auto lines = ParseClipboardText(QGuiApplication::clipboard()->text());
    for (size_t i = 0; i < lines.size(); ++i) {
        const int r = m_row + int(i);
        if (r > m_rowCount)
            break;
        for (int j = 0; j < lines[i].size(); ++j) {
            const int c = m_col + j;
            if (c > m_colCount)
                break;
            const Cell& x = cell(c, r);
            if (x.readOnly) // pasting over a block never writes a read-only cell
                continue;
            QString field = lines[i].at(j);
            if (x.maxLength > 0 && field.size() > x.maxLength)
                field.truncate(x.maxLength);
            InternalSetCell(c, r, field, true);
        }
    }
    m_paintingSuspended = false;
    InvalidateCells();
}

void TzyGrid::CopyGridToClipboard()
{
    const bool gutter = m_gutterKind != gkNone;
    QString out;
    if (m_showHeader) {
        QStringList line;
        if (gutter)
            line << QuoteField(m_homeText);
        for (int c = 1; c <= m_colCount; ++c)
            line << QuoteField(m_cols[c].header.text);
        out += line.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    for (int r = 1; r <= m_rowCount; ++r) {
        QStringList line;
        if (gutter)
            line << QuoteField(m_gutterKind == gkNumber ? QString::number(r)
                               : m_gutterKind == gkString ? m_rows[r].gutter.text : QString());
        for (int c = 1; c <= m_colCount; ++c)
            line << QuoteField(cell(c, r).text);
        out += line.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    putOnClipboard(out);
}

void TzyGrid::clearRowCells(int row)
{
    for (int c = 1; c <= m_colCount; ++c) {
        Cell& x = cell(c, row);
        x.text.clear();
        x.sBtnDown = false;
        x.ddlItemIndex = -1;
    }
}

void TzyGrid::ClearCells()
{
    for (int r = 1; r <= m_rowCount; ++r)
        clearRowCells(r);
    InvalidateCells();
}

void TzyGrid::ClearRow(int row)
{
    if (row < 1 || row > m_rowCount)
        return;
    clearRowCells(row);
    InvalidateCells();
}

bool TzyGrid::IsEmpty() const
{
    if (m_colCount < 1)
        return true;
    for (int c = 1; c <= m_colCount; ++c)
        for (int r = 1; r <= m_rowCount; ++r)
            if (!Utils::Trim(cell(c, r).text).isEmpty())
                return false;
    return true;
}

void TzyGrid::PopUpMenuPopup()
{
    const bool cut = IsSingleSelection() && m_col >= 1 && m_row >= 1 && m_col <= m_colCount && m_row <= m_rowCount
        && !cell(m_col, m_row).readOnly;
    const bool paste = cut && clipboardHasText();
    m_popUpActions[0]->setEnabled(cut);
    m_popUpActions[3]->setEnabled(cut);
    m_popUpActions[2]->setEnabled(paste);
}
