// TzyGrid: construction, the attribute arrays, the counts and the accessors.
#include "zyGrid.h"

#include "Utils.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>

using namespace zyColor;

TzyGrid::TzyGrid(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    m_color = clWindow().rgb();
    m_alternateColColor = m_alternateRowColor = clWindow().rgb();
    m_colIndicatorColor = m_rowIndicatorColor = clYellow().rgb();
    m_disabledColor = clBtnFace().rgb();
    m_disabledGridFontColor = clGrayText().rgb();
    m_disabledGridLineColor = clWhite().rgb();
    m_f2EditorColor = clWindow().rgb();
    m_f2EditorRectColor = clBlue().rgb();
    m_gridLineColor = clSilver().rgb();
    m_gutterColor = m_headerColor = m_homeColor = clBtnFace().rgb();
    m_selectionColor = clHighlight().rgb();
    m_selectionRectColor = clBlack().rgb();
    m_unUsedColor = clWindow().rgb();
    m_fontColor = clWindowText().rgb();

    m_def.color = m_color;
    m_def.fontColor = clBtnText().rgb();
    m_def.lineLeft = m_def.lineTop = m_def.lineRight = m_def.lineBottom = m_gridLineColor;

    m_gridFont = m_gutterFont = m_headerFont = m_homeFont = font();
    m_gutterFontColor = m_headerFontColor = m_homeFontColor = m_fontColor;
    m_popUpTexts[0] = QStringLiteral("Cut");
    m_popUpTexts[1] = QStringLiteral("Copy");
    m_popUpTexts[2] = QStringLiteral("Paste");
    m_popUpTexts[3] = QStringLiteral("Clear");

    m_f2Editor = new TF2Editor(this);

    m_popUpMenu = new QMenu(this);
    m_popUpMenu->setObjectName(QStringLiteral("DefaultPopUpMenu"));
    for (int i = 0; i < 4; ++i)
        m_popUpActions[i] = m_popUpMenu->addAction(m_popUpTexts[i]);
    connect(m_popUpMenu, &QMenu::aboutToShow, this, &TzyGrid::PopUpMenuPopup);
    connect(m_popUpActions[0], &QAction::triggered, this, [this] {
        if (IsSingleSelection() && m_col > 0 && m_row > 0 && !cell(m_col, m_row).readOnly)
            CutToClipboard();
    });
    connect(m_popUpActions[1], &QAction::triggered, this, [this] { CopyToClipboard(); });
    connect(m_popUpActions[2], &QAction::triggered, this, [this] {
        if (IsSingleSelection() && m_col > 0 && m_row > 0 && !cell(m_col, m_row).readOnly)
            PasteFromClipboard();
    });
    connect(m_popUpActions[3], &QAction::triggered, this, [this] {
        if (IsSingleSelection() && m_col > 0 && m_row > 0 && !cell(m_col, m_row).readOnly)
            ClearCurrentCell();
    });

    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int a) { onScrollAction(Qt::Horizontal, a); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int a) { onScrollAction(Qt::Vertical, a); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_settingBars) applyScrollX(v);
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_settingBars) applyScrollY(v);
    });

    m_colCount = 2;
    m_rowCount = 2;
    SizeColArrays(2, 0);
    SizeRowArrays(2, 0);
    SizeCellArrays(2, 2, 0, 0);
    resize(300, 200);
    UpdateLayout();
}

TzyGrid::~TzyGrid()
{
    // The editor reports its focus loss to the grid; let it go first.
    delete m_f2Editor;
    m_f2Editor = nullptr;
}

// ---- helpers ----------------------------------------------------------------

static QString tagOf(const char* op) { return QStringLiteral("zyGrid.") + QLatin1String(op); }

bool TzyGrid::badCell(int col, int row, const char* op) const
{
    return Utils::CheckIndex(col, 1, m_colCount, tagOf(op)) || Utils::CheckIndex(row, 1, m_rowCount, tagOf(op));
}
bool TzyGrid::badCol(int col, const char* op) const { return Utils::CheckIndex(col, 1, m_colCount, tagOf(op)); }
bool TzyGrid::badRow(int row, const char* op) const { return Utils::CheckIndex(row, 1, m_rowCount, tagOf(op)); }

void TzyGrid::copyAttr(Attr& to, const Attr& from)
{
    to = from;
}

TzyGrid::Attr TzyGrid::defaultAttr() const
{
    Attr a = m_def;
    a.editor = ceNormal;
    a.editorControl = nullptr;
    a.color = m_color;
    a.maxLength = m_gridMaxLen;
    return a;
}

// Runs f on every column 1..ColCount, row 1..RowCount and cell of them.
template <typename F> void TzyGrid::forEveryAttr(F f)
{
    for (int c = 1; c <= m_colCount; ++c)
        f(static_cast<Attr&>(m_cols[c]));
    for (int r = 1; r <= m_rowCount; ++r)
        f(static_cast<Attr&>(m_rows[r]));
    for (int c = 1; c <= m_colCount; ++c)
        for (int r = 1; r <= m_rowCount; ++r)
            f(static_cast<Attr&>(m_cells[c][r]));
}

// ---- arrays -------------------------------------------------------------------

