#pragma once
// S Curve Files of a ZOL Definition: the Data Source File with its Task
// Worksheet and header row, the Template File with its two worksheets, and
// the Output File. The defaults follow the user preferences at creation.
#include <QString>

class TzySCF {
public:
    TzySCF();
    void Reset();

    // Stored unchanged (the main form trims worksheet names first).
    QString TaskWS;
    int TaskHeaderRow = 1;
    QString ProjectSummaryWS;
    QString ChartDataWS;

    QString DefaultTemplateFile() const { return m_defaultTemplateFile; }
    QString DefaultOutputFile() const { return m_defaultOutputFile; }

    void ResetTaskHeaderRow();
    void SetDataSourceFile(const QString& value);
    void SetTemplateFile(const QString& value);
    void SetOutputFile(const QString& value);
    QString GetDataSourceFile() const;
    QString GetTemplateFile() const;
    QString GetOutputFile() const;
    // Passwords are handed to the spreadsheet program exactly as typed.
    void SetDataSourceFileOpenPassword(const QString& value);
    void SetTemplateFileOpenPassword(const QString& value);
    QString GetDataSourceFileOpenPassword() const { return m_dataSourceFileOpenPassword; }
    QString GetTemplateFileOpenPassword() const { return m_templateFileOpenPassword; }
    void SetTaskWS(const QString& value);
    void SetProjectSummaryWS(const QString& value);
    void SetChartDataWS(const QString& value);
    void SetTaskHeaderRow(int value);
    // The Chart Data Worksheet row where the per-day block begins.
    static int GetChartDataFirstRow() { return 8; }
    // The folder part of the Output File with its trailing "/", or empty.
    QString GetOutputFolder() const;

private:
    QString m_defaultTemplateFile;
    QString m_defaultOutputFile;
    QString m_dataSourceFile;
    QString m_dataSourceFileOpenPassword;
    QString m_templateFile;
    QString m_templateFileOpenPassword;
    QString m_outputFile;
};
