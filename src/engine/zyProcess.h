#pragma once
// The S-curve engine's run frame: one Process run from the output checks to
// the saved Output File behind the progress form, the extraction of the tasks
// through the spreadsheet layer, the writing of the template, and the three
// workbook services of the browse commands. The arithmetic is the engine
// core's; this frame drives the layer, the progress form and the dialogs.
#include "zyProcessDef.h"
#include "zyStepFormats.h"

#include <QString>
#include <QStringList>

#include <exception>
#include <functional>
#include <memory>

class ISummaryGrid;
class TzyEngineCore;
class IProgress;

class TzyProcess : public TzyStepFormats {
public:
    TzyProcess();
    ~TzyProcess();
    TzyProcess(const TzyProcess&) = delete;
    TzyProcess& operator=(const TzyProcess&) = delete;

    // Run settings.
    int ReportDate = 0;
    int CutOffDate = 0;
    bool OverwriteChecked = false;
    int SDIndex = 0;
    bool GenerateBL = false, GenerateACT = false, GenerateTGT = false, GraphMH = false, GraphCost = false;

    // Labels (UI texts) and file settings.
    QString DSFLabel, DSFName, DSFPassword;
    QString TaskWSLabel, TaskWSName;
    QString TFLabel, TFName, TFPassword;
    QString PSWSLabel, PSWSName;
    QString CDWSLabel, CDWSName;
    QString OFLabel, OFName;
    QString OFFolderLabel, OFFolder;

    // The run. True when the Output File was saved; otherwise the run has
    // been reported ("UP001" cancel, "UP002" failure). Raises only when the
    // spreadsheet server cannot be quit in a handler.
    bool Process(int sdIndex);
    int CountSteps();
    void Init(int sdIndex);
    bool CheckWorkbooks();
    bool CheckDataSourceFile();
    bool CheckTemplateFile();
    void Calculate();
    // Raises, naming the quantity, when a result is not a finite number.
    void CheckFiniteResults();
    void ClearData();

    void ExtractData();
    void ExtractTasks();
    void ExtractFilterValues();
    void PopulatePSData();
    void FormatPSData();
    void PopulateChartData();
    void PopulateSummaryForm();
    void FormatSummaryForm();
    void DeleteTempData();

    void WriteTemplate();
    void InsertPSData();
    void FormatPSWorksheet();
    void ClearChartData();
    void InsertChartData();
    void FormatChartData();

    bool CheckOutputFolder();
    bool IsOutputFileReadOnly();
    // The Output File Folder exists but no file can be created in it.
    bool IsOutputFolderReadOnly();
    bool CheckOutputFileOpen();
    bool ConfirmOverwrite();
    void SaveOutputFile();
    // The Output File may be neither the Data Source File nor the Template
    // File, whatever the spelling of their paths; raises when it is.
    void CheckDistinctFiles();

    // Browse services: True when the active definition's cache was filled.
    bool ExtractWorksheetNames(const QString& fileLabel, const QString& fileName, const QString& password,
                               int wslIndex);
    bool ExtractTaskFields(const QString& fileLabel, const QString& fileName, const QString& password,
                           const QString& wsLabel, const QString& wsName, const QString& headerRowLabel,
                           int headerRow);
    bool ExtractTaskFieldValues(const QString& fileLabel, const QString& fileName, const QString& password,
                                const QString& wsLabel, const QString& wsName, const QString& taskFld,
                                int vlIndex, const QString& headerRowLabel, int headerRow);

    // Distinct values in order of first appearance (compared upper-cased,
    // a..z only), the text of the first occurrence kept, with their counts.
    // `tick(j)` is called after value j (1-based).
    static void RemoveDuplicates(const QStringList& values, QStringList& distinct, QVector<int>& counts,
                                 const std::function<void(int)>& tick = {});

    // The summary form's grid and its Open Output File button; without a grid
    // the summary steps still run and write nowhere.
    void SetSummaryGrid(ISummaryGrid* grid) { m_grid = grid; }
    void SetShowOpenOutputFile(std::function<void()> show) { m_showOpenOutputFile = std::move(show); }
    // Told when the run moves the definition's Cut Off Date (the main form's
    // date picker follows it).
    void SetCutOffDateMoved(std::function<void(int day)> moved) { m_cutOffDateMoved = std::move(moved); }

    // The calculation's data (tasks, curves, per-day table) of the run under
    // way; empty between runs.
    TzyEngineCore& Core() { return *m_core; }
    const TzyRunDef& Def() const { return m_def; }

private:
    // The frame of every step: a cancel poll, then the body; any exception
    // leaves with the cancel flag cleared.
    void step(const std::function<void()>& body);
    IProgress& progress() const;
    void pollCancel() const;
    void report(const char* msgId, const std::exception* failure);
    void checkOutputFile();
    template <class Body>
    bool browse(int headingId, int steps, int captionId, const QString& fileLabel, const char* cancelId,
                const char* failId, int hintId, const std::function<void()>& resetCache, Body&& body);

    std::unique_ptr<TzyEngineCore> m_core;
    std::unique_ptr<TzyPSResults> m_ps;
    TzyRunDef m_def;
    ISummaryGrid* m_grid = nullptr;
    std::function<void()> m_showOpenOutputFile;
    std::function<void(int)> m_cutOffDateMoved;
};

extern std::unique_ptr<TzyProcess> Process;
