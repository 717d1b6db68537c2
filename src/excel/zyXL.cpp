#include "zyXL.h"

#include "Bitness.h"
#include "Format.h"
#include "Progress.h"
#include "REG_Utils.h"
#include "ServerInfo.h"
#include "StdDlg.h"
#include "XLFailures.h"
#include "Utils.h"
#include "zyUIL.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <utility>

std::unique_ptr<TzyXL> XL;

using Utils::Format;
using platform::RootKey;

namespace {

const QString kProductName = QStringLiteral("Tarvo ZOL Lumo");
const QString kCurVerKey = QStringLiteral("Excel.Application\\CurVer");
const QString kAppPathKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\excel.exe");

// Exact (upper-cased) CurVer texts, in the order they are compared.
const std::array<std::pair<const char*, int>, 7> kCurVers = {{
    {"EXCEL.APPLICATION.15", 7},
    {"EXCEL.APPLICATION.14", 6},
    {"EXCEL.APPLICATION.12", 5},
    {"EXCEL.APPLICATION.11", 4},
    {"EXCEL.APPLICATION.10", 3},
    {"EXCEL.APPLICATION.9", 2},
    {"EXCEL.APPLICATION.8", 1},
}};

QString rowCheckText(const QString& tag, int low, int high, int value)
{
    return Format(UIT(1268), {tag}) + QStringLiteral("\r\n") + Format(UIT(1269), {low, high})
        + QStringLiteral("\r\n") + Format(UIT(1270), {value});
}

// The text a one-column copy of these displayed texts gives: every row ended
// by CR LF, a multi-line cell quoted. A CR inside a cell is dropped so that it
// cannot end a row early, and inner quotes are not doubled, so the parse
// gives such a cell back with its own quotes.
QString copyText(const QStringList& shown)
{
    QString out;
    for (QString t : shown) {
        t.remove(QLatin1Char('\r'));
        if (t.contains(QLatin1Char('\n')))
            t = QLatin1Char('"') + t + QLatin1Char('"');
        out += t + QStringLiteral("\r\n");
    }
    return out;
}

} // namespace

TzyXL::TzyXL()
{
    ResetUsedRange();
    VerCode = detect(false);
    if (VerCode != 0) {
        if (const XLBackendFactory& make = xlBackendFactory())
            m_backend = make(VerCode);
    }
}

TzyXL::~TzyXL()
{
    Log.clear();
    Data.clear();
    Vals.clear();
    m_backend.reset();
}

// ---- detection -------------------------------------------------------------

int TzyXL::detect(bool report)
{
    try {
        if (!REG_Utils::ValueExists(RootKey::ClassesRoot, kCurVerKey, QString()))
            return 0;
        const QString value =
            Utils::AsciiUpper(REG_Utils::ReadString(RootKey::ClassesRoot, kCurVerKey, QString(), QString()));
        for (const auto& [text, code] : kCurVers) {
            if (value == QLatin1String(text))
                return code;
        }
        return 0;
    } catch (const std::exception& e) {
        const QString details = Utils::ExceptionMessage(e);
        if (!report) {
            // Built before the dialogs exist: taken as no Excel, kept for the log.
            StartupNote = UIT(1223);
            if (!details.isEmpty())
                StartupNote += QLatin1Char(' ') + Format(UIT(1260), {details});
            return 0;
        }
        Progress::form().SetCancelled(false);
        QStringList lines{UIT(1223), QString()};
        if (!details.isEmpty())
            lines << Format(UIT(1260), {details});
        StdDlg::ShowMsg1(StdDlg::Warning, QStringLiteral("XL002"), lines, UIT(1213), UIT(289),
                         StdDlg::mrClose, StdDlg::glClose);
        return 0;
    }
}

int TzyXL::GetXLVersion()
{
    return detect(true);
}

int TzyXL::RefreshXLVersion()
{
    VerCode = GetXLVersion();
    return VerCode;
}

bool TzyXL::IsXLInstalled()
{
    return RefreshXLVersion() != 0;
}

