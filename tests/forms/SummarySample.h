#pragma once
// A Project Summary as a run leaves it, written into the summary form's grid
// by the engine's own summary steps: a compared project with slippage and
// growth (some figures shown red) and a Target curve with no data.
#include "UF_Summary.h"
#include "zyPSData.h"

#include <QDate>

namespace SummarySample {

inline int Day(int y, int m, int d) { return DayNumber(QDate(y, m, d)); }

inline TzyPSResults Results()
{
    TzyPSResults r;
    r.ReportDate = Day(2014, 4, 1);
    r.CutOffDate = Day(2014, 3, 31);
    r.ProjectTitle = "Pump Station 4";
    r.ProjectNumber = "PS-004";
    r.ProjectClient = "Harbour Board";
    r.DataSourceFile = "/data/ps4/schedule.xlsx";
    r.DataOptionsText = "Baseline, Actual";
    r.QuantityText = "Man Hours, Cost";
    r.FilterDetails = "None";
    r.GenerateBL = r.GenerateACT = true;
    r.GraphMH = r.GraphCost = true;
    r.TotalTasks = 45;
    r.TasksNotInFilter = 5;
    r.TasksProcessed = 40;
    r.Curves[0] = {30, 10, Day(2014, 3, 3), Day(2014, 4, 30), 59, 29, 1200, 480, 60000, 24000};
    r.Curves[1] = {24, 6, Day(2014, 3, 5), Day(2014, 3, 31), 27, 27, 1300, 390, 65000, 19500};
    r.Growth.StartSlippage = -2;
    r.Growth.FinishSlippage = 9;
    r.Growth.DurationGrowth = 11;
    r.Growth.MHGrowth = 300;
    r.Growth.CostGrowth = -1500;
    r.Growth.TasksStartingLate = 6;
    r.Growth.TasksFinishingLate = 12;
    r.Growth.TasksIncreasedDuration = 9;
    r.Growth.TasksIncreasedMH = 15;
    r.Growth.TasksIncreasedCost = 3;
    return r;
}

// Returns how often the run asked for the Open Output File button.
inline int Fill(TUF_Summary& form, const TzyPSResults& r = Results())
{
    int shown = 0;
    zyPSData::PopulatePSData(r, *RFs_PS, *RHs_PS);
    zyPSData::FormatPSData(r, *RFs_PS);
    zyPSData::PopulateSummaryForm(*RFs_PS, *RHs_PS, form.SummaryGrid());
    zyPSData::FormatSummaryForm(*RFs_PS, form.SummaryGrid(), [&] {
        ++shown;
        form.ShowOpenOutputFile();
    });
    return shown;
}

} // namespace SummarySample
