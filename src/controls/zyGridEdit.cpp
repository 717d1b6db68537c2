// TzyGrid: type-over editing, the F2 editor and the editor controls shown
// over the current cell.
#include "zyGrid.h"

#include "Utils.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

// ---- editor controls -----------------------------------------------------------------

void TzyGrid::ShowCellEditor(int col, int row)
{
    if (!m_enabled)
        return;
    if (Utils::CheckIndex(col, 0, m_colCount, QStringLiteral("zyGrid.ShowCellEditor"))
        || Utils::CheckIndex(row, 0, m_rowCount, QStringLiteral("zyGrid.ShowCellEditor")))
        return;
    Cell& x = cell(col, row);
    if (x.editor == ceNormal)
        return;
    const GridRect cr = GridToClient(CellRect(col, row));
    if (!cr.meets(m_visibleCellRect)) {
        HideCellEditors(false);
        HideCellEditor(col, row);
        return;
    }
    const int L = cr.L, T = cr.T, R = cr.R, B = cr.B;
    QWidget* w = x.editorControl;
    if (!w)
        return;
    // Controls of the form sit in the grid's parent: place them by the
    // client area's position there.
    QPoint g(0, 0);
    if (x.editor != ceSBtn && w->parentWidget())
        g = w->parentWidget()->mapFromGlobal(viewport()->mapToGlobal(QPoint(0, 0)));
    const int W = w->width(), H = w->height();
    switch (x.editor) {
    case ceBtn:
    case ceBBtn:
        if (qobject_cast<QPushButton*>(w)) {
            w->setGeometry(g.x() + R - (x.editor == ceBtn ? 1 : 0) - W, g.y() + T + 4, W, B - T - 4);
            w->show();
            w->raise();
        }
        break;
    case ceDD:
    case ceDDL: {
        auto* cb = qobject_cast<QComboBox*>(w);
        if (!cb || x.readOnly)
            break;
        const bool dd = x.editor == ceDD;
        cb->setEditable(dd);
        int top = g.y() + T + 3;
        if (x.verAlign == vaCenter)
            top = g.y() + T + (B - H - T) / 2 + (dd ? 0 : 3);
        else if (x.verAlign == vaBottom)
            top = g.y() + B - H;
        cb->setGeometry(g.x() + L + (dd ? 3 : 5), top, R - L - 5, H);
        if (dd) {
            cb->setEditText(x.text);
        } else {
            if (cb->count() > 0)
                cb->setCurrentIndex(0);
            if (x.text.isEmpty()) {
                x.text = cb->currentText();
                x.ddlItemIndex = cb->currentIndex();
            }
            const QString want = Utils::AsciiUpper(Utils::Trim(x.text));
            for (int i = 0; i < cb->count(); ++i)
                if (Utils::AsciiUpper(Utils::Trim(cb->itemText(i))) == want) {
                    cb->setCurrentIndex(i);
                    x.ddlItemIndex = i;
                    break;
                }
        }
        cb->show();
        cb->raise();
        x.editorVisible = true;
        if (cb->lineEdit())
            cb->lineEdit()->selectAll();
        if (cb->isEnabled())
            cb->setFocus();
        break;
    }
    case ceSBtn:
        if (auto* sb = qobject_cast<QToolButton*>(w)) {
            sb->setChecked(x.sBtnDown);
            sb->setGeometry(R - 2 - W, T + 2, W, B - T - 4);
            sb->show();
            sb->raise();
        }
        break;
    default:
        break;
    }
}

void TzyGrid::HideCellEditor(int col, int row)
{
    Cell& x = cell(col, row);
    QWidget* w = x.editorControl;
    if (!w)
        return;
    if (qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w)) {
        w->hide();
    } else if (qobject_cast<QComboBox*>(w)) {
        w->hide();
        x.editorVisible = false;
    }
}

void TzyGrid::HideCellEditors(bool all)
{
    for (int c = 0; c <= m_colCount && c < int(m_cells.size()); ++c) {
        auto& column = m_cells[c];
        for (int r = 0; r <= m_rowCount && r < int(column.size()); ++r) {
            if (column[r].editor == ceNormal || !column[r].editorControl)
                continue;
            if (!all && c == m_col && r == m_row)
                continue;
            HideCellEditor(c, r);
        }
    }
}

bool TzyGrid::ColHasEditors(int col) const
{
    for (int r = 1; r <= m_rowCount; ++r)
        if (cell(col, r).editor != ceNormal)
            return true;
    return false;
}

