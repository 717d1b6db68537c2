// 100,000 tasks over ten years, Baseline, Actual and Target, man hours and
// cost, a two-row filter: the whole core, the per-day series alone, and the
// day-by-day method for comparison.
#include "tst_engine_support.h"
#include "zyUIL.h"

#include <benchmark/benchmark.h>

using namespace enginetest;

namespace {

constexpr int kSpan = 3652; // ten years of start days
constexpr int kMaxDays = 120;

std::unique_ptr<Harness> Schedule(int tasks)
{
    auto h = std::make_unique<Harness>();
    h->Options(true, true, true, true, true);
    RandomSchedule(*h, 2024, tasks, kSpan, kMaxDays);
    // A two-row filter that keeps about eight tasks in nine.
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

// Runs the core up to the empty day table.
void UpToDays(Harness& h)
{
    h.Validate();
    h.core.CheckValidData(QStringLiteral("Tasks"));
    h.core.ValidateCutOffDate();
    h.core.ProcessDates();
}

void BM_WholeCore(benchmark::State& state)
{
    const auto input = Schedule(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto h = std::make_unique<Harness>();
        h->core.Settings = input->core.Settings;
        h->core.Tasks = input->core.Tasks;
        state.ResumeTiming();
        h->core.CalculateAll();
        h->core.DeleteTempData();
        benchmark::DoNotOptimize(h->core.Days.DaySeries[2].data());
        state.PauseTiming();
        state.counters["days"] = h->core.Days.DayCount;
        h.reset();
        state.ResumeTiming();
    }
}

void ClearSeries(Harness& h)
{
    for (auto& s : h.core.Days.DaySeries)
        std::fill(s.begin(), s.end(), 0.0);
}

void BM_DaySeries(benchmark::State& state)
{
    const auto h = Schedule(int(state.range(0)));
    UpToDays(*h);
    for (auto _ : state) {
        state.PauseTiming();
        ClearSeries(*h);
        state.ResumeTiming();
        h->core.CalcBaselineDays();
        h->core.CalcActualDays();
        h->core.CalcTargetDays();
        benchmark::DoNotOptimize(h->core.Days.DaySeries[2].data());
    }
}

void BM_DaySeriesDayByDay(benchmark::State& state)
{
    const auto h = Schedule(int(state.range(0)));
    UpToDays(*h);
    for (auto _ : state) {
        DirectResult r = DirectMethod(h->core);
        benchmark::DoNotOptimize(r.series[2].data());
    }
}

} // namespace

BENCHMARK(BM_WholeCore)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DaySeries)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DaySeriesDayByDay)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    InitUILs();
    Progress::setPump([] {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
