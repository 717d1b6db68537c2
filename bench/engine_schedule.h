#pragma once
// The engine benches' schedule: n tasks over ten years, Baseline, Actual and
// Target, man hours and cost, a two-row filter that keeps about eight tasks
// in nine; and the core run up to the empty day table.
#include "tst_engine_support.h"

#include <memory>

namespace enginebench {

constexpr int kSpan = 3652; // ten years of start days
constexpr int kMaxDays = 120;

inline std::unique_ptr<enginetest::Harness> Schedule(int tasks)
{
    auto h = std::make_unique<enginetest::Harness>();
    h->Options(true, true, true, true, true);
    enginetest::RandomSchedule(*h, 2024, tasks, kSpan, kMaxDays);
    auto& s = h->core.Settings;
    s.FilterEnabled = true;
    s.FilterRows = {TzyFilterRow{true, FilterOp::foStartsWith, QStringLiteral("area")},
                    TzyFilterRow{true, FilterOp::foNotEquals, QStringLiteral("Area 9")}};
    auto& vals = h->core.Tasks.FilterVals;
    vals.assign(2, std::vector<QString>(size_t(tasks) + 1));
    for (int t = 1; t <= tasks; ++t) {
        vals[0][size_t(t)] = QStringLiteral("Area %1").arg(t % 9 + 1);
        vals[1][size_t(t)] = vals[0][size_t(t)];
    }
    return h;
}

inline void UpToDays(enginetest::Harness& h)
{
    h.Validate();
    h.core.CheckValidData(QStringLiteral("Tasks"));
    h.core.ValidateCutOffDate();
    h.core.ProcessDates();
}

inline void ClearSeries(enginetest::Harness& h)
{
    for (auto& s : h.core.Days.DaySeries)
        std::fill(s.begin(), s.end(), 0.0);
}

} // namespace enginebench
