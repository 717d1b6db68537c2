#pragma once
// Report header cells: a fixed text at one cell of a report worksheet and of
// the summary grid, with its look. The list keeps its cells at 1..Count and a
// default cell at 0.
#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

namespace zyRpt {

enum class THorAlign : quint8 { haLeft = 0, haCenter = 1, haRight = 2 };

// 0x00BBGGRR for a plain colour; the high byte 0xFF marks a system colour
// whose low byte is the system colour index (the widgets map it onto their
// palette).
using TColor = quint32;

constexpr TColor SystemColor(quint8 index) { return 0xFF000000u | index; }
constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == 0xFF000000u; }
constexpr int SystemColorIndex(TColor c) { return int(c & 0xFFu); }

constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clBtnFace = SystemColor(15);

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clTitleGreen = 0x669933;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGrey = 0x969696;
constexpr TColor clBaselineBlue = 0xFF6633;
constexpr TColor clActualGreen = 0x00FF00;
constexpr TColor clTargetRed = 0x0000FF;
constexpr TColor clLightBlue = 0xFFCC99;
constexpr TColor clLightGreen = 0xCCFFCC;
constexpr TColor clLightOrange = 0x99CCFF;

// The look of a report cell, shared by header and field cells.
class TzyRptCell {
public:
    TzyRptCell() { ResetLayout(); }

    QString CellRef() const { return m_cellRef; }
    int Col() const { return m_col; }
    int Row() const { return m_row; }
    THorAlign HorAlign() const { return m_horAlign; }
    bool FontBold() const { return m_fontBold; }
    TColor FontColor() const { return m_fontColor; }
    TColor CellColor() const { return m_cellColor; }
    TColor GridLineTopColor() const { return m_lineTop; }
    TColor GridLineLeftColor() const { return m_lineLeft; }
    TColor GridLineBottomColor() const { return m_lineBottom; }
    TColor GridLineRightColor() const { return m_lineRight; }
    bool EllipsifyPath() const { return m_ellipsifyPath; }
    bool EllipsifyText() const { return m_ellipsifyText; }
    bool Merge() const { return m_merge; }
    int MergeToCol() const { return m_mergeToCol; }
    int MergeToRow() const { return m_mergeToRow; }

    void SetCellRef(const QString& v);
    void SetCol(int v);
    void SetRow(int v);
    void SetHorAlign(THorAlign v);
    void SetFontBold(bool v);
    void SetFontColor(TColor v);
    void SetCellColor(TColor v);
    void SetGridLineTopColor(TColor v);
    void SetGridLineLeftColor(TColor v);
    void SetGridLineBottomColor(TColor v);
    void SetGridLineRightColor(TColor v);
    void SetEllipsifyPath(bool v);
    void SetEllipsifyText(bool v);
    void SetMerge(bool v);
    void SetMergeToCol(int v);
    void SetMergeToRow(int v);

protected:
    void ResetLayout();

private:
    QString m_cellRef;
    int m_col = 0;
    int m_row = 0;
    THorAlign m_horAlign = THorAlign::haCenter;
    bool m_fontBold = false;
    TColor m_fontColor = clWindowText;
    TColor m_cellColor = clWindow;
    TColor m_lineTop = clWindowText;
    TColor m_lineLeft = clWindowText;
    TColor m_lineBottom = clWindowText;
    TColor m_lineRight = clWindowText;
    bool m_ellipsifyPath = false;
    bool m_ellipsifyText = false;
    bool m_merge = false;
    int m_mergeToCol = -1;
    int m_mergeToRow = -1;
};

// Where a cell sits and how it looks; what TzyRHs.Add and TzyRFs.Add take
// after their own leading arguments, in the same order.
struct TzyRptLayout {
    QString CellRef;
    int Col = 0;
    int Row = 0;
    THorAlign HorAlign = THorAlign::haCenter;
    bool FontBold = false;
    TColor FontColor = clWindowText;
    TColor CellColor = clWindow;
    TColor GridLineTopColor = clWindowText;
    TColor GridLineLeftColor = clWindowText;
    TColor GridLineBottomColor = clWindowText;
    TColor GridLineRightColor = clWindowText;
    bool EllipsifyText = false;
    bool EllipsifyPath = false;
    bool Merge = false;
    int MergeToCol = -1;
    int MergeToRow = -1;
};

TzyRptLayout MakeLayout(const QString& cellRef, int col, int row, THorAlign horAlign, bool fontBold,
    TColor fontColor, TColor cellColor, TColor top, TColor left, TColor bottom, TColor right,
    bool ellipsifyText, bool ellipsifyPath, bool merge, int mergeToCol, int mergeToRow);
// Stores every field through its setter.
void ApplyLayout(TzyRptCell& cell, const TzyRptLayout& layout);

} // namespace zyRpt

class TzyRH : public zyRpt::TzyRptCell {
public:
    TzyRH() { Reset(); }
    void Reset();

    QString Text() const { return m_text; }
    void SetText(const QString& v);
    void SetLayout(const zyRpt::TzyRptLayout& l);

private:
    QString m_text;
};

class TzyRHs {
public:
    TzyRHs();
    ~TzyRHs();
    TzyRHs(const TzyRHs&) = delete;
    TzyRHs& operator=(const TzyRHs&) = delete;

    int Count() const { return m_count; }
    // Items 1..Count; a bad index is reported ("RHs.getItems") and gives
    // the default item 0.
    TzyRH& getItems(int index);
    const TzyRH& getItems(int index) const;

    int Add(const QString& text, const zyRpt::TzyRptLayout& layout);
    int Add(const QString& text, const QString& cellRef, int col, int row, zyRpt::THorAlign horAlign,
        bool fontBold, zyRpt::TColor fontColor, zyRpt::TColor cellColor, zyRpt::TColor gridLineTopColor,
        zyRpt::TColor gridLineLeftColor, zyRpt::TColor gridLineBottomColor, zyRpt::TColor gridLineRightColor,
        bool ellipsifyText, bool ellipsifyPath, bool merge, int mergeToCol, int mergeToRow);

private:
    int m_count = 0;
    std::vector<std::unique_ptr<TzyRH>> m_items;
};

// The header cells of the Project Summary and of the Chart Data head;
// created and filled at start-up, freed at exit.
extern std::unique_ptr<TzyRHs> RHs_PS;
extern std::unique_ptr<TzyRHs> RHs_CD;
