#pragma once
// Fixtures shared by the engine core's tests: a recording prompter, a core
// wired to an in-memory progress display, task builders, and the day-by-day
// walk exactly as the method is written (every day against every task), to
// compare the fast routines with.
#include "Progress.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyEngineCore.h"
#include "zyStepFormats.h"

#include <QDate>
#include <QList>
#include <random>

namespace enginetest {

struct RecordingPrompter : StdDlg::IPrompter {
    QList<StdDlg::Request> requests;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        requests << r;
        StdDlg::Answer a;
        a.modalResult = r.buttons[2].modalResult;
        return a;
    }
};

inline int Day(int y, int m, int d)
{
    return int(QDate(1899, 12, 30).daysTo(QDate(y, m, d)));
}

inline TzyCell Num(double v) { return TzyCell::FromNumber(v); }
inline TzyCell Txt(const QString& s) { return TzyCell::FromText(s); }
inline TzyCell DayCell(int y, int m, int d) { return Num(Day(y, m, d)); }

// A core whose progress lines go to `progress` and whose cancel polls are
// counted; when `cancelAt` is reached the poll raises the silent abort.
struct Harness {
    MemoryProgress progress;
    TzyStepFormats formats;
    TzyEngineCore core;
    int polls = 0;
    int cancelAt = -1;
    QList<int> moved;

    Harness()
    {
        formats.SetStepFormats(85);
        Progress::setFormatSources([this] { return formats.StepFmt; }, [this] { return formats.NoStepFmt; });
        core.Hooks.progress = &progress;
        core.Hooks.pollCancel = [this] {
            ++polls;
            if (polls == cancelAt)
                throw OperationAborted();
        };
        core.Hooks.cutOffDateMoved = [this](int d) { moved << d; };
        core.Settings.DSFLabel = QStringLiteral("Data Source File");
        core.Settings.DSFName = QStringLiteral("/data/tasks.xlsx");
        core.Settings.TaskWSLabel = QStringLiteral("Task Worksheet");
        core.Settings.TaskWSName = QStringLiteral("Tasks");
        core.Settings.ReportDate = Day(2024, 6, 1);
        core.Settings.CutOffDate = Day(2024, 6, 1);
    }
    ~Harness() { Progress::setFormatSources({}, {}); }

    void Options(bool bl, bool act, bool tgt, bool mh = true, bool cost = true)
    {
        auto& s = core.Settings;
        s.GenerateBL = bl;
        s.GenerateACT = act;
        s.GenerateTGT = tgt;
        s.GraphMH = mh;
        s.GraphCost = cost;
    }
    void Tasks(int n, int filterRows = 0)
    {
        core.Tasks.Resize(n, filterRows);
        core.Tasks.TotalTasks = n;
        for (int t = 1; t <= n; ++t)
            core.Tasks.TaskRow[size_t(t)] = t + 1;
    }
    // Baseline cells of task t.
    void Baseline(int t, TzyCell s, TzyCell f, TzyCell mh = Num(0), TzyCell cost = Num(0))
    {
        auto& k = core.Tasks;
        k.BLStartText[size_t(t)] = s;
        k.BLFinishText[size_t(t)] = f;
        k.BLMH[size_t(t)] = mh;
        k.BLCost[size_t(t)] = cost;
    }
    // Start/Finish/Man Hours/Cost/% Complete cells of task t.
    void Current(int t, TzyCell s, TzyCell f, TzyCell mh = Num(0), TzyCell cost = Num(0), TzyCell pct = Num(0))
    {
        auto& k = core.Tasks;
        k.StartText[size_t(t)] = s;
        k.FinishText[size_t(t)] = f;
        k.MapMH[size_t(t)] = mh;
        k.MapCost[size_t(t)] = cost;
        k.PctComplete[size_t(t)] = pct;
    }
    void Validate()
    {
        core.FilterTasks();
        if (core.Settings.GenerateBL)
            core.ValidateBaseline();
        if (core.Settings.GenerateACT)
            core.ValidateActual();
        if (core.Settings.GenerateTGT)
            core.ValidateTarget();
    }
};

// ---- the method as written, day by day --------------------------------------

struct DirectResult {
    std::array<std::vector<double>, kDaySeriesCount> series;
    std::array<double, 3> mhTotal{}, mhToDate{}, costTotal{}, costToDate{};
};