void TzyGrid::SizeColArrays(int count, int first)
{
    m_cols.resize(size_t(count) + 1);
    for (int c = first; c <= count; ++c) {
        ColAttr& a = m_cols[c];
        static_cast<Attr&>(a) = defaultAttr();
        a.maxLength = 0;
        a.width = m_defaultColWidth;
        a.minWidth = m_gridColMinWidth;
        a.header = FixedAttr();
        a.header.fontColor = m_headerFontColor;
        a.header.bold = m_headerFont.bold();
        a.header.italic = m_headerFont.italic();
        a.header.strikeOut = m_headerFont.strikeOut();
        a.header.underline = m_headerFont.underline();
        a.header.horAlign = m_headerHorAlign;
        a.header.verAlign = m_headerVerAlign;
        a.header.wordWrap = m_headerWordWrap;
    }
    colsChanged();
}

void TzyGrid::SizeRowArrays(int count, int first)
{
    m_rows.resize(size_t(count) + 1);
    for (int r = first; r <= count; ++r) {
        RowAttr& a = m_rows[r];
        static_cast<Attr&>(a) = defaultAttr();
        a.height = m_defaultRowHeight;
        a.minHeight = m_gridRowMinHeight;
        a.gutter = FixedAttr();
        a.gutter.fontColor = m_gutterFontColor;
        a.gutter.bold = m_gutterFont.bold();
        a.gutter.italic = m_gutterFont.italic();
        a.gutter.strikeOut = m_gutterFont.strikeOut();
        a.gutter.underline = m_gutterFont.underline();
        a.gutter.horAlign = m_gutterHorAlign;
        a.gutter.verAlign = m_gutterVerAlign;
        a.gutter.wordWrap = m_gutterWordWrap;
        a.imageHint.clear();
        a.imageVisible = false;
    }
    rowsChanged();
}

void TzyGrid::SizeCellArrays(int cols, int rows, int firstRow, int firstCol)
{
    m_cells.resize(size_t(cols) + 1);
    for (auto& column : m_cells)
        column.resize(size_t(rows) + 1);
    Cell fresh;
    static_cast<Attr&>(fresh) = defaultAttr();
    fresh.canSelect = true;
    for (int c = firstCol; c <= cols; ++c)
        for (int r = firstRow; r <= rows; ++r)
            m_cells[c][r] = fresh;
}

// ---- counts -------------------------------------------------------------------

void TzyGrid::setColCount(int value)
{
    const int n = std::max(value, 0);
    const int old = m_colCount;
    HideCellEditors(true);
    SizeColArrays(n, old + 1);
    SizeCellArrays(n, m_rowCount, 0, old + 1);
    for (int c = old + 1; c <= n; ++c)
        for (int r = 0; r <= m_rowCount; ++r)
            copyAttr(m_cells[c][r], m_rows[r]);
    m_colCount = n;
    m_scrollX = m_scrollY = 0;
    const int oldCol = m_col;
    m_col = std::max(1, std::min(oldCol, m_colCount));
    if (n < old)
        TrimMergedBlocks();
    CountChanged(true, oldCol);
}

void TzyGrid::setRowCount(int value)
{
    const int n = std::max(value, 0);
    const int old = m_rowCount;
    HideCellEditors(true);
    SizeRowArrays(n, old + 1);
    SizeCellArrays(m_colCount, n, old + 1, m_colCount + 1);
    for (int c = 0; c <= m_colCount; ++c)
        for (int r = old + 1; r <= n; ++r)
            copyAttr(m_cells[c][r], m_cols[c]);
    m_rowCount = n;
    m_scrollX = m_scrollY = 0;
    const int oldRow = m_row;
    m_row = std::max(1, std::min(oldRow, m_rowCount));
    if (n < old)
        TrimMergedBlocks();
    CountChanged(false, oldRow);
}

void TzyGrid::CountChanged(bool colsChanged, int oldIndex)
{
    EndTyping();
    if (m_colCount == 0 || m_rowCount == 0) {
        m_col = m_row = -1;
        m_sel = {-1, -1, -1, -1};
        UpdateLayout();
        viewport()->update();
        if ((colsChanged ? m_col : m_row) != oldIndex)
            emit OnColRowChanged(m_col, m_row);
        return;
    }
    // A count raised again after the other one went to 0 brings the other
    // index back too, so no lookup below reads outside the arrays.
    if (m_row > m_rowCount || m_row < 0)
        m_row = std::max(1, std::min(m_row, m_rowCount));
    if (m_col > m_colCount || m_col < 0)
        m_col = std::max(1, std::min(m_col, m_colCount));
    SetSelection(blockOf(m_col, m_row));
    Relayout();
    if ((colsChanged ? m_col : m_row) != oldIndex)
        emit OnColRowChanged(m_col, m_row);
}

// Cuts every block back to the grid; an owner left with no span becomes an
// ordinary cell. Only a shrinking count can leave a block reaching outside.
void TzyGrid::TrimMergedBlocks()
{
    for (int c = 1; c <= m_colCount; ++c)
        for (int r = 1; r <= m_rowCount; ++r) {
            Cell& x = m_cells[c][r];
            if (x.merged == cmsNone)
                continue;
            if (x.mergeCols > m_colCount - c)
                x.mergeCols = m_colCount - c;
            if (x.mergeRows > m_rowCount - r)
                x.mergeRows = m_rowCount - r;
            if (x.mergeCols == 0 && x.mergeRows == 0)
                x.merged = cmsNone;
        }
}

