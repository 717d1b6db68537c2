// 100,000 tasks over ten years, Baseline, Actual and Target, man hours and
// cost, a two-row filter: the whole core, the per-day series alone, and the
// day-by-day method for comparison.
#include "engine_schedule.h"
#include "zyUIL.h"

#include <benchmark/benchmark.h>

using namespace enginetest;

using namespace enginebench;

namespace {

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