bool TzyGrid::RowHasEditors(int row) const
{
    for (int c = 1; c <= m_colCount; ++c)
        if (cell(c, row).editor != ceNormal)
            return true;
    return false;
}

// ---- type-over -------------------------------------------------------------------------

void TzyGrid::RepaintCellText(int col, int row, QPoint& caret, bool typing)
{
    caret = QPoint(-1, -1);
    const Cell& x = cell(col, row);
    if (x.merged == cmsMerged)
        return;
    const GridRect R = GridToClient(blockRect(col, row));
    if (!R.meets(m_visibleCellRect))
        return;
    const GridRect inner{R.L + 4, R.T + 2, R.R - 4, R.B - 2};
    const QString text = x.editorVisible ? QString() : x.text;
    caret = DrawCellText(nullptr, typing, inner, text, CalcTextWidth(text, col, row), col, row);
    invalidateRect(R);
}

void TzyGrid::EndTyping()
{
    if (m_caretShown)
        InvalidateCells();
    m_caretShown = false;
    m_typing = false;
    if (m_f2Editor)
        m_f2Editor->CloseEditor();
}

void TzyGrid::BeginTyping()
{
    m_caretShown = true;
    m_typing = true;
    InvalidateCells();
}

bool TzyGrid::KeyPress(QChar key)
{
    if (!m_enabled || m_colCount < 1 || m_rowCount < 1 || m_col < 1 || m_row < 1)
        return false;
    if (cell(m_col, m_row).readOnly)
        return false;
    const ushort code = key.unicode();
    auto typeOn = [this] {
        InternalSetCell(m_col, m_row, m_typeBuffer, true);
        ScrollInView(m_col, m_row);
        QPoint caret;
        RepaintCellText(m_col, m_row, caret, true);
        m_caretPos = caret;
        BeginTyping();
    };
    if (code == 8) {
        if (m_typeBuffer.isEmpty() && m_savedText.isEmpty())
            m_savedText = cell(m_col, m_row).text;
        EndTyping();
        m_typing = true;
        m_typeBuffer.chop(1);
        typeOn();
        return true;
    }
    if (code == 27) {
        if (!m_caretShown)
            return false;
        EndTyping();
        InternalSetCell(m_col, m_row, m_savedText, true);
        CurrentCellChanged(m_col, m_row);
        return true;
    }
    // Control characters type nothing (X11 gives the Delete key U+007F).
    if (code < 32 || code == 127 || code > 255)
        return false;
    if (m_typeBuffer.isEmpty() && m_savedText.isEmpty())
        m_savedText = cell(m_col, m_row).text;
    bool allowed = true;
    const GridRect cr = GridToClient(CellRect(m_col, m_row));
    const QPoint s = viewport()->mapToGlobal(QPoint(m_caretPos.x() >= 0 ? m_caretPos.x() : cr.L, cr.B));
    QChar k = key;
    emit OnFilterChar(m_col, m_row, k, QRect(QPoint(s.x(), s.y() - m_rows[m_row].height), QSize(0, m_rows[m_row].height)),
                      allowed, m_typeBuffer);
    const Cell& x = cell(m_col, m_row);
    if (!m_typeBuffer.isEmpty() && x.text.size() == x.maxLength)
        allowed = false;
    if (!allowed)
        return true;
    EndTyping();
    m_typing = true;
    m_typeBuffer.append(k);
    typeOn();
    return true;
}

// ---- the F2 editor -------------------------------------------------------------------

TF2Editor::TF2Editor(TzyGrid* grid)
    : QLineEdit(grid->viewport())
    , Grid(grid)
{
    setFrame(false);
    setGeometry(-200, -200, 0, 0);
    hide();
    connect(this, &QLineEdit::textChanged, this, &TF2Editor::Change);
}

void TF2Editor::SetAlignment(THorAlign value)
{
    if (value == EditAlign)
        return;
    EditAlign = value;
    setAlignment(value == haLeft ? Qt::AlignLeft : value == haCenter ? Qt::AlignHCenter : Qt::AlignRight);
}

void TF2Editor::Change(const QString& text)
{
    if (EditCol >= 1 && EditRow >= 1)
        Grid->InternalSetCell(EditCol, EditRow, text, true);
}

