#pragma once
// Validation of the active ZOL Definition: the numbered list of
// configuration errors, and the field checks the forms also call one at a
// time. A check returns True when the value is at fault and leaves the texts
// of that fault in the message parts; it never shows anything itself. The
// Validate wrappers show a fault in the standard dialog.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Where the numbered error list goes: the configuration-errors form lists
// the items ("1".."Count") and selects `current` (-1: none).
class ICfgErrSink {
public:
    virtual ~ICfgErrSink() = default;
    virtual void ShowCfgErrItems(const QStringList& items, int current) = 0;
};

class TzyDV {
public:
    TzyDV();
    TzyDV(const TzyDV&) = delete;
    TzyDV& operator=(const TzyDV&) = delete;
    virtual ~TzyDV();

    // ---- the configuration-error list (records 1..Count, empty record 0) ----
    int Count() const { return int(m_errs.size()) - 1; }
    void Reset();
    void ClearCfgErrs();
    void AddCfgErr(const QString& tab, const QString& fld, const QString& details, const QString& fldVal,
                   int tabID, int fldID, int rowID);
    QString getCfgErrTab(int index) const;
    QString getCfgErrFld(int index) const;
    QString getCfgErrDetails(int index) const;
    QString getCfgErrFldVal(int index) const;
    int getCfgErrTabID(int index) const;
    int getCfgErrFldID(int index) const;
    int getCfgErrRowID(int index) const;
    void SetCfgErrSink(ICfgErrSink* sink) { m_sink = sink; }

    // ---- illegal characters found by the last character scan ----
    QString GetIllegalChars() const;
    void ClearIllegalChars();
    void AddIllegalChar(const QString& ch);

    // ---- message parts of the last check ----
    QString MsgFix;
    QString MsgShort;
    QString MsgDialog;
    QString MsgDetails;
    QString MsgValue;
    QString MsgID;

    // ---- file settings ----
    bool CheckFileExists(const QString& fldName, const QString& fileName);
    bool CheckPath(const QString& fldName, const QString& fileName);
    bool CheckDrive(const QString& fldName, const QString& fileName);
    bool CheckFileName(const QString& fldName, const QString& fileName);
    bool CheckFileExtension(const QString& fldName, const QString& fileName);
    bool CheckExcelFile(const QString& fldName, const QString& fileName);
    bool CheckWorksheetName(const QString& fldName, const QString& wsName);
    bool CheckTaskHeaderRow(const QString& fileFldName, const QString& fileName, const QString& rowFldName, int row);
    bool CheckTaskFieldColumn(const QString& fileFldName, const QString& fileName, const QString& fldName,
                              const QString& taskFld);
    bool CheckExtensionMatch(const QString& fld1, const QString& file1, const QString& fld2, const QString& file2);
    bool CheckSameValue(const QString& fld1, const QString& val1, const QString& fld2, const QString& val2);
    bool CheckFolderPath(const QString& fldName, const QString& folder);
    bool CheckMaxLength(const QString& fldName, const QString& value, int maxLen);

    // ---- options and filter rows ----
    bool CheckDataOptions(bool generateBL, bool generateACT, bool generateTGT);
    bool CheckQuantityOptions(bool noDataOption, bool graphMH, bool graphCost);
    bool CheckCutOffDate(double cutOffDate);
    bool CheckFilterDefined(bool enabled, int rowCount);
    bool CheckFilterOperator(int sdIndex, const QString& fldName, int code);
    bool CheckFilterRow(const QString& andOrText, const QString& fldName, const QString& taskFldText,
                        const QString& descText, const QString& operatorText, const QString& valueText);
    bool CheckFilterValueForOperator(int code, const QString& fldName, const QString& value);
    bool CheckFilterRowsExclusive(const QString& taskFld2, const QString& rowName2, const QString& operatorText2,
                                  const QString& value2, const QString& taskFld1, const QString& rowName1,
                                  const QString& operatorText1, const QString& value1);
    bool CheckFilterRowsExclusive2(const QString& taskFld2, const QString& rowName2, const QString& operatorText2,
                                   const QString& value2, const QString& taskFld1, const QString& rowName1,
                                   const QString& operatorText1, const QString& value1);
    bool CheckFilterRowsDuplicate(const QString& rowName2, const QString& taskFld2, const QString& operatorText2,
                                  const QString& value2, const QString& rowName1, const QString& taskFld1,
                                  const QString& operatorText1, const QString& value1);

    // ---- the checks with their warning dialog ----
    bool ValidateFileExists(const QString& fldName, const QString& fileName);
    bool ValidatePath(const QString& fldName, const QString& fileName);
    bool ValidateFileExtension(const QString& fldName, const QString& fileName);
    bool ValidateExcelFile(const QString& fldName, const QString& fileName);
    bool ValidateWorksheetName(const QString& fldName, const QString& wsName);
    bool ValidateTaskHeaderRow(const QString& fileFldName, const QString& fileName, const QString& rowFldName,
                               int row);
    bool ValidateTaskFieldColumn(const QString& fileFldName, const QString& fileName, const QString& fldName,
                                 const QString& taskFld);

    // ---- whole validation of the active definition ----
    void Validate(bool dataSourceFileTab, bool templateFileTab, bool outputFileTab);
    void ValidateDataSourceFileTab();
    void ValidateTemplateFileTab();
    void ValidateOutputFileTab();
    void ValidateOptionsTab();
    void ValidateDataSourceMapTab();
    void ValidateDataSourceFilterTab();

private:
    struct CfgErr {
        QString tab, fld, details, fldVal;
        int tabID = 0, fldID = 0, rowID = 0;
    };

    void clearMsgs();
    // The usual fault: `text` as short, dialog (closed by the advice to enter
    // a valid value) and details.
    void setFault(const QString& text, const QString& fldName, const QString& value, const QString& id);
    // A fault that lists the illegal characters found.
    void setIllegalCharsFault(int textId, const QString& fldName, const QString& value, const QString& id);
    bool showFault(bool fault);
    const CfgErr& errAt(int index, const char* tag) const;
    // Adds the fault of the last check as a configuration error.
    void recordError(int tabID, const QString& fldName, int fldID, int rowID);
    bool fileTabFile(int fldID);
    bool worksheetField(int fldID, const QString& wsName, const std::function<void(const QString&)>& store);

    std::vector<CfgErr> m_errs;
    QString m_illegalChars;
    ICfgErrSink* m_sink = nullptr;
};

extern std::unique_ptr<TzyDV> DV;