bool TzyXL::IsXL97To2003()
{
    const int code = RefreshXLVersion();
    return code >= 1 && code <= 4;
}

bool TzyXL::IsXL64Bit()
{
    try {
        const QString path = REG_Utils::ReadString(RootKey::LocalMachine, kAppPathKey, QString(), QString());
        if (Utils::IsWow64() && !path.isEmpty())
            return platform::platformInfo().binaryType(path) == platform::kBinary64;
    } catch (...) {
    }
    return false;
}

QString TzyXL::GetXLVersionName()
{
    // The version code only picks the workbook rules; what runs is the
    // server the backend starts, named as it names itself.
    if (RefreshXLVersion() == 0)
        return UIT(1198);
    const platform::ServerInfo server = platform::installedServer();
    return server.found() ? server.displayName() : QStringLiteral("LibreOffice");
}

QString TzyXL::GetDefaultXLExtn()
{
    return xlTraits(RefreshXLVersion()).defaultExtn;
}

bool TzyXL::CheckXLMissing()
{
    if (IsXLInstalled())
        return false;
    const QStringList lines{UIT(1224), QString(), UIT(1225), QString(), UIT(1226)};
    StdDlg::ShowMsg1(StdDlg::Warning, QStringLiteral("XL001"), lines, UIT(1212), UIT(289),
                     StdDlg::mrClose, StdDlg::glClose);
    return true;
}

// ---- limits and column letters ----------------------------------------------

QString TzyXL::extUpper() const
{
    return Utils::AsciiUpper(Utils::Trim(Utils::GetFileExt(WBFileName, false)));
}

int TzyXL::GetMaxCols()
{
    const QString ext = extUpper();
    return xlTraits(RefreshXLVersion()).colLimit(ext);
}

int TzyXL::GetMaxRows()
{
    const QString ext = extUpper();
    return xlTraits(RefreshXLVersion()).rowLimit(ext);
}

QString TzyXL::ColNoToColLetters(int colNo)
{
    if (colNo < 1 || colNo > GetMaxCols())
        return QString();
    auto ch = [](int code) { return QChar(char16_t(code)); };
    if (colNo <= 26)
        return QString(ch(64 + colNo));
    if (colNo <= 702)
        return QString(ch(64 + (colNo - 1) / 26)) + ch(65 + (colNo - 1) % 26);
    return QString(ch(65 + ((colNo - 703) / 676) % 676)) + ch(65 + ((colNo - 27) / 26) % 26)
        + ch(65 + (colNo - 1) % 26);
}

int TzyXL::ColLettersToColNo(const QString& letters, int maxCol)
{
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    const QString u = Utils::AsciiUpper(letters);
    int result = 0;
    for (const QChar c : u) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            return 0;
        result = result * 26 + (c.unicode() - 64);
    }
    return result < 0 || result > maxCol ? 0 : result;
}

// ---- fields ------------------------------------------------------------------

void TzyXL::ResetUsedRange()
{
    LastCol = 0;
    LastRow = 0;
}

void TzyXL::SetLastCol(int value)
{
    LastCol = value;
}

void TzyXL::SetLastRow(int value)
{
    LastRow = value;
}

void TzyXL::SetWorkbookLabel(const QString& value)
{
    WBLabel = value;
}

void TzyXL::SetWorkbookFileName(const QString& value)
{
    WBFileName = value;
}

void TzyXL::SetWorksheetLabel(const QString& value)
{
    WSLabel = value;
}

void TzyXL::SetWorksheetName(const QString& value)
{
    WSName = value;
}

// ---- the operation frame -----------------------------------------------------

QStringList TzyXL::failureLines(XLOp op, XLFailureContext args, XLErrorKind kind, const QString& message,
                                bool* messageUsed)
{
    args.wbLabel = WBLabel;
    args.wbFileName = WBFileName;
    args.wsLabel = WSLabel;
    args.wsName = WSName;
    args.versionName = [this] { return GetXLVersionName(); };
    return XLFailureLines(op, args, kind, message, messageUsed);
}

