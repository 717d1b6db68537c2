#pragma once
// The Project Summary of a run: its values, their states ("No Data", "N/A")
// and status words in RFs_PS, and their copy into the summary form's grid.
#include "ISummaryGrid.h"
#include "zyRunData.h"
#include "zyRF.h"
#include "zyRH.h"

#include <QString>
#include <array>
#include <functional>

class TzyEngineCore;
class TzySD;

// One curve's figures as the summary reports them.
using TzyPSCurve = TzyCurveResults;

// Everything the summary reads of a run and of the processed definition.
struct TzyPSResults {
    enum { BL = 0, ACT = 1, TGT = 2 };

    int ReportDate = 0;
    int CutOffDate = 0;

    QString ProjectTitle;
    QString ProjectNumber;
    QString ProjectClient;
    QString DataSourceFile;
    QString DataOptionsText;
    QString QuantityText;
    QString FilterDetails;

    bool GenerateBL = false;
    bool GenerateACT = false;
    bool GenerateTGT = false;
    bool GraphMH = false;
    bool GraphCost = false;

    int TotalTasks = 0;
    int TasksNotInFilter = 0;
    int TasksProcessed = 0;

    std::array<TzyPSCurve, 3> Curves;

    TzyGrowth Growth;

    // Baseline and at least one of Actual and Target: slippage, growth and
    // the task status apply.
    bool Compared() const { return GenerateBL && (GenerateACT || GenerateTGT); }
};

namespace zyPSData {

// The summary's inputs from a calculated run (options, counts, curves,
// growth) and from the definition it processed (the report texts).
TzyPSResults FromRun(const TzyEngineCore& core);
void SetDefinitionTexts(TzyPSResults& r, const TzySD& sd);

// The status words (empty when Baseline is not compared with Actual or
// Target, and for a quantity that is not graphed).
struct StatusWords {
    QString Start, Finish, Duration, MH, Cost;
};
StatusWords GetStatusWords(const TzyPSResults& r);

// Each runs as a step of the run: a cancel poll first, its progress line,
// and the cancel flag cleared on any failure before it is raised again.
// PopulatePSData resets the values, sets them and ends with PopulatePSStatus.
void PopulatePSData(const TzyPSResults& r, TzyRFs& rfs, TzyRHs& rhs);
void PopulatePSStatus(const TzyPSResults& r, TzyRFs& rfs);
void FormatPSData(const TzyPSResults& r, TzyRFs& rfs);
void PopulateSummaryForm(const TzyRFs& rfs, const TzyRHs& rhs, ISummaryGrid& grid);
// `showOpenOutputFile` makes the summary form's Open Output File button
// visible.
void FormatSummaryForm(const TzyRFs& rfs, ISummaryGrid& grid, const std::function<void()>& showOpenOutputFile);

// The cells shown in red when above zero, on the summary form and in the
// worksheet: invalid tasks and slippage (whole numbers), man-hour and cost
// growth (amounts).
inline constexpr std::array<const char*, 9> kRedWhenPositiveCounts = {"B12", "D12", "F12", "B23", "D23",
                                                                      "B24", "D24", "B25", "D25"};
inline constexpr std::array<const char*, 4> kRedWhenPositiveAmounts = {"B26", "D26", "B27", "D27"};

// The text a field cell shows: its value text, "No Data" or "N/A".
QString CellText(const TzyRF& rf);

} // namespace zyPSData
