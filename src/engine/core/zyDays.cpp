#include "zyEngineCore.h"
#include "zyDayRuns.h"

#include "Progress.h"
#include "zyUIL.h"

#include <algorithm>
#include <stdexcept>

namespace {
constexpr int uitDeletingTemp = 344;
constexpr int uitComplete = 391;
// Per curve (+ 12 per curve): man-hour histogram, man-hour S curve; cost: + 6.
constexpr int uitHistogramBase = 345;

void CheckDayTable(const TzyDayTable& days)
{
    if (days.DayCount < 1 || days.DayDates.size() != size_t(days.DayCount) + 1)
        throw std::logic_error("The per-day table has not been created.");
    for (const auto& s : days.DaySeries)
        if (s.size() != size_t(days.DayCount) + 1)
            throw std::logic_error("The per-day table has not been created.");
}
} // namespace

void TzyEngineCore::CalcBaselineDays()
{
    CalcDays(cvBaseline);
}

void TzyEngineCore::CalcActualDays()
{
    CalcDays(cvActual);
}

void TzyEngineCore::CalcTargetDays()
{
    CalcDays(cvTarget);
}

void TzyEngineCore::CalcDays(int curve)
{
    StepFrame([&] {
        CheckDayTable(Days);
        const TzyCurve& cv = Curves[size_t(curve)];
        const int dayCount = Days.DayCount;
        const int validCount = std::min<int>(cv.ValidCount, int(cv.TaskStart.size()) - 1);

        TzyDayRuns runs;
        runs.Build(cv.TaskStart, cv.TaskDays, {&cv.PerDay(qtMH), &cv.PerDay(qtCost)}, validCount,
                   Days.ProjectStart, dayCount);

        // Both histograms are added in the first histogram step; the
        // second one's step then counts its days.
        std::array<double*, 2> histograms{};
        for (int q = qtMH; q <= qtCost; ++q)
            if (Settings.Graph(q))
                histograms[size_t(q)] = Days.DaySeries[size_t(DaySeriesIndex(curve, q, skHistogram))].data();
        bool added = false;
        for (int q = qtMH; q <= qtCost; ++q) {
            if (!Settings.Graph(q))
                continue;
            const int uitHist = uitHistogramBase + 12 * curve + 6 * q;
            double* H = histograms[size_t(q)];
            double* S = Days.DaySeries[size_t(DaySeriesIndex(curve, q, skSCurve))].data();
            {
                TzyStepCounter counter(*this, uitHist, dayCount);
                // Once the runs starting on day d are added, days 1..d are
                // final; the counter's stride keeps the cancel poll going.
                constexpr int kSpan = TzyStepCounter::kStride;
                for (int first = 1; first <= dayCount; first += kSpan) {
                    const int last = std::min(first + kSpan - 1, dayCount);
                    if (!added)
                        runs.AddDays(first, last, histograms);
                    for (int d = first; d <= last; ++d)
                        counter.Tick(d);
                }
                added = true;
                counter.Finish();
            }
            {
                // The cost S curves of Actual and Target start their count at 0.
                const int first = (q == qtCost && curve != cvBaseline) ? 0 : 1;
                TzyStepCounter counter(*this, uitHist + 1, dayCount, first);
                S[1] = H[1];
                for (int d = 2; d <= dayCount; ++d) {
                    S[d] = S[d - 1] + H[d];
                    counter.Tick(d);
                }
                counter.Finish();
            }
        }
    });
}

void TzyEngineCore::DeleteTempData()
{
    StepFrame([&] {
        IProgress& p = progress();
        p.AddStep(UIT(uitDeletingTemp));
        if (Days.DayCount >= 1) {
            CheckDayTable(Days);
            const int dayCount = Days.DayCount;
            for (int c = cvBaseline; c <= cvTarget; ++c) {
                if (!Settings.Generate(c))
                    continue;
                const TzyCurve& cv = Curves[size_t(c)];
                // Days kept: from the curve's start to its end (Actual: the
                // Cut Off Date); everything when the curve has no valid task
                // is cleared.
                int keepFrom = dayCount + 1;
                int keepTo = 0;
                if (cv.ValidCount > 0) {
                    const int end = c == cvActual ? Settings.CutOffDate : cv.FinishDate;
                    keepFrom = int(std::clamp<long long>((long long)cv.StartDate - Days.ProjectStart + 1, 1,
                                                         (long long)dayCount + 1));
                    keepTo = int(std::clamp<long long>((long long)end - Days.ProjectStart + 1, 0, dayCount));
                }
                for (int m = 0; m < 12; ++m) {
                    double* s = Days.DaySeries[size_t(c + 2 + 3 * m)].data();
                    for (int d = 1; d <= dayCount; ++d)
                        if (d < keepFrom || d > keepTo)
                            s[d] = 0;
                }
            }
        }
        p.AppendToLastLine(UIT(uitComplete));
    });
}
