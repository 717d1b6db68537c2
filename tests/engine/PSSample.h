#pragma once
// A Project Summary as a run of a compared project leaves it: 30 + 10
// Baseline, 24 + 6 Actual and 36 + 4 Target tasks, cut off at the end of
// March 2014, with slippage and growth. Shared by the report's tests and the
// summary form's.
#include "Utils.h"
#include "zyPSData.h"

#include <QDate>

namespace PSSample {

inline int Day(int y, int m, int d) { return DayNumber(QDate(y, m, d)); }

inline TzyPSResults FullSchedule()
{
    TzyPSResults r;
    r.ReportDate = Day(2014, 4, 1);
    r.CutOffDate = Day(2014, 3, 31);
    r.ProjectTitle = "Pump Station 4";
    r.ProjectNumber = "PS-004";
    r.ProjectClient = "Harbour Board";
    r.DataSourceFile = "/data/ps4/schedule.xlsx";
    r.DataOptionsText = "Baseline, Actual, Target";
    r.QuantityText = "Man Hours, Cost";
    r.FilterDetails = "None";
    r.GenerateBL = r.GenerateACT = r.GenerateTGT = true;
    r.GraphMH = r.GraphCost = true;
    r.TotalTasks = 45;
    r.TasksNotInFilter = 5;
    r.TasksProcessed = 40;
    r.Curves[0] = {30, 10, Day(2014, 3, 3), Day(2014, 4, 30), 59, 29, 1200, 480, 60000, 24000};
    r.Curves[1] = {24, 6, Day(2014, 3, 5), Day(2014, 3, 31), 27, 27, 1300, 390, 65000, 19500};
    r.Curves[2] = {36, 4, Day(2014, 3, 1), Day(2014, 5, 9), 70, 31, 1500, 600, 75000, 30000};
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

} // namespace PSSample
