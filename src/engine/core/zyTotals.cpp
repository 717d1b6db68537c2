#include "zyEngineCore.h"

#include "Progress.h"
#include "zyUIL.h"

#include <algorithm>
#include <stdexcept>

namespace {
constexpr int uitTotalsBase = 331; // + 2 per curve, + 1 for cost
constexpr int uitGrowth = 337;
constexpr int uitComplete = 391;
} // namespace

void TzyEngineCore::CalcBaselineTotals()
{
    CalcTotals(cvBaseline);
}

void TzyEngineCore::CalcActualTotals()
{
    CalcTotals(cvActual);
}

void TzyEngineCore::CalcTargetTotals()
{
    CalcTotals(cvTarget);
}

void TzyEngineCore::CalcTotals(int curve)
{
    StepFrame([&] {
        TzyCurve& cv = Curves[size_t(curve)];
        const int dayCount = Days.DayCount;
        // The Cut Off Date's day; day 0 of every series holds 0.
        const long long t =
            std::clamp<long long>((long long)Settings.CutOffDate - Days.ProjectStart + 1, 0, dayCount);
        const int validCount = std::min<int>(cv.ValidCount, int(cv.TaskMH.size()) - 1);
        for (int q = qtMH; q <= qtCost; ++q) {
            if (!Settings.Graph(q))
                continue;
            const auto& series = Days.DaySeries[size_t(DaySeriesIndex(curve, q, skSCurve))];
            if (series.size() != size_t(dayCount) + 1)
                throw std::logic_error("The per-day table has not been created.");
            const std::vector<double>& qty = cv.Quantity(q);
            double total = q == qtMH ? cv.MHTotal : cv.CostTotal;
            TzyStepCounter counter(*this, uitTotalsBase + 2 * curve + q, cv.ValidCount);
            for (int k = 1; k <= validCount; ++k) {
                total += qty[size_t(k)];
                counter.Tick(k);
            }
            const double toDate = series[size_t(t)];
            if (q == qtMH) {
                cv.MHTotal = total;
                cv.MHToDate = toDate;
            } else {
                cv.CostTotal = total;
                cv.CostToDate = toDate;
            }
            counter.Finish();
        }
    });
}

void TzyEngineCore::CalcGrowthSlippage()
{
    StepFrame([&] {
        if (!(Settings.GenerateBL && (Settings.GenerateACT || Settings.GenerateTGT)))
            return;
        IProgress& p = progress();
        p.AddStep(UIT(uitGrowth));
        const TzyCurve& bl = Curves[cvBaseline];
        const TzyCurve& cmp = Settings.GenerateTGT ? Curves[cvTarget] : Curves[cvActual];
        Growth.StartSlippage = cmp.StartDate - bl.StartDate;
        Growth.FinishSlippage = cmp.FinishDate - bl.FinishDate;
        Growth.DurationGrowth = (cmp.FinishDate - cmp.StartDate) - (bl.FinishDate - bl.StartDate);

        CheckShape();
        for (int i = 1; i <= Tasks.TaskCount; ++i) {
            const size_t t = size_t(i);
            if (!((Tasks.ValidACT[t] || Tasks.ValidTGT[t]) && Tasks.ValidBL[t]))
                continue;
            // A quantity that is not graphed is not read (0) on either side.
            const double dMH = Tasks.MH[t] - (Settings.GraphMH ? Tasks.BLMH[t].ToNumber() : 0.0);
            Growth.MHGrowth += dMH;
            const double dCost = Tasks.Cost[t] - (Settings.GraphCost ? Tasks.BLCost[t].ToNumber() : 0.0);
            Growth.CostGrowth += dCost;
            const int dStart = Tasks.Start[t] - Tasks.BLStart[t];
            const int dFinish = Tasks.Finish[t] - Tasks.BLFinish[t];
            const int dDuration = (Tasks.Finish[t] - Tasks.Start[t] + 1) - (Tasks.BLFinish[t] - Tasks.BLStart[t] + 1);
            Growth.TasksStartingLate += dStart > 0;
            Growth.TasksFinishingLate += dFinish > 0;
            Growth.TasksIncreasedDuration += dDuration > 0;
            Growth.TasksIncreasedMH += dMH > 0;
            Growth.TasksIncreasedCost += dCost > 0;
        }
        p.AppendToLastLine(UIT(uitComplete));
    });
}
