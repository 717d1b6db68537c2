#pragma once
// The version-independent spreadsheet layer: detection of the installed
// version, workbook limits, column letters, and every workbook operation run
// in one frame (cancel test, failure lines in Log, the silent abort passed
// on) over the backend of the detected version.
#include "XLBackend.h"
#include "XLFailures.h"
#include "XLTraits.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

// One task field of a header row: its column letters, the header text and
// the texts of the cells below it, all trimmed.
struct XLTaskField {
    QString field;
    QString description;
    QStringList values;
};

class TzyXL {
public:
    TzyXL();
    ~TzyXL();
    TzyXL(const TzyXL&) = delete;
    TzyXL& operator=(const TzyXL&) = delete;

    // Fields read (and, for Data, written) by the engine.
    int VerCode = 0;
    int LastCol = 0; // last column NUMBER of the used range (first + count - 1)
    int LastRow = 0; // last row NUMBER of the used range (first + count - 1)
    QStringList Log;
    QString WBLabel;
    QString WBFileName;
    QString WSLabel;
    QString WSName;
    XLColumn Vals; // element i belongs to worksheet row FirstRow + i
    XLColumn Data; // what InsertValues writes; filled by the caller
    // Why detection failed while the layer was built (no dialog can show
    // then); empty when it did not fail. For the start-up log.
    QString StartupNote;

    // Detection and names.
    int GetXLVersion(); // shows "XL002" on a registry failure and gives 0
    int RefreshXLVersion();
    bool IsXLInstalled();
    bool IsXL97To2003();
    bool IsXL64Bit();
    QString GetXLVersionName();
    QString GetDefaultXLExtn();
    bool CheckXLMissing();

    // Limits of the workbook last named through SetWorkbookFileName.
    int GetMaxCols();
    int GetMaxRows();
    QString ColNoToColLetters(int colNo);
    static int ColLettersToColNo(const QString& letters, int maxCol);

    void ResetUsedRange();
    void SetLastCol(int value);
    void SetLastRow(int value);
    void SetWorkbookLabel(const QString& value);
    void SetWorkbookFileName(const QString& value);
    void SetWorksheetLabel(const QString& value);
    void SetWorksheetName(const QString& value);

    // Workbook operations. With no backend (code 0) each does nothing and
    // SelectWorksheet gives false; the row checks still run.
    void StartExcel(bool visible);
    void OpenWorkbook(const QString& fileName, const QString& password,
                      const QString& writeResPassword, bool readOnly);
    bool SelectWorksheet(const QString& wsName);
    void GetUsedRange();
    void SaveAs(const QString& wbLabel, const QString& fileName);
    void CloseWorkbook(bool saveChanges);
    void QuitExcel();

    void ExtractRawValues(const QString& column, int firstRow, int lastRow);
    void ExtractFmtValues(const QString& column, int firstRow, int lastRow);
    // The worksheet names of the open workbook, in its order.
    QStringList ExtractWSList();
    // One task field per column 1..LastCol of the header row, with
    // `valueCount` (the user's preference, 0..5) sample texts each.
    QVector<XLTaskField> ExtractFldList(int headerRow, int valueCount);
    // The displayed texts of rows firstRow..lastRow of a column, in order.
    QStringList ExtractValList(const QString& column, int firstRow, int lastRow);
    // Turns the text of a one-column copy (rows ended by CR LF, multi-line
    // cells quoted) into Vals.
    void ParseClipboardText(const QString& column, int rowCount, const QString& text);

    void DeleteRows(int firstRow, int lastRow);
    void InsertRows(int firstRow, int lastRow);
    void SelectRange(const QString& address);
    void InsertValues(const QString& column, int firstRow, int lastRow);
    void WriteCellText(const QString& cell, const QString& text);
    void WriteCellNumber(const QString& cell, double value);
    // Empties a range ("A8:AK2000") in one request; formats stay.
    void ClearContents(const QString& range);
    void SetFontColor(const QString& cell, int color);
    void SetInteriorColor(const QString& cell, int color);

    // For the length of a run: see XLBackend::holdForRun.
    void HoldForRun(bool on);

    XLBackend* Backend() const { return m_backend.get(); }

private:
    int detect(bool report);
    QString extUpper() const;
    void checkRows(const char* op, int firstRow, int lastRow);
    void unhideAllColumns();
    void unhideAllRows();
    // The operation's failure lines, with the layer's labels and names.
    QStringList failureLines(XLOp op, XLFailureContext args, XLErrorKind kind, const QString& message,
                             bool* messageUsed);
    template <class Body>
    void frame(XLOp op, XLFailureContext args, Body&& body);

    std::unique_ptr<XLBackend> m_backend;
};

extern std::unique_ptr<TzyXL> XL;