void TF2Editor::ShowAt(int col, int row)
{
    TzyGrid* g = Grid;
    g->InvalidateCells();
    g->m_caretShown = false;
    EditCol = col;
    EditRow = row;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, g->m_useF2EditorColor ? QColor(g->m_f2EditorColor) : g->GetCellPaintColor(col, row));
    setPalette(pal);
    SetAlignment(g->m_cols[col].horAlign);
    setText(g->cell(col, row).text);
    g->m_savedText = text();
    setFont(g->cellFont(col, row));
    const TzyGrid::Cell& x = g->cell(col, row);
    if (x.merged == cmsMerged)
        return;
    GridRect R = g->GridToClient(g->blockRect(col, row));
    if (EditAlign == haRight)
        R.R += 1;
    const GridRect inner{R.L + 4, R.T + 2, R.R - 4, R.B - 2};
    int width = inner.R - inner.L;
    QWidget* w = x.editorControl;
    if (w && ((x.editor == ceBtn || x.editor == ceBBtn) && qobject_cast<QPushButton*>(w)))
        width -= w->width();
    if (w && x.editor == ceSBtn && qobject_cast<QToolButton*>(w))
        width -= w->width();
    const int h = g->CalcTextHeight(QStringLiteral("gM"), col, row);
    int top = inner.T - 1;
    if (x.verAlign == vaCenter)
        top = inner.T + (inner.B - inner.T - h) / 2;
    else if (x.verAlign == vaBottom)
        top = inner.B - h + 1;
    setMaxLength(x.maxLength > 0 ? x.maxLength : 32767);
    setGeometry(inner.L, top, std::max(0, width), h);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void TF2Editor::CloseEditor()
{
    if (isVisible()) {
        if (hasFocus())
            Grid->setFocus(Qt::OtherFocusReason);
        hide();
    }
    Grid->m_f2Editing = false;
    Grid->m_typing = false;
    Grid->InvalidateCells();
}

bool TF2Editor::KeyDown(int key, Qt::KeyboardModifiers mods)
{
    const bool shift = mods & Qt::ShiftModifier;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    // Tab and Enter leave for the next cell, with Shift for the previous one;
    // Enter also closes the editor.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || enter) {
        if (enter)
            CloseEditor();
        if (Grid->Enabled()) {
            Grid->setFocus(Qt::OtherFocusReason);
            if (key == Qt::Key_Backtab || shift)
                Grid->MovePrev();
            else
                Grid->MoveNext();
        }
        return true;
    }
    if (key == Qt::Key_F2) {
        CloseEditor();
        if (Grid->Enabled())
            Grid->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

bool TF2Editor::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            KeyDown(k->key(), k->modifiers());
            e->accept();
            return true;
        }
    } else if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        switch (k->key()) {
        case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_F2: case Qt::Key_Escape:
        case Qt::Key_Tab: case Qt::Key_Backtab:
            e->accept();
            return true;
        default:
            break;
        }
    }
    return QLineEdit::event(e);
}

void TF2Editor::keyPressEvent(QKeyEvent* e)
{
    if (KeyDown(e->key(), e->modifiers())) {
        e->accept();
        return;
    }
    const QString t = e->text();
    if (e->key() == Qt::Key_Escape) {
        setText(Grid->m_savedText);
        CloseEditor();
        Grid->m_savedText.clear();
        if (Grid->Enabled())
            Grid->setFocus(Qt::OtherFocusReason);
        e->accept();
        return;
    }
    if (t.size() == 1 && t.at(0).unicode() >= 32 && t.at(0).unicode() != 127
        && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        bool allowed = true;
        const GridRect R = Grid->GridToClient(Grid->CellRect(EditCol, EditRow));
        int x = R.L;
        if (cursorPosition() > 0)
            x = pos().x() + cursorRect().left();
        const QPoint s = Grid->viewport()->mapToGlobal(QPoint(x, R.B));
        const int h = Grid->m_rows[Grid->Row() >= 1 ? Grid->Row() : EditRow].height;
        QChar key = t.at(0);
        const QString buffer = hasSelectedText() ? QString() : text();
        emit Grid->OnFilterChar(EditCol, EditRow, key, QRect(QPoint(s.x(), s.y() - h), QSize(0, h)), allowed, buffer);
        if (!allowed) {
            e->accept();
            return;
        }
        if (key != t.at(0)) {
            QKeyEvent changed(e->type(), e->key(), e->modifiers(), QString(key));
            QLineEdit::keyPressEvent(&changed);
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void TF2Editor::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    Grid->m_f2Editing = false;
    Grid->m_typing = false;
    Grid->InvalidateCells();
}