// Cancel test at entry (outside the handlers, so Log stays as it was), then
// the body. A cancel from inside leaves Log empty; any other failure leaves
// exactly the operation's failure lines. Both clear the cancel flag and pass
// the same exception on; its message is emptied when a details line took it.
template <class Body>
void TzyXL::frame(XLOp op, XLFailureContext args, Body&& body)
{
    Progress::PollCancel();
    auto fail = [&](XLErrorKind kind, const QString& message) {
        Progress::form().SetCancelled(false);
        bool used = false;
        Log = failureLines(op, args, kind, message, &used);
        return used;
    };
    try {
        body();
    } catch (const OperationAborted&) {
        Progress::form().SetCancelled(false);
        Log.clear();
        throw;
    } catch (XLError& e) {
        if (fail(e.kind(), e.message()))
            e.setMessage(QString());
        throw;
    } catch (const std::exception& e) {
        if (fail(XLErrorKind::Other, Utils::ExceptionMessage(e)))
            throw XLError(XLErrorKind::Other, QString());
        throw;
    } catch (...) {
        fail(XLErrorKind::Other, QString());
        throw;
    }
    Progress::Pump();
}

namespace {

XLFailureContext withColumn(const QString& column)
{
    XLFailureContext c;
    c.column = column;
    return c;
}

XLFailureContext withCell(const QString& cell)
{
    XLFailureContext c;
    c.cell = cell;
    return c;
}

} // namespace

void TzyXL::checkRows(const char* op, int firstRow, int lastRow)
{
    const QString tag = QStringLiteral("TzyXL.") + QLatin1String(op) + QStringLiteral(": ");
    int max = GetMaxRows();
    if (Utils::IsOutOfRange(firstRow, 1, max))
        throw ZolError(rowCheckText(tag + QStringLiteral("intFirstRow"), 1, max, firstRow));
    max = GetMaxRows();
    if (Utils::IsOutOfRange(lastRow, firstRow, max))
        throw ZolError(rowCheckText(tag + QStringLiteral("intLastRow"), firstRow, max, lastRow));
}

// ---- instance and workbook ---------------------------------------------------

void TzyXL::StartExcel(bool /*visible*/)
{
    // The server always runs hidden; every caller asks for that.
    if (!m_backend)
        return;
    frame(XLOp::StartExcel, {}, [&] { m_backend->start(); });
}

void TzyXL::OpenWorkbook(const QString& fileName, const QString& password, const QString& writeResPassword,
                         bool readOnly)
{
    if (!m_backend)
        return;
    Progress::Pump();
    SetWorkbookFileName(fileName);
    frame(XLOp::OpenWorkbook, {},
          [&] { m_backend->openWorkbook(fileName, password, writeResPassword, readOnly); });
}

bool TzyXL::SelectWorksheet(const QString& wsName)
{
    if (!m_backend)
        return false;
    Progress::Pump();
    SetWorksheetName(wsName);
    bool result = false;
    frame(XLOp::SelectWorksheet, {}, [&] {
        // Only a..z fold: "Über" and "über" are different worksheets.
        const QString wanted = Utils::AsciiUpper(wsName);
        const QStringList names = m_backend->worksheetNames();
        int visited = 0;
        for (const QString& name : names) {
            Progress::PollCancel();
            ++visited;
            if (Utils::AsciiUpper(name) == wanted) {
                result = true;
                break;
            }
        }
        if (visited > 0)
            m_backend->selectWorksheet(visited);
    });
    return result;
}

void TzyXL::GetUsedRange()
{
    if (!m_backend)
        return;
    frame(XLOp::GetUsedRange, {}, [&] {
        const XLUsedRange r = m_backend->usedRange(WSName);
        // Last numbers, not counts: a used range that starts below row 1 or
        // right of column A loses nothing at its end.
        SetLastCol(r.firstCol + r.colCount - 1);
        SetLastRow(r.firstRow + r.rowCount - 1);
    });
}

