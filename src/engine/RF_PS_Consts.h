#pragma once
// The Project Summary layout (A1..G27 of the Project Summary Worksheet and of
// the summary grid): the header cells into RHs_PS, the field cells into
// RFs_PS, in table order, so that a cell's number is its index in its list.
#include "zyRF.h"
#include "zyRH.h"

#include <QString>
#include <span>

namespace zyRpt {

// The report title that heads both worksheets (fixed, not a UI text).
QString ReportTitle();

// One row of a layout table. A text id of 0 stands for the report title; a
// second id joins a second line with CR LF.
struct HeaderSpec {
    int textId;
    int textId2;
    const char* cellRef;
    int col;
    int row;
    THorAlign horAlign;
    bool fontBold;
    TColor fontColor;
    TColor cellColor;
    TColor top, left, bottom, right;
    bool merge;
    int mergeToCol;
    int mergeToRow;
};

struct FieldSpec {
    int nameId;
    quint8 dataType;
    const char* format;
    const char* cellRef;
    int col;
    int row;
    THorAlign horAlign;
    TColor fontColor;
    TColor cellColor;
    TColor top, left, bottom, right;
    bool ellipsifyText;
    bool ellipsifyPath;
    bool merge;
    int mergeToCol;
    int mergeToRow;
};

// Adds the rows in order with their texts looked up (and trimmed) now.
void AddHeaders(TzyRHs& list, std::span<const HeaderSpec> rows);
void AddFields(TzyRFs& list, std::span<const FieldSpec> rows);

} // namespace zyRpt

namespace RF_PS_Consts {
// Fill the list created at start-up (RHs_PS, RFs_PS).
void LoadRHs(TzyRHs& list);
void LoadRFs(TzyRFs& list);
} // namespace RF_PS_Consts
