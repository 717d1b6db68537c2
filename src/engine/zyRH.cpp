#include "zyRH.h"

std::unique_ptr<TzyRHs> RHs_PS;
std::unique_ptr<TzyRHs> RHs_CD;

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

int TzyRHs::Add(const QString& text, const zyRpt::TzyRptLayout& layout)
{
    TzyRH& c = AddCell();
    c.SetText(text);
    c.SetLayout(layout);
    return Count();
}

int TzyRHs::Add(const QString& text, const QString& cellRef, int col, int row, zyRpt::THorAlign horAlign,
    bool fontBold, zyRpt::TColor fontColor, zyRpt::TColor cellColor, zyRpt::TColor gridLineTopColor,
    zyRpt::TColor gridLineLeftColor, zyRpt::TColor gridLineBottomColor, zyRpt::TColor gridLineRightColor,
    bool ellipsifyText, bool ellipsifyPath, bool merge, int mergeToCol, int mergeToRow)
{
    return Add(text,
        zyRpt::TzyRptLayout{cellRef, col, row, horAlign, fontBold, fontColor, cellColor, gridLineTopColor,
            gridLineLeftColor, gridLineBottomColor, gridLineRightColor, ellipsifyText, ellipsifyPath, merge,
            mergeToCol, mergeToRow});
}