void TzyXL::SaveAs(const QString& wbLabel, const QString& fileName)
{
    if (!m_backend)
        return;
    XLFailureContext args;
    args.newLabel = wbLabel;
    args.newFileName = fileName;
    frame(XLOp::SaveAs, args, [&] {
        m_backend->saveAs(fileName, xlTraits(VerCode).saveFormat(fileName));
        SetWorkbookLabel(wbLabel);
        SetWorkbookFileName(fileName);
    });
}

void TzyXL::CloseWorkbook(bool saveChanges)
{
    if (!m_backend)
        return;
    frame(saveChanges ? XLOp::CloseWorkbookSave : XLOp::CloseWorkbook, {},
          [&] { m_backend->closeWorkbook(saveChanges); });
}

void TzyXL::HoldForRun(bool on)
{
    if (m_backend)
        m_backend->holdForRun(on);
}

void TzyXL::QuitExcel()
{
    if (!m_backend)
        return;
    // No cancel test: a cancelled run still ends the server.
    Progress::Pump();
    for (;;) {
        try {
            m_backend->quit();
            break;
        } catch (const std::exception& e) {
            Progress::form().SetCancelled(false);
            const auto* xe = dynamic_cast<const XLError*>(&e);
            if (!xe || xe->kind() != XLErrorKind::Busy) {
                Log.clear();
                Log << Format(UIT(1259), {GetXLVersionName()}) << QString();
                throw;
            }
            QString name = GetXLVersionName();
            const QStringList busy{Format(UIT(1214), {name, kProductName}), QString(),
                                   Format(UIT(1215), {name}), QString(),
                                   Format(UIT(1216), {name}), QString(),
                                   UIT(1217), QString(),
                                   UIT(1218), QString(),
                                   Format(UIT(1219), {name})};
            const int answer = StdDlg::ShowMsg2(
                StdDlg::Question, QStringLiteral("XL003"), busy, UIT(1208), UIT(293), StdDlg::mrRetry,
                StdDlg::glRetry, UIT(1209) + QStringLiteral("\r\n") + UIT(1210), UIT(288), StdDlg::mrCancel,
                StdDlg::glCancel);
            if (answer != StdDlg::mrCancel)
                continue;
            name = GetXLVersionName();
            const QStringList notClosed{Format(UIT(1264), {name}), QString(), UIT(1265), QString(),
                                        UIT(1266), QString(), UIT(1267)};
            StdDlg::ShowMsg1(StdDlg::Warning, QStringLiteral("XL004"), notClosed, UIT(1211), UIT(289),
                             StdDlg::mrClose, StdDlg::glClose);
            Log.clear();
            Log << Format(UIT(1261), {GetXLVersionName(), kProductName}) << QString();
            Log << Format(UIT(1262), {GetXLVersionName()}) << QString();
            Log << Format(UIT(1263), {GetXLVersionName()}) << QString();
            throw;
        } catch (...) {
            Progress::form().SetCancelled(false);
            Log.clear();
            Log << Format(UIT(1259), {GetXLVersionName()}) << QString();
            throw;
        }
    }
    Progress::Pump();
}


// ---- reading -----------------------------------------------------------------

void TzyXL::unhideAllColumns()
{
    frame(XLOp::UnhideAllColumns, {}, [&] {
        m_backend->unhideAllColumns(GetMaxCols());
        SelectRange(QStringLiteral("A1"));
    });
}

void TzyXL::unhideAllRows()
{
    frame(XLOp::UnhideAllRows, {}, [&] {
        m_backend->unhideAllRows(GetMaxRows());
        SelectRange(QStringLiteral("A1"));
    });
}