// Per-day series, percentages and totals of a core whose dates are processed
// (ProcessDates has run), computed the slow way from its curve lists.
inline DirectResult DirectMethod(const TzyEngineCore& core)
{
    const auto& s = core.Settings;
    const auto& days = core.Days;
    const int n = days.DayCount;
    DirectResult r;
    for (auto& v : r.series)
        v.assign(size_t(n) + 1, 0.0);
    for (int c = 0; c < 3; ++c) {
        if (!s.Generate(c))
            continue;
        const TzyCurve& cv = core.Curves[size_t(c)];
        for (int q = 0; q < 2; ++q) {
            if (!s.Graph(q))
                continue;
            auto& H = r.series[size_t(DaySeriesIndex(c, q, skHistogram))];
            auto& S = r.series[size_t(DaySeriesIndex(c, q, skSCurve))];
            const auto& rate = q == 0 ? cv.TaskMHPerDay : cv.TaskCostPerDay;
            for (int d = 1; d <= n; ++d)
                for (int k = 1; k <= cv.ValidCount; ++k)
                    if (cv.TaskStart[size_t(k)] == days.DayDates[size_t(d)])
                        for (int j = d; j <= d + cv.TaskDays[size_t(k)] - 1; ++j)
                            H.at(size_t(j)) += rate[size_t(k)];
            S[1] = H[1];
            for (int d = 2; d <= n; ++d)
                S[size_t(d)] = S[size_t(d - 1)] + H[size_t(d)];
        }
    }
    for (int kind : {skSCurve, skHistogram})
        for (int c = 0; c < 3; ++c) {
            if (!s.Generate(c))
                continue;
            for (int q = 0; q < 2; ++q) {
                if (!s.Graph(q))
                    continue;
                for (int ref : {0, 2}) {
                    if (!s.Generate(ref))
                        continue;
                    const double D = r.series[size_t(DaySeriesIndex(ref, q, skSCurve))][size_t(n)];
                    const int to = kind == skSCurve ? (ref == 0 ? skPctSCurveBL : skPctSCurveTGT)
                                                    : (ref == 0 ? skPctHistogramBL : skPctHistogramTGT);
                    for (int d = 1; d <= n; ++d)
                        r.series[size_t(DaySeriesIndex(c, q, to))][size_t(d)] =
                            D == 0 ? 0 : r.series[size_t(DaySeriesIndex(c, q, kind))][size_t(d)] / D;
                }
            }
        }
    int t = s.CutOffDate - days.ProjectStart + 1;
    if (t < 0)
        t = 0;
    if (t > n)
        t = n;
    for (int c = 0; c < 3; ++c) {
        if (!s.Generate(c))
            continue;
        const TzyCurve& cv = core.Curves[size_t(c)];
        for (int k = 1; k <= cv.ValidCount; ++k) {
            if (s.GraphMH)
                r.mhTotal[size_t(c)] += cv.TaskMH[size_t(k)];
            if (s.GraphCost)
                r.costTotal[size_t(c)] += cv.TaskCost[size_t(k)];
        }
        if (s.GraphMH)
            r.mhToDate[size_t(c)] = r.series[size_t(DaySeriesIndex(c, 0, skSCurve))][size_t(t)];
        if (s.GraphCost)
            r.costToDate[size_t(c)] = r.series[size_t(DaySeriesIndex(c, 1, skSCurve))][size_t(t)];
    }
    return r;
}

// Clearing outside each curve's dates, day by day.
inline void DirectDelete(const TzyEngineCore& core, DirectResult& r)
{
    const auto& s = core.Settings;
    for (int c = 0; c < 3; ++c) {
        if (!s.Generate(c))
            continue;
        const TzyCurve& cv = core.Curves[size_t(c)];
        const int end = c == cvActual ? s.CutOffDate : cv.FinishDate;
        for (int m = 0; m < 12; ++m)
            for (int d = 1; d <= core.Days.DayCount; ++d) {
                const int date = core.Days.DayDates[size_t(d)];
                if (cv.ValidCount == 0 || date < cv.StartDate || date > end)
                    r.series[size_t(c + 2 + 3 * m)][size_t(d)] = 0;
            }
    }
}

// A random schedule of n tasks over about `span` days: overlapping tasks,
// shared start days, Actual progress, some invalid rows.
inline void RandomSchedule(Harness& h, unsigned seed, int n, int span, int maxDays)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> startDist(0, span - 1);
    std::uniform_int_distribution<int> lenDist(1, maxDays);
    std::uniform_int_distribution<int> shiftDist(-20, 30);
    std::uniform_real_distribution<double> qty(0.0, 500.0);
    std::uniform_real_distribution<double> pct(0.0, 1.0);
    std::uniform_int_distribution<int> oneIn(0, 49);
    h.Tasks(n);
    const int base = Day(2020, 1, 1);
    for (int t = 1; t <= n; ++t) {
        const int bs = base + startDist(rng);
        const int bf = bs + lenDist(rng) - 1;
        const int as = bs + shiftDist(rng);
        const int af = as + lenDist(rng) - 1;
        h.Baseline(t, Num(bs), Num(bf), Num(qty(rng)), Num(qty(rng) * 100));
        TzyCell p = Num(pct(rng));
        if (oneIn(rng) == 0)
            p = Num(1.5); // invalid for Actual only
        h.Current(t, Num(as), oneIn(rng) == 0 ? TzyCell() : Num(af), Num(qty(rng)), Num(qty(rng) * 100), p);
    }
    h.core.Settings.CutOffDate = base + span / 2;
}

} // namespace enginetest
