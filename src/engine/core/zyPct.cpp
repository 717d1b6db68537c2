#include "zyEngineCore.h"

#include <stdexcept>

namespace {
// Per curve + 12, per quantity + 6, Target = 100% + 1.
constexpr int uitPctHistogramBase = 347;
constexpr int uitPctSCurveBase = 349;
} // namespace

void TzyEngineCore::CalcPctSCurves()
{
    CalcPct(false);
}

void TzyEngineCore::CalcPctHistograms()
{
    CalcPct(true);
}

void TzyEngineCore::CalcPct(bool histograms)
{
    StepFrame([&] {
        const int dayCount = Days.DayCount;
        for (int c = cvBaseline; c <= cvTarget; ++c) {
            if (c > cvBaseline)
                PollCancel();
            if (!Settings.Generate(c))
                continue;
            for (int q = qtMH; q <= qtCost; ++q) {
                if (!Settings.Graph(q))
                    continue;
                for (int ref : {cvBaseline, cvTarget}) {
                    if (!Settings.Generate(ref))
                        continue;
                    if (dayCount < 1)
                        throw std::logic_error("The per-day table has not been created.");
                    // The reference total: the reference curve's S curve on the last day.
                    const double D = Days.DaySeries[size_t(DaySeriesIndex(ref, q, skSCurve))][size_t(dayCount)];
                    const int fromKind = histograms ? skHistogram : skSCurve;
                    const int toKind = histograms ? (ref == cvBaseline ? skPctHistogramBL : skPctHistogramTGT)
                                                  : (ref == cvBaseline ? skPctSCurveBL : skPctSCurveTGT);
                    const double* F = Days.DaySeries[size_t(DaySeriesIndex(c, q, fromKind))].data();
                    double* P = Days.DaySeries[size_t(DaySeriesIndex(c, q, toKind))].data();
                    const int uit = (histograms ? uitPctHistogramBase : uitPctSCurveBase) + 12 * c + 6 * q +
                                    (ref == cvTarget ? 1 : 0);
                    TzyStepCounter counter(*this, uit, dayCount);
                    for (int d = 1; d <= dayCount; ++d) {
                        P[d] = D == 0 ? 0.0 : F[d] / D;
                        counter.Tick(d);
                    }
                    counter.Finish();
                }
            }
        }
    });
}
