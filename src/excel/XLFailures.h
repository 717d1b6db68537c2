#pragma once
// The failure lines each workbook operation leaves in the layer's Log, kept
// as one table row per operation: the message text and what fills it, the
// detail lines, and whether the worksheet and workbook lines follow.
#include "XLBackend.h"

#include <QString>
#include <QStringList>

#include <functional>

enum class XLOp {
    StartExcel,
    OpenWorkbook,
    SelectWorksheet,
    GetUsedRange,
    SaveAs,
    CloseWorkbook,
    CloseWorkbookSave,
    UnhideAllColumns,
    UnhideAllRows,
    ExtractRawValues,
    ExtractFmtValues,
    ParseClipboardText,
    ExtractWSList,
    ExtractFldList,
    ExtractValList,
    DeleteRows,
    InsertRows,
    SelectRange,
    InsertValues,
    WriteCellText,
    WriteCellNumber,
    ClearContents,
    SetFontColor,
    SetInteriorColor,
};

// What the lines are filled with.
struct XLFailureContext {
    QString wbLabel, wbFileName, wsLabel, wsName; // the layer's labels and names
    std::function<QString()> versionName;         // asked only when a line shows it
    QString column, cell, text;                   // the operation's arguments
    double number = 0.0;
    QString newLabel, newFileName; // SaveAs
};

// The lines, each followed by an empty one. `messageUsed` is set when the
// exception's message went into a details line (the caller then empties it).
QStringList XLFailureLines(XLOp op, const XLFailureContext& c, XLErrorKind kind, const QString& message,
                           bool* messageUsed);
