// Reading 10 columns of up to 100,000 rows through the LibreOffice backend:
// raw values and formatted texts, one request per column. The per-row cost
// should stay flat (linear growth); the program's own share of the work is
// measured apart (BM_MergeOnly), to show the office's work dominates.
#include "lo_bench.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
lobench::Server* server = nullptr;

void prepare()
{
    using namespace css;
    const QString path = server->dir.filePath("big.xlsx");
    lobench::makeWorkbook(*server->backend->server(), path, [](const uno::Reference<sheet::XSpreadsheet>& s,
                                                               const uno::Reference<util::XNumberFormats>& f) {
        const sal_Int32 date = lo::formatKey(f, "DD-MMM-YYYY");
        const sal_Int32 thousands = lo::formatKey(f, "#,##0.00");
        for (int c = 0; c < kCols; ++c) {
            uno::Sequence<uno::Sequence<uno::Any>> data(kRows);
            auto rows = data.getArray();
            for (int r = 0; r < kRows; ++r) {
                uno::Any v = c % 3 == 2 ? uno::Any(OUString::number(r) + " task " + OUString::number(c))
                                        : uno::Any(double(c % 3 == 0 ? 41640 + r % 3000 : r * 1.25));
                rows[r] = uno::Sequence<uno::Any>(&v, 1);
            }
            auto block = s->getCellRangeByPosition(c, 0, c, kRows - 1);
            uno::Reference<sheet::XCellRangeData>(block, uno::UNO_QUERY_THROW)->setDataArray(data);
            if (c % 3 != 2)
                uno::Reference<beans::XPropertySet>(block, uno::UNO_QUERY_THROW)
                    ->setPropertyValue("NumberFormat", uno::Any(c % 3 == 0 ? date : thousands));
        }
    });
    server->backend->openWorkbook(path, QString(), QString(), true);
    server->backend->selectWorksheet(1);
}

void BM_ReadRaw(benchmark::State& state)
{
    const int rows = int(state.range(0));
    for (auto _ : state) {
        for (int c = 1; c <= kCols; ++c)
            benchmark::DoNotOptimize(server->backend->readRawColumn(lo::columnLetters(c), 1, rows));
    }
    state.SetComplexityN(rows);
    // Wall time per cell read (the benchmarks run on real time).
    state.counters["per_cell"] =
        benchmark::Counter(double(rows) * kCols, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ReadFormatted(benchmark::State& state)
{
    const int rows = int(state.range(0));
    for (auto _ : state) {
        for (int c = 1; c <= kCols; ++c)
            benchmark::DoNotOptimize(server->backend->readDisplayColumn(lo::columnLetters(c), 1, rows));
    }
    state.SetComplexityN(rows);
    // Wall time per cell read (the benchmarks run on real time).
    state.counters["per_cell"] =
        benchmark::Counter(double(rows) * kCols, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The program's own share of a formatted read: cutting the copied texts.
void BM_MergeOnly(benchmark::State& state)
{
    const int rows = int(state.range(0));
    QString plain;
    for (int r = 0; r < rows; ++r)
        plain += QString::number(r) + " task 2\n";
    for (auto _ : state) {
        for (int c = 1; c <= kCols; ++c)
            benchmark::DoNotOptimize(lo::mergeCopiedColumn(plain, plain, rows));
    }
    state.SetComplexityN(rows);
}

BENCHMARK(BM_ReadRaw)->Arg(10000)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity(benchmark::oN);
BENCHMARK(BM_ReadFormatted)->Arg(10000)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity(benchmark::oN);
BENCHMARK(BM_MergeOnly)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    lobench::Server s;
    server = &s;
    prepare();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    server->backend->closeWorkbook(false);
    return 0;
}
