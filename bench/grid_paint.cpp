// Painting and scrolling the grid cost what is visible: a grid of 100,000
// rows paints as fast as one of 100.
#include "zyGrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
std::unique_ptr<TzyGrid> makeGrid(int rows)
{
    auto g = std::make_unique<TzyGrid>();
    g->resize(600, 400);
    g->setColCount(6);
    g->setRowCount(rows);
    g->setGutterKind(gkNumber);
    g->setGutterWidth(60);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= 6; ++c)
            g->setCells(c, r, QStringLiteral("cell %1,%2").arg(c).arg(r));
    g->MergeCells(1, 1, 3, 1);
    g->show();
    QCoreApplication::processEvents();
    return g;
}

void paintOnce(TzyGrid& g, QImage& img)
{
    QPainter p(&img);
    g.viewport()->render(&p);
}

void BM_GridPaint(benchmark::State& state)
{
    auto g = makeGrid(int(state.range(0)));
    g->MoveToCell(2, int(state.range(0)) / 2);
    QImage img(g->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state)
        paintOnce(*g, img);
}

void BM_GridScrollAndPaint(benchmark::State& state)
{
    auto g = makeGrid(int(state.range(0)));
    QImage img(g->viewport()->size(), QImage::Format_RGB32);
    int y = 0;
    for (auto _ : state) {
        y = (y + 180) % std::max(1, g->MaxScrollY());
        g->SetScrollY(y);
        paintOnce(*g, img);
    }
}

void BM_GridMoveDown(benchmark::State& state)
{
    auto g = makeGrid(int(state.range(0)));
    g->MoveToCell(1, 2);
    int r = 2;
    for (auto _ : state) {
        r = r >= g->RowCount() ? 2 : r + 1;
        g->MoveToCell(2, r);
    }
}
} // namespace

BENCHMARK(BM_GridPaint)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridScrollAndPaint)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridMoveDown)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
