#pragma once
// An in-memory spreadsheet server for tests: workbooks of cells with raw
// values and displayed texts, hidden rows and columns, colours, failure
// injection per backend operation, and a record of every call.
//
//   auto office = std::make_shared<FakeOffice>();
//   office->install();                              // the layer's backend factory
//   auto& ws = office->addWorkbook("/d/plan.xlsx").addSheet("Tasks");
//   ws.text("A1", "Task").num("B2", 5).error("B3", "#N/A").shown("B2", "5.00");
//   office->fail("readRawColumn", XLErrorKind::BadRange);   // next call fails once
//   office->busy("quit", 2);                                // quit refused twice
//
// Operation names for fail() are the XLBackend method names ("start",
// "openWorkbook", "readDisplayColumn", ...).
#include "XLBackend.h"

#include <QHash>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>

class FakeSheet {
public:
    explicit FakeSheet(const QString& name = QString()) : name(name) {}

    QString name;
    QMap<QPair<int, int>, XLCell> values;  // (row, col) -> raw value
    QMap<QPair<int, int>, QString> texts;  // (row, col) -> displayed text, when set
    QSet<int> hiddenRows;
    QSet<int> hiddenCols;
    // A1 address or range as coloured (upper case) -> 0xBBGGRR
    QHash<QString, int> fontColors;
    QHash<QString, int> interiorColors;
    QString selection;
    bool autoFilter = false;
    bool split = false;
    bool frozen = false;

    // Builders; each returns the sheet for chaining.
    FakeSheet& set(const QString& a1, const XLCell& value);
    FakeSheet& num(const QString& a1, double value);
    FakeSheet& text(const QString& a1, const QString& value);
    FakeSheet& error(const QString& a1, const QString& shownText);
    FakeSheet& shown(const QString& a1, const QString& displayed); // displayed text only
    // Texts of a column from row `firstRow` on, one per row.
    FakeSheet& column(const QString& col, int firstRow, const QStringList& cells);
    FakeSheet& hideRow(int row);
    FakeSheet& hideCol(int col);

    XLCell value(const QString& a1) const;
    XLCell value(int row, int col) const;
    // The set displayed text, else the value's own text.
    QString display(int row, int col) const;
    QString display(const QString& a1) const;
    XLUsedRange usedRange() const;

    void insertRows(int firstRow, int count);
    void deleteRows(int firstRow, int count);
};

class FakeWorkbook {
public:
    QString password;
    QString format; // "xls", "xlsx", ... (from the name when added)
    std::deque<FakeSheet> sheets; // references stay valid as sheets are added

    FakeSheet& addSheet(const QString& name);
    FakeSheet* sheet(const QString& name); // exact name
};

class FakeOffice : public std::enable_shared_from_this<FakeOffice> {
public:
    // Workbooks by file name; a save adds or replaces one.
    QMap<QString, FakeWorkbook> files;
    FakeWorkbook& addWorkbook(const QString& fileName, const QString& password = QString());

    // Every backend call, "name(arg, arg)", in order.
    QStringList calls;
    int count(const QString& op) const;
    QStringList callNames() const;

    // The next `times` calls of `op` fail (-1: every call from now on). A null
    // message gives the usual text of the kind ("OLE error 800A03EC" ...).
    void fail(const QString& op, XLErrorKind kind = XLErrorKind::Other, const QString& message = QString(),
              int times = 1);
    void busy(const QString& op, int times);
    void clearFailures() { m_failures.clear(); }
    // An .xlsx workbook does not open (an old version without the pack).
    bool refuseXlsx = false;

    // State of the server as the layer left it.
    bool running = false;
    int starts = 0;
    QString openFile;          // file name of the open workbook, empty when none
    int selectedSheet = 0;     // 1-based index, 0 when none
    QVector<int> createdForCodes;
    int backendsAlive = 0;

    FakeWorkbook* workbook();  // the open one, or nullptr
    FakeSheet* sheet();        // the selected one, or nullptr

    std::unique_ptr<XLBackend> makeBackend();
    XLBackendFactory factory();
    void install() { setXLBackendFactory(factory()); }

    // Used by the backend.
    void enter(const QString& op, const QStringList& args);
    static QPair<int, int> cellAt(const QString& a1); // raises BadRange
    // The corners of "B2:D9" (a single cell is both); raises BadRange.
    static QPair<QPair<int, int>, QPair<int, int>> rangeAt(const QString& address);

private:
    struct Failure {
        XLErrorKind kind;
        QString message;
        int times;
    };
    QHash<QString, Failure> m_failures;
};
