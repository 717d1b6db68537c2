#pragma once
// Report header cells: a fixed text at one cell of a report worksheet and of
// the summary grid, with its look. The list keeps its cells at 1..Count and a
// default cell at 0.
#include "Utils.h"

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

// The look of a report cell, shared by header and field cells.
class TzyRptCell {
public:
    QString CellRef() const { return m_layout.CellRef; }
    int Col() const { return m_layout.Col; }
    int Row() const { return m_layout.Row; }
    THorAlign HorAlign() const { return m_layout.HorAlign; }
    bool FontBold() const { return m_layout.FontBold; }
    TColor FontColor() const { return m_layout.FontColor; }
    TColor CellColor() const { return m_layout.CellColor; }
    TColor GridLineTopColor() const { return m_layout.GridLineTopColor; }
    TColor GridLineLeftColor() const { return m_layout.GridLineLeftColor; }
    TColor GridLineBottomColor() const { return m_layout.GridLineBottomColor; }
    TColor GridLineRightColor() const { return m_layout.GridLineRightColor; }
    bool EllipsifyPath() const { return m_layout.EllipsifyPath; }
    bool EllipsifyText() const { return m_layout.EllipsifyText; }
    bool Merge() const { return m_layout.Merge; }
    int MergeToCol() const { return m_layout.MergeToCol; }
    int MergeToRow() const { return m_layout.MergeToRow; }

    void SetCellRef(const QString& v) { m_layout.CellRef = v; }
    void SetCol(int v) { m_layout.Col = v; }
    void SetRow(int v) { m_layout.Row = v; }
    void SetHorAlign(THorAlign v) { m_layout.HorAlign = v; }
    void SetFontBold(bool v) { m_layout.FontBold = v; }
    void SetFontColor(TColor v) { m_layout.FontColor = v; }
    void SetCellColor(TColor v) { m_layout.CellColor = v; }
    void SetGridLineTopColor(TColor v) { m_layout.GridLineTopColor = v; }
    void SetGridLineLeftColor(TColor v) { m_layout.GridLineLeftColor = v; }
    void SetGridLineBottomColor(TColor v) { m_layout.GridLineBottomColor = v; }
    void SetGridLineRightColor(TColor v) { m_layout.GridLineRightColor = v; }
    void SetEllipsifyPath(bool v) { m_layout.EllipsifyPath = v; }
    void SetEllipsifyText(bool v) { m_layout.EllipsifyText = v; }
    void SetMerge(bool v) { m_layout.Merge = v; }
    void SetMergeToCol(int v) { m_layout.MergeToCol = v; }
    void SetMergeToRow(int v) { m_layout.MergeToRow = v; }

    void SetLayout(const TzyRptLayout& l) { m_layout = l; }

protected:
    void ResetLayout() { m_layout = TzyRptLayout(); }

private:
    TzyRptLayout m_layout;
};

// A list of report cells: the cells at 1..Count and a default cell at 0,
// which a bad index (reported under the list's tag) gives instead.
template <class Cell>
class TzyRptList {
public:
    explicit TzyRptList(const char* tag) : m_tag(tag) { m_items.push_back(std::make_unique<Cell>()); }
    ~TzyRptList()
    {
        // Freed from the last cell down, as the list was built.
        while (!m_items.empty())
            m_items.pop_back();
    }
    TzyRptList(const TzyRptList&) = delete;
    TzyRptList& operator=(const TzyRptList&) = delete;

    int Count() const { return int(m_items.size()) - 1; }
    Cell& getItems(int index)
    {
        if (Utils::CheckIndex(index, 0, Count(), QString::fromLatin1(m_tag)))
            return *m_items[0];
        return *m_items[size_t(index)];
    }
    const Cell& getItems(int index) const { return const_cast<TzyRptList*>(this)->getItems(index); }

protected:
    // A new cell at Count.
    Cell& AddCell()
    {
        m_items.push_back(std::make_unique<Cell>());
        return *m_items.back();
    }

private:
    const char* m_tag;
    std::vector<std::unique_ptr<Cell>> m_items;
};

} // namespace zyRpt

class TzyRH : public zyRpt::TzyRptCell {
public:
    TzyRH() { Reset(); }
    void Reset();

    QString Text() const { return m_text; }
    void SetText(const QString& v);

private:
    QString m_text;
};

class TzyRHs : public zyRpt::TzyRptList<TzyRH> {
public:
    TzyRHs() : TzyRptList("RHs.getItems") {}

    int Add(const QString& text, const zyRpt::TzyRptLayout& layout);
    int Add(const QString& text, const QString& cellRef, int col, int row, zyRpt::THorAlign horAlign,
        bool fontBold, zyRpt::TColor fontColor, zyRpt::TColor cellColor, zyRpt::TColor gridLineTopColor,
        zyRpt::TColor gridLineLeftColor, zyRpt::TColor gridLineBottomColor, zyRpt::TColor gridLineRightColor,
        bool ellipsifyText, bool ellipsifyPath, bool merge, int mergeToCol, int mergeToRow);
};

// The header cells of the Project Summary and of the Chart Data head;
// created and filled at start-up, freed at exit.
extern std::unique_ptr<TzyRHs> RHs_PS;
extern std::unique_ptr<TzyRHs> RHs_CD;
