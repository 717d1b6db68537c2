#include "XLFailures.h"

#include "Format.h"
#include "zyUIL.h"

#include <array>

using Utils::Format;

namespace {

// What fills the message text's placeholders.
enum class Head { Version, WBLabel, WSLabel, WSInWB, WBAsNew };

// The lines between the message text and the worksheet line.
enum class Detail {
    None,
    Cell,          // "Cell: %s"
    TextCell,      // "Value: %s", "Cell: %s"
    NumberCell,    // "Value: %n", "Cell: %s"
    Column,        // "Task Field: %s"
    MapColumn,     // a range the server cannot resolve: "Task Field: %s" and the Map hint; else "Details: %s"
    FilterColumn,  // the same with the Filter hint
};

struct Row {
    XLOp op;
    int textId;
    Head head;
    Detail detail;
    bool wsLine;
    bool wbLine;
    bool newFileLine = false; // "%s: %s" with the new label and file, after the workbook line
};

constexpr std::array<Row, 24> kRows = {{
    {XLOp::StartExcel, 1227, Head::Version, Detail::None, false, false},
    {XLOp::OpenWorkbook, 1228, Head::WBLabel, Detail::None, false, true},
    {XLOp::SelectWorksheet, 1229, Head::WSLabel, Detail::None, false, false},
    {XLOp::GetUsedRange, 1231, Head::WSInWB, Detail::None, true, true},
    {XLOp::SaveAs, 1256, Head::WBAsNew, Detail::None, false, true, true},
    {XLOp::CloseWorkbook, 1258, Head::WBLabel, Detail::None, false, true},
    {XLOp::CloseWorkbookSave, 1257, Head::WBLabel, Detail::None, false, true},
    {XLOp::UnhideAllColumns, 1235, Head::WSInWB, Detail::None, true, true},
    {XLOp::UnhideAllRows, 1236, Head::WSInWB, Detail::None, true, true},
    {XLOp::ExtractRawValues, 1239, Head::WSInWB, Detail::MapColumn, false, false},
    {XLOp::ExtractFmtValues, 1241, Head::WSInWB, Detail::FilterColumn, false, false},
    {XLOp::ParseClipboardText, 1241, Head::WSInWB, Detail::FilterColumn, false, false},
    {XLOp::ExtractWSList, 1243, Head::WBLabel, Detail::None, false, true},
    {XLOp::ExtractFldList, 1244, Head::WSInWB, Detail::None, true, true},
    {XLOp::ExtractValList, 1245, Head::WSInWB, Detail::Column, true, true},
    {XLOp::DeleteRows, 1237, Head::WSInWB, Detail::None, true, true},
    {XLOp::InsertRows, 1238, Head::WSInWB, Detail::None, true, true},
    {XLOp::SelectRange, 1250, Head::WSInWB, Detail::Cell, true, true},
    {XLOp::InsertValues, 1246, Head::WSInWB, Detail::None, true, true},
    {XLOp::WriteCellText, 1248, Head::WSInWB, Detail::TextCell, true, true},
    {XLOp::WriteCellNumber, 1249, Head::WSInWB, Detail::NumberCell, true, true},
    // Clearing is writing empty texts, all at once: the same message.
    {XLOp::ClearContents, 1248, Head::WSInWB, Detail::Cell, true, true},
    {XLOp::SetFontColor, 1252, Head::WSInWB, Detail::Cell, true, true},
    {XLOp::SetInteriorColor, 1251, Head::WSInWB, Detail::Cell, true, true},
}};

const Row& rowOf(XLOp op)
{
    for (const Row& r : kRows) {
        if (r.op == op)
            return r;
    }
    return kRows[0];
}

} // namespace

QStringList XLFailureLines(XLOp op, const XLFailureContext& c, XLErrorKind kind, const QString& message,
                           bool* messageUsed)
{
    const Row& row = rowOf(op);
    const QString pair = QStringLiteral("%s: %s");
    QStringList out;
    auto add = [&](const QString& line) { out << line << QString(); };
    bool used = false;

    switch (row.head) {
    case Head::Version: add(Format(UIT(row.textId), {c.versionName ? c.versionName() : QString()})); break;
    case Head::WBLabel: add(Format(UIT(row.textId), {c.wbLabel})); break;
    case Head::WSLabel: add(Format(UIT(row.textId), {c.wsLabel})); break;
    case Head::WSInWB: add(Format(UIT(row.textId), {c.wsLabel, c.wbLabel})); break;
    case Head::WBAsNew: add(Format(UIT(row.textId), {c.wbLabel, c.newLabel})); break;
    }

    // A failure of our own naming says so in a line of its own, in place of
    // the server's details.
    if (kind == XLErrorKind::NoAnswer) {
        add(kXLNoAnswerText);
        used = true;
    } else if (kind == XLErrorKind::NoSpace) {
        add(Format(kXLNoSpaceText, {c.newLabel.isEmpty() ? c.wbLabel : c.newLabel}));
        used = true;
    } else if (kind == XLErrorKind::FolderStuck) {
        add(Format(kXLFolderStuckText, {c.newLabel.isEmpty() ? c.wbLabel : c.newLabel}));
        used = true;
    }

    switch (row.detail) {
    case Detail::None: break;
    case Detail::Cell: add(Format(UIT(1201), {c.cell})); break;
    case Detail::TextCell:
        add(Format(UIT(1204), {c.text}));
        add(Format(UIT(1201), {c.cell}));
        break;
    case Detail::NumberCell:
        add(Format(UIT(1203), {c.number}));
        add(Format(UIT(1201), {c.cell}));
        break;
    case Detail::Column: add(Format(UIT(1199), {c.column})); break;
    case Detail::MapColumn:
    case Detail::FilterColumn:
        if (message.isEmpty() || used)
            break;
        used = true;
        if (kind == XLErrorKind::BadRange) {
            add(Format(UIT(1199), {c.column}));
            add(UIT(row.detail == Detail::MapColumn ? 1240 : 1242));
        } else {
            add(Format(UIT(1260), {message}));
        }
        break;
    }

    if (row.wsLine)
        add(Format(pair, {c.wsLabel, c.wsName}));
    if (row.wbLine)
        add(Format(pair, {c.wbLabel, c.wbFileName}));
    if (row.newFileLine)
        add(Format(pair, {c.newLabel, c.newFileName}));
    if (messageUsed)
        *messageUsed = used;
    return out;
}
