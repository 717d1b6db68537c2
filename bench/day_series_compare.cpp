// The per-day series of the engine next to a numpy version of the same
// series (a difference array and cumulative sums), on one input: the
// 100,000-task, ten-year schedule of the engine bench. This program computes
// the curves' lists, writes them to a file, times the engine's three
// per-day steps, then runs bench/day_series_numpy.py on the file (which also
// checks its series against the engine's) and prints both times.
//
//   day_series_compare [tasks] [python script]
#include "engine_schedule.h"
#include "zyDayRuns.h"
#include "zyUIL.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <cstdio>

using namespace enginebench;

namespace {

double WallSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The calling thread's CPU time, for the breakdown.
double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void put(QFile& f, const void* data, size_t bytes) { f.write(static_cast<const char*>(data), qint64(bytes)); }

// Per curve: n; then n start days (1-based table days), n lengths in days,
// n man-hour rates, n cost rates; after the three curves, the day count.
void WriteInput(const TzyEngineCore& core, const QString& path)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (const TzyCurve& cv : core.Curves) {
        const int n = cv.ValidCount;
        const auto size = static_cast<size_t>(n);
        std::vector<int> from(size), len(size);
        std::vector<double> mh(size), cost(size);
        for (int k = 1; k <= n; ++k) {
            from[size_t(k - 1)] = cv.TaskStart[size_t(k)] - core.Days.ProjectStart + 1;
            len[size_t(k - 1)] = cv.TaskDays[size_t(k)];
            mh[size_t(k - 1)] = cv.TaskMHPerDay[size_t(k)];
            cost[size_t(k - 1)] = cv.TaskCostPerDay[size_t(k)];
        }
        put(f, &n, sizeof n);
        put(f, from.data(), from.size() * sizeof(int));
        put(f, len.data(), len.size() * sizeof(int));
        put(f, mh.data(), mh.size() * sizeof(double));
        put(f, cost.data(), cost.size() * sizeof(double));
    }
    put(f, &core.Days.DayCount, sizeof(int));
}

// The engine's histograms and S curves, curve by curve (MH, then cost).
void WriteSeries(const TzyEngineCore& core, const QString& path)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    const size_t n = size_t(core.Days.DayCount);
    for (int c = cvBaseline; c <= cvTarget; ++c)
        for (int q = qtMH; q <= qtCost; ++q)
            for (int k : {skHistogram, skSCurve})
                put(f, core.Days.DaySeries[size_t(DaySeriesIndex(c, q, k))].data() + 1, n * sizeof(double));
}

} // namespace

int main(int argc, char** argv)
{
    InitUILs();
    Progress::setPump([] {});
    enginetest::RecordingPrompter quiet; // the schedule's notices are not the point here
    StdDlg::setPrompter(&quiet);
    const int tasks = argc > 1 ? std::atoi(argv[1]) : 100000;
    const QString script = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                    : QStringLiteral(ZOL_BENCH_SOURCE_DIR "/bench/day_series_numpy.py");
    auto h = Schedule(tasks);
    UpToDays(*h);
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("input.bin"));
    const QString series = dir.filePath(QStringLiteral("series.bin"));
    WriteInput(h->core, input);

    // Both sides take the best of their repeats on the wall clock; the best
    // of many is what a quiet machine gives.
    constexpr int kRepeats = 30;
    double best = 1e30;
    for (int i = 0; i < kRepeats; ++i) {
        ClearSeries(*h);
        const double t0 = WallSeconds();
        h->core.CalcBaselineDays();
        h->core.CalcActualDays();
        h->core.CalcTargetDays();
        best = std::min(best, WallSeconds() - t0);
    }
    WriteSeries(h->core, series);

    // Where the engine's time goes: ordering the tasks into runs, and adding them.
    double bestBuild = 1e30, bestAdd = 1e30;
    {
        const TzyEngineCore& core = h->core;
        std::vector<double> H(size_t(core.Days.DayCount) + 1), G(H.size());
        for (int i = 0; i < kRepeats; ++i) {
            double build = 0, add = 0;
            for (const TzyCurve& cv : core.Curves) {
                const double t0 = ThreadSeconds();
                TzyDayRuns runs;
                runs.Build(cv.TaskStart, cv.TaskDays, {&cv.TaskMHPerDay, &cv.TaskCostPerDay}, cv.ValidCount,
                           core.Days.ProjectStart, core.Days.DayCount);
                const double t1 = ThreadSeconds();
                runs.AddDays(1, core.Days.DayCount, {H.data(), G.data()});
                const double t2 = ThreadSeconds();
                build += t1 - t0;
                add += t2 - t1;
            }
            bestBuild = std::min(bestBuild, build);
            bestAdd = std::min(bestAdd, add);
        }
    }

    QProcess py;
    // Debian's interpreter, where python3-numpy installs.
    py.start(qEnvironmentVariable("ZOL_PYTHON", QStringLiteral("/usr/bin/python3")), {script, input, series, QString::number(kRepeats)});
    if (!py.waitForFinished(600000) || py.exitCode() != 0) {
        std::fprintf(stderr, "numpy version failed: %s\n", py.readAllStandardError().constData());
        return 1;
    }
    const QByteArray out = py.readAllStandardOutput();
    bool ok = false;
    const double numpySeconds = out.trimmed().split('\n').last().toDouble(&ok);
    std::printf("%d tasks, %d days, %d+%d+%d valid tasks (Baseline, Actual, Target); best of %d runs\n", tasks,
                h->core.Days.DayCount, h->core.BL().ValidCount, h->core.ACT().ValidCount,
                h->core.TGT().ValidCount, kRepeats);
    std::printf("%s", out.left(out.lastIndexOf('\n', out.size() - 2) + 1).constData());
    std::printf("engine per-day series: %10.3f ms (ordering the runs %.3f ms, adding them %.3f ms)\n",
                best * 1e3, bestBuild * 1e3, bestAdd * 1e3);
    if (ok) {
        std::printf("numpy per-day series:  %10.3f ms\n", numpySeconds * 1e3);
        std::printf("engine is %.1f times as fast\n", numpySeconds / best);
    }
    return ok ? 0 : 1;
}
