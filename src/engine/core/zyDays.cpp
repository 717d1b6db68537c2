#include "zyEngineCore.h"

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

        // Each day takes its tasks' rates in the order the day-by-day walk
        // meets them: by start day, then in list order. Sorting the list by
        // start day once (stable) gives that order without comparing every
        // task with every day, and every addition stays the same.
        std::vector<int> firstOfDay(size_t(dayCount) + 2, 0);
        for (int k = 1; k <= validCount; ++k) {
            const long long d = (long long)cv.TaskStart[size_t(k)] - Days.ProjectStart + 1;
            if (d >= 1 && d <= dayCount)
                ++firstOfDay[size_t(d) + 1];
        }
        for (int d = 1; d <= dayCount; ++d)
            firstOfDay[size_t(d) + 1] += firstOfDay[size_t(d)];
        std::vector<int> byStart(static_cast<size_t>(firstOfDay[size_t(dayCount) + 1]));
        {
            std::vector<int> next(firstOfDay.begin(), firstOfDay.end() - 1);
            for (int k = 1; k <= validCount; ++k) {
                const long long d = (long long)cv.TaskStart[size_t(k)] - Days.ProjectStart + 1;
                if (d >= 1 && d <= dayCount)
                    byStart[size_t(next[size_t(d)]++)] = k;
            }
        }

        for (int q = qtMH; q <= qtCost; ++q) {
            if (!Settings.Graph(q))
                continue;
            const std::vector<double>& rate = cv.PerDay(q);
            const int uitHist = uitHistogramBase + 12 * curve + 6 * q;
            double* H = Days.DaySeries[size_t(DaySeriesIndex(curve, q, skHistogram))].data();
            double* S = Days.DaySeries[size_t(DaySeriesIndex(curve, q, skSCurve))].data();
            {
                TzyStepCounter counter(*this, uitHist, dayCount);
                for (int d = 1; d <= dayCount; ++d) {
                    for (int at = firstOfDay[size_t(d)]; at < firstOfDay[size_t(d) + 1]; ++at) {
                        const size_t k = size_t(byStart[size_t(at)]);
                        const double r = rate[k];
                        const int last = std::min(d + cv.TaskDays[k] - 1, dayCount);
                        for (int j = d; j <= last; ++j)
                            H[j] += r;
                    }
                    counter.Tick(d);
                }
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
