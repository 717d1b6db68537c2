#include "zyRunData.h"

void TzyTaskData::Resize(int taskCount, int filterRows)
{
    Clear();
    TaskCount = taskCount;
    const size_t n = size_t(taskCount < 0 ? 0 : taskCount) + 1;
    TaskRow.assign(n, 0);
    TaskBlank.assign(n, 0);
    ValidBL.assign(n, 0);
    ValidACT.assign(n, 0);
    ValidTGT.assign(n, 0);
    InFilter.assign(n, 0);
    for (auto* cells : MapFields())
        cells->assign(n, TzyCell());
    FilterVals.assign(size_t(filterRows < 0 ? 0 : filterRows), std::vector<QString>(n));
    BLStart.assign(n, 0);
    BLFinish.assign(n, 0);
    Start.assign(n, 0);
    Finish.assign(n, 0);
    MH.assign(n, 0);
    Cost.assign(n, 0);
}

bool TzyTaskData::InShape(int filterRows) const
{
    if (TaskCount < 0)
        return false;
    const size_t n = size_t(TaskCount) + 1;
    for (const auto* v : {&TaskRow, &BLStart, &BLFinish, &Start, &Finish})
        if (v->size() != n)
            return false;
    for (const auto* v : {&TaskBlank, &ValidBL, &ValidACT, &ValidTGT, &InFilter})
        if (v->size() != n)
            return false;
    for (const auto* v : MapFields())
        if (v->size() != n)
            return false;
    if (MH.size() != n || Cost.size() != n)
        return false;
    if (FilterVals.size() < size_t(filterRows))
        return false;
    for (int r = 0; r < filterRows; ++r)
        if (FilterVals[size_t(r)].size() != n)
            return false;
    return true;
}

void TzyTaskData::Clear()
{
    TaskRow = {};
    TaskBlank = {};
    ValidBL = {};
    ValidACT = {};
    ValidTGT = {};
    InFilter = {};
    for (auto* cells : MapFields())
        *cells = {};
    FilterVals = {};
    BLStart = {};
    BLFinish = {};
    Start = {};
    Finish = {};
    MH = {};
    Cost = {};
}

void TzyCurve::ResetList(int size, int day)
{
    const size_t n = size_t(size < 1 ? 1 : size);
    Task.assign(n, 0);
    TaskStart.assign(n, day);
    TaskFinish.assign(n, day);
    TaskDays.assign(n, 0);
    TaskMH.assign(n, 0);
    TaskCost.assign(n, 0);
    TaskPctComplete.assign(n, 0);
    TaskMHPerDay.assign(n, 0);
    TaskCostPerDay.assign(n, 0);
}

void TzyCurve::ClearList()
{
    Task = {};
    TaskStart = {};
    TaskFinish = {};
    TaskDays = {};
    TaskMH = {};
    TaskCost = {};
    TaskPctComplete = {};
    TaskMHPerDay = {};
    TaskCostPerDay = {};
}

void TzyCurve::ResetResults()
{
    static_cast<TzyCurveResults&>(*this) = TzyCurveResults();
}

void TzyDayTable::Clear()
{
    DayDates = {};
    for (auto& s : DaySeries)
        s = {};
}
