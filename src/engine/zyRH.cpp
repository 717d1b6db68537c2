#include "zyRH.h"

#include "Utils.h"

std::unique_ptr<TzyRHs> RHs_PS;
std::unique_ptr<TzyRHs> RHs_CD;

namespace zyRpt {

namespace {
template <typename T>
void store(T& field, const T& value)
{
    if (field != value)
        field = value;
}
} // namespace

void TzyRptCell::ResetLayout()
{
    m_cellRef.clear();
    m_col = 0;
    m_row = 0;
    m_horAlign = THorAlign::haCenter;
    m_fontBold = false;
    m_fontColor = clWindowText;
    m_cellColor = clWindow;
    m_lineTop = m_lineLeft = m_lineBottom = m_lineRight = clWindowText;
    m_ellipsifyPath = false;
    m_ellipsifyText = false;
    m_merge = false;
    m_mergeToCol = -1;
    m_mergeToRow = -1;
}

void TzyRptCell::SetCellRef(const QString& v) { store(m_cellRef, v); }
void TzyRptCell::SetCol(int v) { store(m_col, v); }
void TzyRptCell::SetRow(int v) { store(m_row, v); }
void TzyRptCell::SetHorAlign(THorAlign v) { store(m_horAlign, v); }
void TzyRptCell::SetFontBold(bool v) { store(m_fontBold, v); }
void TzyRptCell::SetFontColor(TColor v) { store(m_fontColor, v); }
void TzyRptCell::SetCellColor(TColor v) { store(m_cellColor, v); }
void TzyRptCell::SetGridLineTopColor(TColor v) { store(m_lineTop, v); }
void TzyRptCell::SetGridLineLeftColor(TColor v) { store(m_lineLeft, v); }
void TzyRptCell::SetGridLineBottomColor(TColor v) { store(m_lineBottom, v); }
void TzyRptCell::SetGridLineRightColor(TColor v) { store(m_lineRight, v); }
void TzyRptCell::SetEllipsifyPath(bool v) { store(m_ellipsifyPath, v); }
void TzyRptCell::SetEllipsifyText(bool v) { store(m_ellipsifyText, v); }
void TzyRptCell::SetMerge(bool v) { store(m_merge, v); }
void TzyRptCell::SetMergeToCol(int v) { store(m_mergeToCol, v); }
void TzyRptCell::SetMergeToRow(int v) { store(m_mergeToRow, v); }

void ApplyLayout(TzyRptCell& c, const TzyRptLayout& l)
{
    c.SetCellRef(l.CellRef);
    c.SetCol(l.Col);
    c.SetRow(l.Row);
    c.SetHorAlign(l.HorAlign);
    c.SetFontBold(l.FontBold);
    c.SetFontColor(l.FontColor);
    c.SetCellColor(l.CellColor);
    c.SetGridLineTopColor(l.GridLineTopColor);
    c.SetGridLineLeftColor(l.GridLineLeftColor);
    c.SetGridLineBottomColor(l.GridLineBottomColor);
    c.SetGridLineRightColor(l.GridLineRightColor);
    c.SetEllipsifyText(l.EllipsifyText);
    c.SetEllipsifyPath(l.EllipsifyPath);
    c.SetMerge(l.Merge);
    c.SetMergeToCol(l.MergeToCol);
    c.SetMergeToRow(l.MergeToRow);
}

TzyRptLayout MakeLayout(const QString& cellRef, int col, int row, THorAlign horAlign, bool fontBold,
    TColor fontColor, TColor cellColor, TColor top, TColor left, TColor bottom, TColor right,
    bool ellipsifyText, bool ellipsifyPath, bool merge, int mergeToCol, int mergeToRow)
{
    TzyRptLayout l;
    l.CellRef = cellRef;
    l.Col = col;
    l.Row = row;
    l.HorAlign = horAlign;
    l.FontBold = fontBold;
    l.FontColor = fontColor;
    l.CellColor = cellColor;
    l.GridLineTopColor = top;
    l.GridLineLeftColor = left;
    l.GridLineBottomColor = bottom;
    l.GridLineRightColor = right;
    l.EllipsifyText = ellipsifyText;
    l.EllipsifyPath = ellipsifyPath;
    l.Merge = merge;
    l.MergeToCol = mergeToCol;
    l.MergeToRow = mergeToRow;
    return l;
}

} // namespace zyRpt

void TzyRH::Reset()
{
    m_text.clear();
    ResetLayout();
}

void TzyRH::SetText(const QString& v)
{
    if (m_text != v)
        m_text = v;
}

void TzyRH::SetLayout(const zyRpt::TzyRptLayout& l) { zyRpt::ApplyLayout(*this, l); }

TzyRHs::TzyRHs()
{
    m_items.push_back(std::make_unique<TzyRH>());
}

TzyRHs::~TzyRHs()
{
    // Freed from the last cell down, as the list was built.
    while (!m_items.empty())
        m_items.pop_back();
    m_count = 0;
}

TzyRH& TzyRHs::getItems(int index)
{
    if (Utils::CheckIndex(index, 0, m_count, QStringLiteral("RHs.getItems")))
        return *m_items[0];
    return *m_items[size_t(index)];
}

const TzyRH& TzyRHs::getItems(int index) const
{
    return const_cast<TzyRHs*>(this)->getItems(index);
}

int TzyRHs::Add(const QString& text, const zyRpt::TzyRptLayout& layout)
{
    m_items.push_back(std::make_unique<TzyRH>());
    m_count = int(m_items.size()) - 1;
    TzyRH& c = *m_items.back();
    c.SetText(text);
    c.SetLayout(layout);
    return m_count;
}

int TzyRHs::Add(const QString& text, const QString& cellRef, int col, int row, zyRpt::THorAlign horAlign,
    bool fontBold, zyRpt::TColor fontColor, zyRpt::TColor cellColor, zyRpt::TColor gridLineTopColor,
    zyRpt::TColor gridLineLeftColor, zyRpt::TColor gridLineBottomColor, zyRpt::TColor gridLineRightColor,
    bool ellipsifyText, bool ellipsifyPath, bool merge, int mergeToCol, int mergeToRow)
{
    return Add(text,
        zyRpt::MakeLayout(cellRef, col, row, horAlign, fontBold, fontColor, cellColor, gridLineTopColor,
            gridLineLeftColor, gridLineBottomColor, gridLineRightColor, ellipsifyText, ellipsifyPath, merge,
            mergeToCol, mergeToRow));
}
