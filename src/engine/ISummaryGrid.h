#pragma once
// What the engine uses of the summary form's grid. The engine links no
// widgets: the form hands it an adapter onto its grid. Columns and rows count
// from 1 (the report layout's Col and Row); a bad index is the grid's to
// report. Colours are report colours (0x00BBGGRR or a system colour).
#include "zyRH.h"

#include <QString>

class ISummaryGrid {
public:
    virtual ~ISummaryGrid() = default;
    virtual void setCells(int col, int row, const QString& text) = 0;
    virtual void setCellFontColor(int col, int row, zyRpt::TColor color) = 0;
    virtual void setCellColor(int col, int row, zyRpt::TColor color) = 0;
    virtual void AutoSizeColsMerged(bool includeHeader) = 0;
    virtual int getColWidths(int col) = 0;
    virtual void setColWidths(int col, int width) = 0;
};
