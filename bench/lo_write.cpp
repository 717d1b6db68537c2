// Writing a report-sized block through the LibreOffice backend: 3,653 days
// by 37 columns, one request per column, then saving as .xlsx; beside it the
// office's own time to open and save the same workbook.
#include "lo_bench.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

constexpr int kDays = 3653;
constexpr int kCols = 37;
constexpr int kFirstRow = 8;
lobench::Server* server = nullptr;
QString templ;

void prepare()
{
    using namespace css;
    templ = server->dir.filePath("template.xlsx");
    lobench::makeWorkbook(*server->backend->server(), templ,
                          [](const uno::Reference<sheet::XSpreadsheet>& s, const uno::Reference<util::XNumberFormats>&) {
                              s->getCellByPosition(0, 6)->setFormula("Date");
                          });
}

void BM_WriteAndSave(benchmark::State& state)
{
    XLColumn dates(kDays);
    XLColumn values(kDays);
    for (int i = 0; i < kDays; ++i) {
        dates[i] = XLCell::fromNumber(41640 + i);
        values[i] = XLCell::fromNumber(i * 0.75);
    }
    const QString out = server->dir.filePath("report.xlsx");
    for (auto _ : state) {
        server->backend->openWorkbook(templ, QString(), QString(), true);
        server->backend->selectWorksheet(1);
        for (int c = 1; c <= kCols; ++c)
            server->backend->writeColumn(lo::columnLetters(c), kFirstRow, kFirstRow + kDays - 1, c == 1 ? dates : values);
        server->backend->saveAs(out, XLSaveFormat::Xlsx);
        server->backend->closeWorkbook(false);
    }
}

// The office alone: open the written report and save it again.
void BM_OfficeOpenAndSave(benchmark::State& state)
{
    const QString report = server->dir.filePath("report.xlsx");
    const QString again = server->dir.filePath("again.xlsx");
    for (auto _ : state) {
        server->backend->openWorkbook(report, QString(), QString(), false);
        server->backend->saveAs(again, XLSaveFormat::Xlsx);
        server->backend->closeWorkbook(false);
    }
}

BENCHMARK(BM_WriteAndSave)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_OfficeOpenAndSave)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

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
    return 0;
}