TzyGrid::Block TzyGrid::blockOf(int c, int r) const
{
    if (c < 1 || r < 1 || c > m_colCount || r > m_rowCount)
        return {c, r, c, r};
    const Cell& x = cell(c, r);
    if (x.merged == cmsTopLeft)
        return {c, r, std::min(c + x.mergeCols, m_colCount), std::min(r + x.mergeRows, m_rowCount)};
    if (x.merged == cmsMerged) {
        const int oc = c + x.mergeCols, orow = r + x.mergeRows;
        const Cell& o = cell(oc, orow);
        return {std::min(oc, m_colCount), std::min(orow, m_rowCount), std::min(oc + o.mergeCols, m_colCount),
                std::min(orow + o.mergeRows, m_rowCount)};
    }
    return {c, r, c, r};
}

void TzyGrid::Relayout()
{
    HideCellEditors(false);
    UpdateLayout();
    viewport()->update();
    if (m_col >= 0 && m_row >= 0)
        ShowCellEditor(m_col, m_row);
}

// ---- grid-wide setters ----------------------------------------------------------

void TzyGrid::setBorderStyle(TBorderStyle v)
{
    m_borderStyle = v;
    setFrameStyle(v == bsSingle ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
    Relayout();
}

void TzyGrid::setColor(const QColor& c)
{
    m_color = c.rgb();
    m_def.color = m_color;
    forEveryAttr([&](Attr& a) { a.color = m_color; });
    InvalidateCells();
}

void TzyGrid::setDefaultColWidth(int v)
{
    m_defaultColWidth = std::max({v, 0, m_gridColMinWidth});
    for (int c = 1; c <= m_colCount; ++c)
        m_cols[c].width = m_defaultColWidth;
    colsChanged();
    Relayout();
}

void TzyGrid::setDefaultRowHeight(int v)
{
    m_defaultRowHeight = std::max({v, 0, m_gridRowMinHeight});
    for (int r = 1; r <= m_rowCount; ++r)
        m_rows[r].height = m_defaultRowHeight;
    rowsChanged();
    Relayout();
}

void TzyGrid::setEnabled(bool v)
{
    m_enabled = v;
    if (!v)
        HideCellEditors(true);
    else if (m_col >= 0 && m_row >= 0)
        ShowCellEditor(m_col, m_row);
    viewport()->update();
}

void TzyGrid::setGridCanSelect(bool v)
{
    m_def.canSelect = v;
    forEveryAttr([&](Attr& a) { a.canSelect = v; });
    viewport()->update();
}

void TzyGrid::setGridColMinWidth(int v)
{
    m_gridColMinWidth = std::max(v, 8);
    bool changed = false;
    for (int c = 1; c <= m_colCount; ++c) {
        ColAttr& a = m_cols[c];
        a.minWidth = std::max(a.minWidth, m_gridColMinWidth);
        const int w = std::max({a.width, m_gridColMinWidth, a.minWidth});
        changed |= w != a.width;
        a.width = w;
    }
    if (changed) {
        colsChanged();
        Relayout();
    } else {
        viewport()->update();
    }
}

void TzyGrid::setGridRowMinHeight(int v)
{
    m_gridRowMinHeight = std::max(v, 4);
    bool changed = false;
    for (int r = 1; r <= m_rowCount; ++r) {
        RowAttr& a = m_rows[r];
        a.minHeight = std::max(a.minHeight, m_gridRowMinHeight);
        const int h = std::max({a.height, m_gridRowMinHeight, a.minHeight});
        changed |= h != a.height;
        a.height = h;
    }
    if (changed) {
        rowsChanged();
        Relayout();
    } else {
        viewport()->update();
    }
}

void TzyGrid::setGridEllipsifyText(bool v)
{
    m_def.ellipsifyText = v;
    m_def.ellipsifyPath = false;
    forEveryAttr([&](Attr& a) { a.ellipsifyText = v; a.ellipsifyPath = false; });
    viewport()->update();
}

void TzyGrid::setGridEllipsifyPath(bool v)
{
    m_def.ellipsifyPath = v;
    m_def.ellipsifyText = false;
    forEveryAttr([&](Attr& a) { a.ellipsifyPath = v; a.ellipsifyText = false; });
    viewport()->update();
}

void TzyGrid::setGridFontBold(bool v) { m_def.bold = v; forEveryAttr([&](Attr& a) { a.bold = v; }); viewport()->update(); }
void TzyGrid::setGridFontItalic(bool v) { m_def.italic = v; forEveryAttr([&](Attr& a) { a.italic = v; }); viewport()->update(); }
void TzyGrid::setGridFontStrikeOut(bool v) { m_def.strikeOut = v; forEveryAttr([&](Attr& a) { a.strikeOut = v; }); viewport()->update(); }
void TzyGrid::setGridFontUnderline(bool v) { m_def.underline = v; forEveryAttr([&](Attr& a) { a.underline = v; }); viewport()->update(); }

void TzyGrid::setGridFontColor(const QColor& c)
{
    const QRgb v = c.rgb();
    m_def.fontColor = v;
    forEveryAttr([&](Attr& a) { a.fontColor = v; });
    viewport()->update();
}

void TzyGrid::setGridHorAlign(THorAlign v)
{
    HideCellEditors(false);
    m_def.horAlign = v;
    forEveryAttr([&](Attr& a) { a.horAlign = v; });
    InvalidateCells();
    if (m_col >= 0 && m_row >= 0)
        ShowCellEditor(m_col, m_row);
}

void TzyGrid::setGridVerAlign(TVerAlign v)
{
    HideCellEditors(false);
    m_def.verAlign = v;
    forEveryAttr([&](Attr& a) { a.verAlign = v; });
    InvalidateCells();
    if (m_col >= 0 && m_row >= 0)
        ShowCellEditor(m_col, m_row);
}

void TzyGrid::setGridLineColor(const QColor& c)
{
    m_gridLineColor = c.rgb();
    m_def.lineLeft = m_def.lineTop = m_def.lineRight = m_def.lineBottom = m_gridLineColor;
    forEveryAttr([&](Attr& a) { a.lineLeft = a.lineTop = a.lineRight = a.lineBottom = m_gridLineColor; });
    InvalidateCells();
}

void TzyGrid::CutTexts(int maxLen)
{
    if (maxLen <= 0)
        return;
    for (int c = 1; c <= m_colCount; ++c)
        for (int r = 1; r <= m_rowCount; ++r)
            if (m_cells[c][r].text.size() > maxLen)
                m_cells[c][r].text.truncate(maxLen);
}

void TzyGrid::setGridMaxLen(int v)
{
    m_gridMaxLen = std::max(v, 0);
    m_def.maxLength = m_gridMaxLen;
    forEveryAttr([&](Attr& a) { a.maxLength = m_gridMaxLen; });
    CutTexts(m_gridMaxLen);
    InvalidateCells();
}

void TzyGrid::setGridReadOnly(bool v) { m_def.readOnly = v; forEveryAttr([&](Attr& a) { a.readOnly = v; }); InvalidateCells(); }
void TzyGrid::setGridURL(bool v) { m_def.url = v; forEveryAttr([&](Attr& a) { a.url = v; }); InvalidateCells(); }
void TzyGrid::setGridWordWrap(bool v) { m_def.wordWrap = v; forEveryAttr([&](Attr& a) { a.wordWrap = v; }); InvalidateCells(); }

// ---- fonts --------------------------------------------------------------------

void TzyGrid::GutterFontChanged()
{
    for (int r = 1; r <= m_rowCount; ++r) {
        FixedAttr& g = m_rows[r].gutter;
        g.fontColor = m_gutterFontColor;
        g.bold = m_gutterFont.bold();
        g.italic = m_gutterFont.italic();
        g.strikeOut = m_gutterFont.strikeOut();
        g.underline = m_gutterFont.underline();
    }
    InvalidateGutter();
}

void TzyGrid::HeaderFontChanged()
{
    for (int c = 1; c <= m_colCount; ++c) {
        FixedAttr& h = m_cols[c].header;
        h.fontColor = m_headerFontColor;
        h.bold = m_headerFont.bold();
        h.italic = m_headerFont.italic();
        h.strikeOut = m_headerFont.strikeOut();
        h.underline = m_headerFont.underline();
    }
    InvalidateHeader();
}

void TzyGrid::setGutterFont(const QFont& f) { m_gutterFont = f; GutterFontChanged(); }
void TzyGrid::setGutterFontColor(const QColor& c) { m_gutterFontColor = c.rgb(); GutterFontChanged(); }
void TzyGrid::setHeaderFont(const QFont& f) { m_headerFont = f; HeaderFontChanged(); }
void TzyGrid::setHeaderFontColor(const QColor& c) { m_headerFontColor = c.rgb(); HeaderFontChanged(); }

void TzyGrid::setFontColor(const QColor& c)
{
    m_fontColor = c.rgb();
    if (m_linkGutterFont) { m_gutterFontColor = m_fontColor; GutterFontChanged(); }
    if (m_linkHeaderFont) { m_headerFontColor = m_fontColor; HeaderFontChanged(); }
    if (m_linkHomeFont) { m_homeFontColor = m_fontColor; InvalidateHeader(); }
}

void TzyGrid::setLinkGutterFont(bool v)
{
    m_linkGutterFont = v;
    if (v) {
        m_gutterFont = font();
        m_gutterFontColor = m_fontColor;
        GutterFontChanged();
    } else {
        InvalidateGutter();
    }
}

void TzyGrid::setLinkHeaderFont(bool v)
{
    m_linkHeaderFont = v;
    if (v) {
        m_headerFont = font();
        m_headerFontColor = m_fontColor;
        HeaderFontChanged();
    } else {
        InvalidateHeader();
    }
}

void TzyGrid::setLinkHomeFont(bool v)
{
    m_linkHomeFont = v;
    if (v) {
        m_homeFont = font();
        m_homeFontColor = m_fontColor;
    }
    InvalidateHeader();
}

// ---- gutter and header defaults -----------------------------------------------

void TzyGrid::setGutterHorAlign(THorAlign v) { m_gutterHorAlign = v; for (int r = 1; r <= m_rowCount; ++r) m_rows[r].gutter.horAlign = v; InvalidateGutter(); }
void TzyGrid::setGutterVerAlign(TVerAlign v) { m_gutterVerAlign = v; for (int r = 1; r <= m_rowCount; ++r) m_rows[r].gutter.verAlign = v; InvalidateGutter(); }
void TzyGrid::setGutterWordWrap(bool v) { m_gutterWordWrap = v; for (int r = 1; r <= m_rowCount; ++r) m_rows[r].gutter.wordWrap = v; InvalidateGutter(); }
void TzyGrid::setHeaderHorAlign(THorAlign v) { m_headerHorAlign = v; for (int c = 1; c <= m_colCount; ++c) m_cols[c].header.horAlign = v; InvalidateHeader(); }
void TzyGrid::setHeaderVerAlign(TVerAlign v) { m_headerVerAlign = v; for (int c = 1; c <= m_colCount; ++c) m_cols[c].header.verAlign = v; InvalidateHeader(); }
void TzyGrid::setHeaderWordWrap(bool v) { m_headerWordWrap = v; for (int c = 1; c <= m_colCount; ++c) m_cols[c].header.wordWrap = v; InvalidateHeader(); }

void TzyGrid::setGutterKind(TGutterKind v)
{
    const TGutterKind old = m_gutterKind;
    HideCellEditors(false);
    m_gutterKind = v;
    UpdateLayout();
    if (old != gkNone && v != gkNone)
        InvalidateGutter();
    else
        viewport()->update();
    if (m_col >= 0 && m_row >= 0)
        ShowCellEditor(m_col, m_row);
}

void TzyGrid::setGutterWidth(int v) { m_gutterWidth = v; Relayout(); }
void TzyGrid::setHeaderHeight(int v) { m_headerHeight = std::max(v, 0); Relayout(); }

void TzyGrid::setPopUpText(int i, const QString& t)
{
    m_popUpTexts[i] = t;
    m_popUpActions[i]->setText(t);
}

// ---- cell accessors -------------------------------------------------------------

QString TzyGrid::getCells(int col, int row) const
{
    if (badCell(col, row, "getCells"))
        return QString();
    return cell(col, row).text;
}

void TzyGrid::setCells(int col, int row, const QString& text)
{
    if (badCell(col, row, "setCells"))
        return;
    cell(col, row).text = text;
    if (!m_paintingSuspended)
        invalidateRect(GridToClient(blockRect(col, row)));
}

void TzyGrid::InternalSetCell(int col, int row, const QString& text, bool fireChange)
{
    if (badCell(col, row, "InternalSetCell"))
        return;
    Cell& x = cell(col, row);
    if (x.text == text)
        return;
    x.text = text;
    if (fireChange)
        emit OnCellChange(col, row, text);
    if (!m_paintingSuspended && !m_typing && !m_f2Editing) {
        QPoint caret;
        RepaintCellText(col, row, caret, false);
    }
}

#define ZY_CELL_GET(Name, Op, Type, Neutral, Expr)                                                              \
    Type TzyGrid::Name(int col, int row) const                                                                  \
    {                                                                                                           \
        if (badCell(col, row, Op))                                                                              \
            return Neutral;                                                                                     \
        const Cell& x = cell(col, row);                                                                         \
        return Expr;                                                                                            \
    }

ZY_CELL_GET(getCellCanSelect, "getCellCanSelect", bool, false, x.canSelect)
ZY_CELL_GET(getCellColor, "getCellColor", QColor, clWindow(), QColor(x.color))
ZY_CELL_GET(getCellDDLItemIndex, "getCellDDLItemIndex", int, -1, x.ddlItemIndex)
ZY_CELL_GET(getCellEditorVisible, "getCellEditorVisible", bool, false, x.editorVisible)
ZY_CELL_GET(getCellEllipsifyText, "getCellEllipsifyText", bool, false, x.ellipsifyText)
ZY_CELL_GET(getCellEllipsifyPath, "getCellEllipsifyPath", bool, false, x.ellipsifyPath)
ZY_CELL_GET(getCellFontBold, "getCellFontBold", bool, false, x.bold)
ZY_CELL_GET(getCellFontItalic, "getCellFontItalic", bool, false, x.italic)
ZY_CELL_GET(getCellFontStrikeOut, "getCellFontStrikeOut", bool, false, x.strikeOut)
ZY_CELL_GET(getCellFontUnderline, "getCellFontUnderline", bool, false, x.underline)
ZY_CELL_GET(getCellFontColor, "getCellFontColor", QColor, clBtnText(), QColor(x.fontColor))
ZY_CELL_GET(getCellGridLineLeftColor, "getCellGridLineLeftColor", QColor, clSilver(), QColor(x.lineLeft))
ZY_CELL_GET(getCellGridLineTopColor, "getCellGridLineTopColor", QColor, clSilver(), QColor(x.lineTop))
ZY_CELL_GET(getCellGridLineRightColor, "getCellGridLineRightColor", QColor, clSilver(), QColor(x.lineRight))
ZY_CELL_GET(getCellGridLineBottomColor, "getCellGridLineBottomColor", QColor, clSilver(), QColor(x.lineBottom))
ZY_CELL_GET(getCellHorAlign, "getCellHorAlign", THorAlign, haLeft, x.horAlign)
ZY_CELL_GET(getCellMaxLength, "getCellMaxLength", int, 0, x.maxLength)
ZY_CELL_GET(getCellReadOnly, "getCellReadOnly", bool, false, x.readOnly)
ZY_CELL_GET(getCellURL, "getCellURL", bool, false, x.url)
ZY_CELL_GET(getCellVerAlign, "getCellVerAlign", TVerAlign, vaCenter, x.verAlign)
ZY_CELL_GET(getCellWordWrap, "getCellWordWrap", bool, false, x.wordWrap)
ZY_CELL_GET(getCellSBtnDown, "getCellSBtnDown", bool, false, x.sBtnDown)
ZY_CELL_GET(getCellMergedState, "getCellMergedState", TCellMergedState, cmsNone, x.merged)
ZY_CELL_GET(getCellMergeCols, "getCellMergeCols", int, 0, x.mergeCols)
ZY_CELL_GET(getCellMergeRows, "getCellMergeRows", int, 0, x.mergeRows)
#undef ZY_CELL_GET

#define ZY_CELL_SET(Name, Op, Type, Stmt, After)                                                                \
    void TzyGrid::Name(int col, int row, Type v)                                                                \
    {                                                                                                           \
        if (badCell(col, row, Op))                                                                              \
            return;                                                                                             \
        Cell& x = cell(col, row);                                                                               \
        Stmt;                                                                                                   \
        After;                                                                                                  \
    }

ZY_CELL_SET(setCellCanSelect, "setCellCanSelect", bool, x.canSelect = v, InvalidateCells())
ZY_CELL_SET(setCellColor, "setCellColor", const QColor&, x.color = v.rgb(), InvalidateCells())
ZY_CELL_SET(setCellDDLItemIndex, "setCellDDLItemIndex", int, x.ddlItemIndex = v, (void)0)
ZY_CELL_SET(setCellEditorVisible, "setCellEditorVisible", bool, x.editorVisible = v, (void)0)
ZY_CELL_SET(setCellEllipsifyText, "setCellEllipsifyText", bool, x.ellipsifyText = v; if (v) x.ellipsifyPath = false, InvalidateCells())
ZY_CELL_SET(setCellEllipsifyPath, "setCellEllipsifyPath", bool, x.ellipsifyPath = v; if (v) x.ellipsifyText = false, InvalidateCells())
ZY_CELL_SET(setCellFontBold, "setCellFontBold", bool, x.bold = v, InvalidateCells())
ZY_CELL_SET(setCellFontUnderline, "setCellFontUnderline", bool, x.underline = v, InvalidateCells())
ZY_CELL_SET(setCellFontColor, "setCellFontColor", const QColor&, x.fontColor = v.rgb(), InvalidateCells())
ZY_CELL_SET(setCellGridLineLeftColor, "setCellGridLineLeftColor", const QColor&,
            x.lineLeft = v.rgb(); if (col > 1) cell(col - 1, row).lineRight = v.rgb(), InvalidateCells())
ZY_CELL_SET(setCellGridLineTopColor, "setCellGridLineTopColor", const QColor&,
            x.lineTop = v.rgb(); if (row > 1) cell(col, row - 1).lineBottom = v.rgb(), InvalidateCells())
ZY_CELL_SET(setCellGridLineRightColor, "setCellGridLineRightColor", const QColor&,
            x.lineRight = v.rgb(); if (col < m_colCount) cell(col + 1, row).lineLeft = v.rgb(), InvalidateCells())
ZY_CELL_SET(setCellGridLineBottomColor, "setCellGridLineBottomColor", const QColor&,
            x.lineBottom = v.rgb(); if (row < m_rowCount) cell(col, row + 1).lineTop = v.rgb(), InvalidateCells())
ZY_CELL_SET(setCellReadOnly, "setCellReadOnly", bool, x.readOnly = v, (void)0)
ZY_CELL_SET(setCellURL, "setCellURL", bool, x.url = v, InvalidateCells())
#undef ZY_CELL_SET

void TzyGrid::setCellHorAlign(int col, int row, THorAlign v)
{
    if (badCell(col, row, "setCellHorAlign"))
        return;
    cell(col, row).horAlign = v;
    HideCellEditors(false);
    InvalidateCells();
    if (m_col >= 0 && m_row >= 0)
        ShowCellEditor(m_col, m_row);
}

TCellEditor TzyGrid::getCellEditor(int col, int row) const
{
    if (Utils::CheckIndex(col, 0, m_colCount, tagOf("getCellEditor"))
        || Utils::CheckIndex(row, 0, m_rowCount, tagOf("getCellEditor")))
        return ceNormal;
    return cell(col, row).editor;
}

QWidget* TzyGrid::getCellEditorControl(int col, int row) const
{
    if (Utils::CheckIndex(col, 0, m_colCount, tagOf("getCellEditorControl"))
        || Utils::CheckIndex(row, 0, m_rowCount, tagOf("getCellEditorControl")))
        return nullptr;
    return cell(col, row).editorControl;
}

// A speed button lives inside the grid, placed in its client coordinates.
static void adoptSpeedButton(QWidget* viewport, TCellEditor kind, QWidget* control)
{
    if (kind == ceSBtn && qobject_cast<QToolButton*>(control) && control->parentWidget() != viewport) {
        const bool wasHidden = control->isHidden();
        control->setParent(viewport);
        control->setVisible(!wasHidden);
    }
}

void TzyGrid::setCellEditor(int col, int row, TCellEditor v)
{
    if (Utils::CheckIndex(col, 0, m_colCount, tagOf("setCellEditor"))
        || Utils::CheckIndex(row, 0, m_rowCount, tagOf("setCellEditor")))
        return;
    HideCellEditors(true);
    Cell& x = cell(col, row);
    x.editor = v;
    adoptSpeedButton(viewport(), v, x.editorControl);
    InvalidateCells();
}

void TzyGrid::setCellEditorControl(int col, int row, QWidget* control)
{
    if (Utils::CheckIndex(col, 0, m_colCount, tagOf("setCellEditorControl"))
        || Utils::CheckIndex(row, 0, m_rowCount, tagOf("setCellEditorControl")))
        return;
    HideCellEditors(true);
    Cell& x = cell(col, row);
    x.editorControl = control;
    adoptSpeedButton(viewport(), x.editor, control);
    if (col >= 1 && row >= 1) {
        const int h = CalcCellMinHeights(col, row, true);
        if (h > m_defaultRowHeight)
            setDefaultRowHeight(h);
        if (h > m_rows[row].height)
            setRowHeights(row, h);
    }
    InvalidateCells();
    if (m_col >= 0 && m_row >= 0)
        ShowCellEditor(m_col, m_row);
}

// ---- columns and rows -------------------------------------------------------------

void TzyGrid::setColCanSelect(int col, bool v)
{
    if (badCol(col, "setColCanSelect")) return;
    m_cols[col].canSelect = v;
    for (int r = 1; r <= m_rowCount; ++r) cell(col, r).canSelect = v;
    InvalidateCells();
}

void TzyGrid::setColColor(int col, const QColor& c)
{
    if (badCol(col, "setColColor")) return;
    m_cols[col].color = c.rgb();
    for (int r = 1; r <= m_rowCount; ++r) cell(col, r).color = c.rgb();
    InvalidateCells();
}

void TzyGrid::setColReadOnly(int col, bool v)
{
    if (badCol(col, "setColReadOnly")) return;
    m_cols[col].readOnly = v;
    for (int r = 1; r <= m_rowCount; ++r) cell(col, r).readOnly = v;
}

void TzyGrid::setColEditor(int col, TCellEditor v)
{
    if (badCol(col, "setColEditor")) return;
    HideCellEditors(true);
    m_cols[col].editor = v;
    for (int r = 1; r <= m_rowCount; ++r) {
        cell(col, r).editor = v;
        adoptSpeedButton(viewport(), v, cell(col, r).editorControl);
    }
    InvalidateCells();
}

void TzyGrid::setColEditorControl(int col, QWidget* control)
{
    if (badCol(col, "setColEditorControl")) return;
    HideCellEditors(true);
    m_cols[col].editorControl = control;
    int m = 0;
    for (int r = 1; r <= m_rowCount; ++r) {
        cell(col, r).editorControl = control;
        adoptSpeedButton(viewport(), cell(col, r).editor, control);
        m = std::max(m, CalcCellMinHeights(col, r, true));
        if (m_rows[r].height < m)
            setRowHeights(r, m);
    }
    if (m > m_defaultRowHeight)
        setDefaultRowHeight(m);
    InvalidateCells();
    if (m_col >= 0 && m_row >= 0)
        ShowCellEditor(m_col, m_row);
}

THorAlign TzyGrid::getColHorAlign(int col) const
{
    if (badCol(col, "getColHorAlign")) return haLeft;
    return m_cols[col].horAlign;
}

void TzyGrid::setColHorAlign(int col, THorAlign v)
{
    if (badCol(col, "setColHorAlign")) return;
    HideCellEditors(false);
    m_cols[col].horAlign = v;
    for (int r = 1; r <= m_rowCount; ++r) cell(col, r).horAlign = v;
    InvalidateCells();
    if (m_col >= 0 && m_row >= 0)
        ShowCellEditor(m_col, m_row);
}

int TzyGrid::getColMinWidths(int col) const
{
    if (badCol(col, "getColMinWidths")) return m_gridColMinWidth;
    return m_cols[col].minWidth;
}

void TzyGrid::setColMinWidths(int col, int width)
{
    if (badCol(col, "setColMinWidths")) return;
    width = std::max({width, 0, m_gridColMinWidth});
    m_cols[col].minWidth = width;
    if (width > m_cols[col].width) {
        m_cols[col].width = width;
        colsChanged();
        Relayout();
    } else {
        viewport()->update();
    }
}

void TzyGrid::setColMaxLength(int col, int n)
{
    if (badCol(col, "setColMaxLength")) return;
    n = std::max(n, 0);
    m_cols[col].maxLength = n;
    for (int r = 1; r <= m_rowCount; ++r) {
        Cell& x = cell(col, r);
        x.maxLength = n;
        if (n > 0 && x.text.size() > n)
            x.text.truncate(n);
    }
    InvalidateCells();
}

int TzyGrid::getColWidths(int col) const
{
    if (badCol(col, "getColWidths")) return 64;
    return m_cols[col].width;
}

void TzyGrid::setColWidths(int col, int width)
{
    if (badCol(col, "setColWidths")) return;
    width = std::max({width, 0, m_gridColMinWidth, m_cols[col].minWidth});
    if (ColHasEditors(col))
        width = std::max(width, CalcColMinWidths(col, true, true));
    m_cols[col].width = width;
    colsChanged();
    Relayout();
}

int TzyGrid::getRowHeights(int row) const
{
    if (badRow(row, "getRowHeights")) return 18;
    return m_rows[row].height;
}

void TzyGrid::setRowHeights(int row, int height)
{
    if (badRow(row, "setRowHeights")) return;
    height = std::max({height, 0, m_gridRowMinHeight, m_rows[row].minHeight});
    if (RowHasEditors(row))
        height = std::max(height, CalcRowMinHeights(row, true, true));
    m_rows[row].height = height;
    rowsChanged();
    Relayout();
}

int TzyGrid::getRowMinHeights(int row) const
{
    if (badRow(row, "getRowMinHeights")) return m_gridRowMinHeight;
    return m_rows[row].minHeight;
}

void TzyGrid::setRowMinHeights(int row, int height)
{
    if (badRow(row, "setRowMinHeights")) return;
    height = std::max({height, 0, m_gridRowMinHeight});
    m_rows[row].minHeight = height;
    if (height > m_rows[row].height) {
        m_rows[row].height = height;
        rowsChanged();
        Relayout();
    } else {
        viewport()->update();
    }
}

void TzyGrid::setRowWordWrap(int row, bool v)
{
    if (badRow(row, "setRowWordWrap")) return;
    m_rows[row].wordWrap = v;
    for (int c = 1; c <= m_colCount; ++c) cell(c, row).wordWrap = v;
    InvalidateCells();
}

// ---- header and gutter ------------------------------------------------------------

QString TzyGrid::getHeaderCellText(int col) const
{
    if (badCol(col, "getHeaderCellText")) return QString();
    return m_cols[col].header.text;
}
void TzyGrid::setHeaderCellText(int col, const QString& text)
{
    if (badCol(col, "setHeaderCellText")) return;
    m_cols[col].header.text = text;
    InvalidateHeader();
}
QColor TzyGrid::getHeaderCellFontColor(int col) const
{
    if (badCol(col, "getHeaderCellFontColor")) return QColor(m_headerFontColor);
    return QColor(m_cols[col].header.fontColor);
}
void TzyGrid::setHeaderCellFontColor(int col, const QColor& c)
{
    if (badCol(col, "setHeaderCellFontColor")) return;
    m_cols[col].header.fontColor = c.rgb();
    InvalidateHeader();
}
bool TzyGrid::getHeaderCellFontBold(int col) const { return badCol(col, "getHeaderCellFontBold") ? false : m_cols[col].header.bold; }
bool TzyGrid::getHeaderCellFontItalic(int col) const { return badCol(col, "getHeaderCellFontItalic") ? false : m_cols[col].header.italic; }
bool TzyGrid::getHeaderCellFontStrikeOut(int col) const { return badCol(col, "getHeaderCellFontStrikeOut") ? false : m_cols[col].header.strikeOut; }
bool TzyGrid::getHeaderCellFontUnderline(int col) const { return badCol(col, "getHeaderCellFontUnderline") ? false : m_cols[col].header.underline; }

QString TzyGrid::getGutterCellText(int row) const
{
    if (badRow(row, "getGutterCellText")) return QString();
    return m_rows[row].gutter.text;
}
void TzyGrid::setGutterCellText(int row, const QString& text)
{
    if (badRow(row, "setGutterCellText")) return;
    m_rows[row].gutter.text = text;
    InvalidateGutter();
}
QColor TzyGrid::getGutterCellFontColor(int row) const
{
    if (badRow(row, "getGutterCellFontColor")) return QColor(m_gutterFontColor);
    return QColor(m_rows[row].gutter.fontColor);
}
void TzyGrid::setGutterCellFontColor(int row, const QColor& c)
{
    if (badRow(row, "setGutterCellFontColor")) return;
    m_rows[row].gutter.fontColor = c.rgb();
    InvalidateGutter();
}
bool TzyGrid::getGutterCellFontBold(int row) const { return badRow(row, "getGutterCellFontBold") ? false : m_rows[row].gutter.bold; }
bool TzyGrid::getGutterCellFontItalic(int row) const { return badRow(row, "getGutterCellFontItalic") ? false : m_rows[row].gutter.italic; }
bool TzyGrid::getGutterCellFontStrikeOut(int row) const { return badRow(row, "getGutterCellFontStrikeOut") ? false : m_rows[row].gutter.strikeOut; }
bool TzyGrid::getGutterCellFontUnderline(int row) const { return badRow(row, "getGutterCellFontUnderline") ? false : m_rows[row].gutter.underline; }
QString TzyGrid::getGutterImageHint(int row) const
{
    if (badRow(row, "getGutterImageHint")) return QString();
    return m_rows[row].imageHint;
}
void TzyGrid::setGutterImageHint(int row, const QString& text)
{
    if (badRow(row, "setGutterImageHint")) return;
    m_rows[row].imageHint = text;
}
bool TzyGrid::getGutterImageVisible(int row) const
{
    if (badRow(row, "getGutterImageVisible")) return false;
    return m_rows[row].imageVisible;
}
void TzyGrid::setGutterImageVisible(int row, bool v)
{
    if (badRow(row, "setGutterImageVisible")) return;
    m_rows[row].imageVisible = v;
    InvalidateGutter();
}
