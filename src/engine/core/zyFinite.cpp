#include "zyEngineCore.h"

#include "Format.h"
#include "zyUIL.h"

#include <cmath>

namespace {
constexpr int uitCurveBase = 613;    // Baseline, Actual, Target
constexpr int uitQuantityBase = 622; // Man Hours, Cost
constexpr int uitGrowthMH = 469;     // Growth: Man Hours (+ 1 for cost)

bool AllFinite(const std::vector<double>& values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}
} // namespace

QString TzyEngineCore::NonFiniteQuantity() const
{
    // Task values first, then what is summed from them, so the name points
    // at the input rather than at a percentage derived from it.
    for (int c = cvBaseline; c <= cvTarget; ++c) {
        if (!Settings.Generate(c))
            continue;
        const TzyCurve& cv = Curves[size_t(c)];
        for (int q = qtMH; q <= qtCost; ++q) {
            if (!Settings.Graph(q))
                continue;
            bool finite = AllFinite(cv.Quantity(q)) && AllFinite(cv.PerDay(q));
            finite = finite && std::isfinite(q == qtMH ? cv.MHTotal : cv.CostTotal)
                     && std::isfinite(q == qtMH ? cv.MHToDate : cv.CostToDate);
            for (int k = skSCurve; finite && k <= skPctHistogramTGT; ++k)
                finite = AllFinite(Days.DaySeries[size_t(DaySeriesIndex(c, q, k))]);
            if (!finite)
                return Utils::Format(QStringLiteral("%s %s"), {UIT(uitCurveBase + c), UIT(uitQuantityBase + q)});
        }
    }
    if (!std::isfinite(Growth.MHGrowth))
        return UIT(uitGrowthMH);
    if (!std::isfinite(Growth.CostGrowth))
        return UIT(uitGrowthMH + 1);
    return QString();
}
