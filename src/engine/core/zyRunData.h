#pragma once
// The plain data of one engine run: what the run frame fills before the
// calculation (settings, filter rows, per-task cells) and what the
// calculation leaves (per-curve lists and results, the per-day table,
// growth and slippage). Per-task arrays have TaskCount + 1 entries used
// 1..TaskCount; per-curve lists the same, used 1..ValidCount. Dates are whole
// day numbers (days since 1899-12-30).
#include "zyCell.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// Curves and quantities as the per-day table numbers them.
enum TzyCurveId { cvBaseline = 0, cvActual = 1, cvTarget = 2 };
enum TzyQuantity { qtMH = 0, qtCost = 1 };
enum TzySeriesKind {
    skSCurve = 0,
    skPctSCurveBL = 1,
    skPctSCurveTGT = 2,
    skHistogram = 3,
    skPctHistogramBL = 4,
    skPctHistogramTGT = 5
};
constexpr int kDaySeriesCount = 38;
// The series of curve c, quantity q and kind k; series s is written to
// column s of the Chart Data Worksheet.
constexpr int DaySeriesIndex(int c, int q, int k) { return 2 + 18 * q + 3 * k + c; }

// Longest project the per-day table takes: 100 years of days. A wider span
// comes from a mistyped year and would need gigabytes.
constexpr int kMaxProjectDays = 36525;

// Filter operator codes (scoped: the definition has its own names for them).
namespace FilterOp {
enum TzyFilterOp {
    foEquals = 0,
    foNotEquals,
    foLessThan,
    foLessThanOrEqual,
    foGreaterThan,
    foGreaterThanOrEqual,
    foIsBlank,
    foIsNotBlank,
    foStartsWith,
    foNotStartsWith,
    foEndsWith,
    foNotEndsWith,
    foContains,
    foNotContains
};
} // namespace FilterOp

struct TzyFilterRow {
    bool AndFlag = true; // joins the row to the one before: And / Or (row 1: unused)
    int FilterOperator = FilterOp::foEquals;
    QString TaskFldValue; // as stored, not trimmed
};

// What the run frame copies from the definition before the calculation.
struct TzyRunSettings {
    int ReportDate = 0; // today
    int CutOffDate = 0; // may be moved by ValidateCutOffDate
    bool GenerateBL = false;
    bool GenerateACT = false;
    bool GenerateTGT = false;
    bool GraphMH = false;
    bool GraphCost = false;

    QString DSFLabel;   // "Data Source File"
    QString DSFName;
    QString TaskWSLabel; // "Task Worksheet"
    QString TaskWSName;

    bool FilterEnabled = false;
    std::vector<TzyFilterRow> FilterRows; // rows 0..Count-1 stand for rows 1..Count
    QString FilterDetails;                 // the filter's report text

    bool Generate(int curve) const
    {
        return curve == cvBaseline ? GenerateBL : curve == cvActual ? GenerateACT : GenerateTGT;
    }
    bool Graph(int quantity) const { return quantity == qtMH ? GraphMH : GraphCost; }
};

// The tasks as read from the Task Worksheet, and the per-task outcome.
struct TzyTaskData {
    int TotalTasks = 0;
    int TaskCount = 0;
    int TasksIgnored = 0;
    int TasksNotInFilter = 0;
    int TasksProcessed = 0;

    std::vector<int> TaskRow;
    std::vector<char> TaskBlank;
    std::vector<char> ValidBL, ValidACT, ValidTGT;
    std::vector<char> InFilter;

    // The nine map fields as read (unread ones stay empty).
    std::vector<TzyCell> BLStartText, BLFinishText, BLMH, BLCost;
    std::vector<TzyCell> StartText, FinishText, MapMH, MapCost, PctComplete;

    // Filter row r (0-based), task t: the displayed text of the row's column.
    std::vector<std::vector<QString>> FilterVals;

    // Set by the validation: Baseline dates; dates and quantities of Actual,
    // overwritten by Target's.
    std::vector<int> BLStart, BLFinish, Start, Finish;
    std::vector<double> MH, Cost;

    // Re-creates every per-task array (empty cells, flags off, zeros) and the
    // filter texts for `filterRows` rows; counts are left alone.
    void Resize(int taskCount, int filterRows);
    // Every array has TaskCount + 1 entries and FilterVals one row per
    // filter row of `filterRows` rows, each of TaskCount + 1 texts.
    bool InShape(int filterRows) const;
    void Clear();
    std::vector<char>& Valid(int curve)
    {
        return curve == cvBaseline ? ValidBL : curve == cvActual ? ValidACT : ValidTGT;
    }
    // The nine map fields in map order (Baseline Start Date .. % Complete).
    std::array<std::vector<TzyCell>*, 9> MapFields()
    {
        return {&BLStartText, &BLFinishText, &BLMH, &BLCost, &StartText, &FinishText, &MapMH, &MapCost, &PctComplete};
    }
    std::array<const std::vector<TzyCell>*, 9> MapFields() const
    {
        return {&BLStartText, &BLFinishText, &BLMH, &BLCost, &StartText, &FinishText, &MapMH, &MapCost, &PctComplete};
    }
};

// One curve's results: the figures the summary reports.
struct TzyCurveResults {
    int ValidCount = 0;
    int InvalidCount = 0;
    int StartDate = 0;  // earliest start of the list
    int FinishDate = 0; // latest finish of the list (Actual: before the cut)
    int DurationTotal = 0;
    int DurationToDate = 0;
    double MHTotal = 0, MHToDate = 0;
    double CostTotal = 0, CostToDate = 0;
};

// One curve's list of valid tasks and its results.
struct TzyCurve : TzyCurveResults {
    std::vector<int> Task; // index into the per-task arrays
    std::vector<int> TaskStart, TaskFinish, TaskDays;
    std::vector<double> TaskMH, TaskCost, TaskPctComplete;
    std::vector<double> TaskMHPerDay, TaskCostPerDay;

    // The list re-created with size entries: task 0, the dates `day`, zeros.
    void ResetList(int size, int day);
    void ClearList();
    void ResetResults();
    const std::vector<double>& PerDay(int quantity) const { return quantity == qtMH ? TaskMHPerDay : TaskCostPerDay; }
    const std::vector<double>& Quantity(int quantity) const { return quantity == qtMH ? TaskMH : TaskCost; }
};

struct TzyGrowth {
    int StartSlippage = 0;
    int FinishSlippage = 0;
    int DurationGrowth = 0;
    double MHGrowth = 0;
    double CostGrowth = 0;
    int TasksStartingLate = 0;
    int TasksFinishingLate = 0;
    int TasksIncreasedDuration = 0;
    int TasksIncreasedMH = 0;
    int TasksIncreasedCost = 0;
};

// The project's days and the 38 per-day series (DaySeriesIndex); day 0 and
// series 0 and 1 stay 0. A 0 is written as an empty cell.
struct TzyDayTable {
    int ProjectStart = 0;
    int ProjectFinish = 0;
    int DayCount = 0;
    std::vector<int> DayDates; // 1..DayCount
    std::array<std::vector<double>, kDaySeriesCount> DaySeries;

    void Clear();
};