void TzyXL::ExtractRawValues(const QString& column, int firstRow, int lastRow)
{
    checkRows("ExtractRawValues", firstRow, lastRow);
    if (!m_backend)
        return;
    frame(XLOp::ExtractRawValues, withColumn(column), [&] {
        // The column read before is let go first: a large read holds the
        // server's reply and the new column at once.
        Vals = {};
        XLColumn v = m_backend->readRawColumn(column, firstRow, lastRow);
        v.resize(lastRow - firstRow + 1);
        // An error value reads as the text the cell shows. A single cell
        // keeps its typed value like any other.
        for (XLCell& c : v) {
            if (c.kind == XLCell::Error)
                c = XLCell::fromText(Utils::Trim(c.text));
        }
        Vals = std::move(v);
    });
}

void TzyXL::ExtractFmtValues(const QString& column, int firstRow, int lastRow)
{
    checkRows("ExtractFmtValues", firstRow, lastRow);
    if (!m_backend)
        return;
    frame(XLOp::ExtractFmtValues, withColumn(column), [&] {
        unhideAllColumns();
        unhideAllRows();
        const int n = lastRow - firstRow + 1;
        Vals = {}; // as for raw values: not held while the next column is read
        const QStringList shown = m_backend->readDisplayColumn(column, firstRow, lastRow);
        ParseClipboardText(column, n, copyText(shown));
    });
}

void TzyXL::ParseClipboardText(const QString& column, int rowCount, const QString& text)
{
    frame(XLOp::ParseClipboardText, withColumn(column), [&] {
        const int n = std::clamp(rowCount, 1, std::max(1, GetMaxRows()));
        QStringList rows;
        rows.reserve(n);
        for (int i = 0; i < n; ++i)
            rows << QString();
        int stored = 0;
        QString gathered;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
                if (stored < n)
                    rows[stored++] = Utils::Trim(gathered);
                gathered.clear();
                ++i;
            } else {
                gathered += text[i];
            }
        }
        XLColumn v;
        v.reserve(n);
        for (QString& r : rows) {
            if (r.contains(QLatin1Char('\n'))) {
                r = r.size() < 2 ? QString() : r.mid(1, r.size() - 2);
                r.remove(QLatin1Char('\n'));
            }
            v << XLCell::fromText(r);
        }
        Vals = std::move(v);
    });
}

QStringList TzyXL::ExtractWSList()
{
    QStringList out;
    if (!m_backend)
        return out;
    frame(XLOp::ExtractWSList, {}, [&] {
        const QStringList names = m_backend->worksheetNames();
        const int n = int(names.size());
        IProgress& p = Progress::form();
        p.StartStepProgress(n);
        p.AddStep(Format(UIT(1205), {0, n}));
        for (int i = 0; i < n; ++i) {
            Progress::PollCancel();
            out << names[i];
            p.UpdateStepLine(Format(UIT(1205), {i + 1, n}));
        }
        p.ShowStepProgress(false);
    });
    return out;
}

QVector<XLTaskField> TzyXL::ExtractFldList(int headerRow, int valueCount)
{
    const int max = GetMaxRows() - 1;
    if (Utils::IsOutOfRange(headerRow, 1, max))
        throw ZolError(rowCheckText(QStringLiteral("TzyXL.ExtractFldList: intHeaderRow"), 1, max, headerRow));
    QVector<XLTaskField> out;
    if (!m_backend)
        return out;
    valueCount = std::max(0, valueCount);
    frame(XLOp::ExtractFldList, {}, [&] {
        const int n = std::max(0, LastCol);
        IProgress& p = Progress::form();
        p.StartStepProgress(n);
        p.AddStep(Format(UIT(1206), {0, n}));
        for (int i = 1; i <= n; ++i) {
            Progress::PollCancel();
            XLTaskField f;
            f.field = ColNoToColLetters(i);
            // Sample rows beyond the workbook's last row stay empty.
            const int readable = std::clamp(GetMaxRows() - headerRow, 0, valueCount);
            const XLHeaderField h = m_backend->readHeaderField(headerRow, i, readable);
            f.description = Utils::Trim(h.description);
            for (int j = 0; j < valueCount; ++j)
                f.values << (j < readable && j < h.values.size() ? Utils::Trim(h.values[j]) : QString());
            out << f;
            p.UpdateStepLine(Format(UIT(1206), {i, n}));
        }
        p.ShowStepProgress(false);
    });
    return out;
}

