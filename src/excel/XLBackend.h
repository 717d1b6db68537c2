#pragma once
// The spreadsheet server as the layer drives it. One backend serves every
// version code; the layer runs the operation frame (cancel test, failure
// lines, busy loop) around each call, so a backend only does the office work
// and raises XLError when that fails. Rows and columns are 1-based worksheet
// numbers; columns of ranges are given as letters ("C", "XFD"); cells as A1
// addresses ("G27"). Colours are the layer's 0xBBGGRR values (255 is red).
#include <QString>
#include <QStringList>
#include <QVector>

#include <exception>
#include <functional>
#include <memory>
#include <string>

// How a backend failure is told apart; the layer never matches message texts.
enum class XLErrorKind {
    Busy,     // the server refuses or does not answer (quit vetoed, call timed out)
    BadRange, // an address or column the server cannot resolve
    NoAnswer, // the server stopped answering in the middle of a call and was ended
    NoSpace,  // a save found too little free space on the disk
    FolderStuck, // the folder of the file worked on stopped answering
    Other,
};

// The messages of a refused call and of an address the server cannot
// resolve, as the spreadsheet's automation interface words them.
inline const QString kXLBusyText = QStringLiteral("OLE error 800AC472");
inline const QString kXLBadRangeText = QStringLiteral("OLE error 800A03EC");
// Our own lines for the failures the automation interface had no words for.
inline const QString kXLNoAnswerText = QStringLiteral("The spreadsheet server stopped answering, and has been ended.");
inline const QString kXLNoSpaceText = QStringLiteral("There is not enough free space on the disk to save the %s.");
inline const QString kXLFolderStuckText = QStringLiteral("The folder of the %s stopped answering.");

// A failed backend call. The layer's frame may empty the message before it
// passes the same exception on, so that its caller adds no second details
// line; what() follows the message.
class XLError : public std::exception {
public:
    XLError(XLErrorKind kind, const QString& message)
        : m_kind(kind), m_message(message), m_utf8(message.toStdString()) {}
    XLErrorKind kind() const { return m_kind; }
    const QString& message() const { return m_message; }
    void setMessage(const QString& message)
    {
        m_message = message;
        m_utf8 = message.toStdString();
    }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    XLErrorKind m_kind;
    QString m_message;
    std::string m_utf8;
};

// One cell as read (raw values) or as written (a column of values).
struct XLCell {
    enum Kind { Empty, Number, Text, Error };
    Kind kind = Empty;
    double number = 0.0; // Number: the value (dates are day numbers)
    QString text;        // Text: the text; Error: the error's displayed text ("#N/A")

    static XLCell empty() { return {}; }
    static XLCell fromNumber(double v) { return {Number, v, {}}; }
    static XLCell fromText(const QString& t) { return {Text, 0.0, t}; }
    static XLCell fromError(const QString& shown) { return {Error, 0.0, shown}; }
    bool operator==(const XLCell& o) const
    {
        return kind == o.kind && (kind != Number || number == o.number) && text == o.text;
    }
};
using XLColumn = QVector<XLCell>; // element i is worksheet row FirstRow + i

// The used range of a worksheet: its first cell and its size.
struct XLUsedRange {
    int firstRow = 1;
    int firstCol = 1;
    int rowCount = 1;
    int colCount = 1;
};

// One header cell and the cells below it, as displayed texts (untrimmed).
struct XLHeaderField {
    QString description; // the header cell
    QStringList values;  // the cells of the rows below, in order
};

// The file format of a save.
enum class XLSaveFormat {
    KeepOwn, // the format the workbook was loaded in
    Xls,     // Excel 97-2003 workbook (file format 56, "MS Excel 97")
    Xlsx,    // Open XML workbook (file format 51, "Calc MS Excel 2007 XML")
};

class XLBackend {
public:
    virtual ~XLBackend() = default; // ends a server still held; never throws

    // Instance. start() begins a fresh private server (one held from an
    // earlier start is released, not quit). quit() does nothing when no
    // server is held; a refused quit is Busy and the server stays held.
    virtual void start() = 0;
    virtual void quit() = 0;

    // Workbook. A wrong or missing password, or a file that does not load,
    // raises Other with a readable message.
    virtual void openWorkbook(const QString& fileName, const QString& password,
                              const QString& writeResPassword, bool readOnly) = 0;
    // Worksheet names in the workbook's order (chart sheets excluded).
    virtual QStringList worksheetNames() = 0;
    // Makes worksheet `index` (1-based, into worksheetNames()) the one the
    // cell operations work on.
    virtual void selectWorksheet(int index) = 0;
    // Looks the worksheet up by name (the server's own lookup), activates it,
    // removes its AutoFilter and an unfrozen window split, and gives its used
    // range.
    virtual XLUsedRange usedRange(const QString& wsName) = 0;
    // Saves under a new name; the workbook stays open under that name.
    virtual void saveAs(const QString& fileName, XLSaveFormat format) = 0;
    virtual void closeWorkbook(bool saveChanges) = 0;

    // Reading, on the selected worksheet. One request per column.
    virtual void unhideAllColumns(int colCount) = 0; // columns 1..colCount visible
    virtual void unhideAllRows(int rowCount) = 0;    // rows 1..rowCount visible
    virtual XLColumn readRawColumn(const QString& column, int firstRow, int lastRow) = 0;
    // Displayed texts as the server formats them, one per row, untrimmed.
    virtual QStringList readDisplayColumn(const QString& column, int firstRow, int lastRow) = 0;
    // The header cell (headerRow, col) and the `valueCount` cells below it,
    // each read as a value converted to text (dates as short dates, numbers
    // in the locale's format, errors as displayed).
    virtual XLHeaderField readHeaderField(int headerRow, int col, int valueCount) = 0;

    // Writing, on the selected worksheet.
    virtual void deleteRows(int firstRow, int lastRow) = 0;
    // Inserts empty rows firstRow..lastRow (formats of the row above) and
    // selects cell A<firstRow>.
    virtual void insertRows(int firstRow, int lastRow) = 0;
    virtual void selectRange(const QString& address) = 0;
    // values.size() == lastRow - firstRow + 1; Empty clears, Text is literal.
    virtual void writeColumn(const QString& column, int firstRow, int lastRow, const XLColumn& values) = 0;
    virtual void writeCellText(const QString& cell, const QString& text) = 0; // literal text
    virtual void writeCellNumber(const QString& cell, double value) = 0;
    // Empties every cell of a range (values, texts, formulas) in one request,
    // as writing an empty text into each would; formats stay.
    virtual void clearContents(const QString& range) = 0;
    // `cell` may also be a range ("A8:AK2000"): one request colours it all.
    virtual void setFontColor(const QString& cell, int color) = 0;
    virtual void setInteriorColor(const QString& cell, int color) = 0;

    // A run opens each workbook twice (checked, then used) and starts the
    // server twice. While held, a backend may keep what the first use loaded
    // for the second: a workbook closed unchanged stays loaded for its next
    // open while its file is unchanged, and a quit server stays running for
    // the next start. What was taken back once is closed or quit for real
    // the next time, and nothing is kept once the hold is let go. A backend
    // that keeps nothing ignores it.
    virtual void holdForRun(bool on) { (void)on; }
};

// How the layer gets its backend: the program installs the LibreOffice one at
// start-up, tests a fake. Asked once, when the layer is created for a
// detected version (code 1..7); no factory means no backend (as code 0).
using XLBackendFactory = std::function<std::unique_ptr<XLBackend>(int verCode)>;
void setXLBackendFactory(XLBackendFactory factory);
const XLBackendFactory& xlBackendFactory();