QStringList TzyXL::ExtractValList(const QString& column, int firstRow, int lastRow)
{
    Progress::PollCancel();
    checkRows("ExtractValList", firstRow, lastRow);
    QStringList out;
    if (!m_backend)
        return out;
    try {
        ExtractFmtValues(column, firstRow, lastRow);
        const int count = lastRow - firstRow + 1;
        IProgress& p = Progress::form();
        p.StartStepProgress(count);
        p.AddStep(Format(UIT(1207), {0, count}));
        out.reserve(count);
        for (int i = 0; i < count; ++i) {
            out << (i < Vals.size() ? Vals[i].text : QString());
            p.UpdateStepLine(Format(UIT(1207), {i + 1, count}));
        }
        p.ShowStepProgress(false);
    } catch (const OperationAborted&) {
        Progress::form().SetCancelled(false);
        Log.clear();
        throw;
    } catch (...) {
        // These lines replace the inner read's; the exception passes on as it is.
        Progress::form().SetCancelled(false);
        XLErrorKind kind = XLErrorKind::Other;
        try {
            throw;
        } catch (const XLError& e) {
            kind = e.kind(); // a line of its own (a hung server) stays
        } catch (...) {
        }
        Log = failureLines(XLOp::ExtractValList, withColumn(column), kind, QString(), nullptr);
        throw;
    }
    Progress::Pump();
    return out;
}

// ---- writing -----------------------------------------------------------------

void TzyXL::DeleteRows(int firstRow, int lastRow)
{
    checkRows("DeleteRows", firstRow, lastRow);
    if (!m_backend)
        return;
    frame(XLOp::DeleteRows, {}, [&] { m_backend->deleteRows(firstRow, lastRow); });
}

void TzyXL::InsertRows(int firstRow, int lastRow)
{
    checkRows("InsertRows", firstRow, lastRow);
    if (!m_backend)
        return;
    frame(XLOp::InsertRows, {}, [&] { m_backend->insertRows(firstRow, lastRow); });
}

void TzyXL::SelectRange(const QString& address)
{
    if (!m_backend)
        return;
    frame(XLOp::SelectRange, withCell(address), [&] { m_backend->selectRange(address); });
}

void TzyXL::InsertValues(const QString& column, int firstRow, int lastRow)
{
    checkRows("InsertValues", firstRow, lastRow);
    if (!m_backend)
        return;
    frame(XLOp::InsertValues, {}, [&] {
        // Exactly one value per row: missing values clear their cells.
        XLColumn values = Data;
        values.resize(lastRow - firstRow + 1);
        m_backend->writeColumn(column, firstRow, lastRow, values);
    });
}

void TzyXL::WriteCellText(const QString& cell, const QString& text)
{
    if (!m_backend)
        return;
    XLFailureContext args = withCell(cell);
    args.text = text;
    frame(XLOp::WriteCellText, args, [&] { m_backend->writeCellText(cell, text); });
}

void TzyXL::WriteCellNumber(const QString& cell, double value)
{
    if (!m_backend)
        return;
    XLFailureContext args = withCell(cell);
    args.number = value;
    frame(XLOp::WriteCellNumber, args, [&] { m_backend->writeCellNumber(cell, value); });
}

void TzyXL::ClearContents(const QString& range)
{
    if (!m_backend)
        return;
    frame(XLOp::ClearContents, withCell(range), [&] { m_backend->clearContents(range); });
}

void TzyXL::SetFontColor(const QString& cell, int color)
{
    if (!m_backend)
        return;
    frame(XLOp::SetFontColor, withCell(cell), [&] { m_backend->setFontColor(cell, color); });
}

void TzyXL::SetInteriorColor(const QString& cell, int color)
{
    if (!m_backend)
        return;
    frame(XLOp::SetInteriorColor, withCell(cell), [&] { m_backend->setInteriorColor(cell, color); });
}
