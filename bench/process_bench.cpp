// A whole Process run on generated schedules (10,000 and 100,000 tasks over
// three years) against a private LibreOffice, next to the floor: the time
// the office alone takes to open the Data Source File and the Template File
// and save the Output File. The run's time per step is reported as counters
// (seconds, summed over the step lines of each phase).
#include "LoBackend.h"
#include "LoOffice.h"
#include "Progress.h"
#include "StdDlg.h"
#include "WorkbookMaker.h"
#include "process_def.h"
#include "zyAD.h"
#include "zyProcess.h"
#include "zyUIL.h"
#include "zyXL.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// A figure in KiB of this process's status ("VmRSS:", "VmHWM:").
qint64 OwnStatusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Times between step lines: each step's time runs from its line to the next.
class TimingProgress : public MemoryProgress {
public:
    QElapsedTimer clock;
    QList<QPair<QString, qint64>> marks; // step text, nanoseconds at its start
    QList<qint64> resident;              // our resident memory (KiB) at each step's start
    int AddStepIdx(const QString& text) override
    {
        marks << qMakePair(text, clock.nsecsElapsed());
        resident << OwnStatusKb("VmRSS:");
        return MemoryProgress::AddStepIdx(text);
    }
    void AddStep(const QString& text) override { AddStepIdx(text); }
};

// The bench's schedules: `tasks` tasks over three years.
struct ScheduleSpec3 : tmpl::ScheduleSpec {
    explicit ScheduleSpec3(int n)
    {
        tasks = n;
        years = 3;
        dataDate = start.addDays(550);
    }
};

// Makes one schedule with a server of its own (the --make-schedule run).
int MakeSchedule(int tasks, const QString& path)
{
    QTemporaryDir profile;
    lo::Backend maker(lo::BackendOptions{QString(), profile.filePath("profile"), 90000, 15000, false});
    maker.start();
    tmpl::MakeSchedule(maker.server()->desktop(), path, ScheduleSpec3(tasks));
    maker.quit();
    return QFile::exists(path) ? 0 : 1;
}

struct Fixture {
    QTemporaryDir dir;
    QString tpl;
    QMap<int, QString> made; // tasks -> file
    double cutOff = 0;

    Fixture()
    {
        tpl = dir.path() + "/template.xlsx";
        const QString src = qEnvironmentVariable("ZOL_SOURCE_DIR", QStringLiteral(ZOL_BENCH_SOURCE_DIR));
        QFile::copy(src + "/resources/templates/Tarvo_ZOL_Lumo_Template.xlsx", tpl);
    }
    // The schedule of `tasks` tasks over three years, made when first asked for.
    QString schedule(int tasks)
    {
        if (made.contains(tasks))
            return made[tasks];
        const ScheduleSpec3 spec(tasks);
        const QString path = dir.path() + QStringLiteral("/schedule-%1.xlsx").arg(tasks);
        // Made by this program run again, so that the memory the maker used
        // is never counted as the run's.
        QProcess::execute(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--make-schedule"), QString::number(tasks), path});
        cutOff = QDate(1899, 12, 30).daysTo(spec.dataDate);
        return made[tasks] = path;
    }
};

// A fresh layer over a backend with or without a spare server; with one,
// it is waited for, as a user's run finds it ready.
void NewLayer(bool spare)
{
    lo::BackendOptions o;
    o.spare = spare;
    lo::installBackendFactory(o);
    XL = std::make_unique<TzyXL>();
    if (spare)
        static_cast<lo::Backend*>(XL->Backend())->waitSpareReady(120000);
}

// Our peak resident memory (VmHWM, KiB) since the last reset.
qint64 OwnPeakKb()
{
    return OwnStatusKb("VmHWM:");
}

void ResetOwnPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

Fixture& fixture()
{
    static Fixture f;
    return f;
}

struct Silent : StdDlg::IPrompter {
    QStringList ids;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        ids << r.msgId + u' ' + r.lines.join(u'|');
        return {r.buttons[2].modalResult, false};
    }
};

void BM_Floor(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString dsf = f.schedule(int(state.range(0)));
    const QString out = f.dir.path() + "/floor.xlsx";
    NewLayer(false);
    for (auto _ : state) {
        XL->StartExcel(false);
        XL->SetWorkbookFileName(dsf);
        XL->OpenWorkbook(dsf, QString(), QString(), true);
        XL->CloseWorkbook(false);
        XL->SetWorkbookFileName(f.tpl);
        XL->OpenWorkbook(f.tpl, QString(), QString(), true);
        XL->SaveAs(QStringLiteral("Output File"), out);
        XL->CloseWorkbook(false);
        XL->QuitExcel();
    }
}

// The floor a user waits for: the server (the spare) is up before the
// clock starts, and the office only opens the Data Source File and the
// Template File and saves the Output File.
void BM_WarmFloor(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString dsf = f.schedule(int(state.range(0)));
    const QString out = f.dir.path() + "/warmfloor.xlsx";
    NewLayer(false);
    for (auto _ : state) {
        state.PauseTiming();
        XL->StartExcel(false);
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        const auto mark = [&](const char* what) {
            if (state.iterations() == 0 && qEnvironmentVariableIsSet("ZOL_BENCH_STEPS"))
                std::fprintf(stderr, "%8.3f s  %s\n", t.nsecsElapsed() / 1e9, what);
            t.restart();
        };
        XL->SetWorkbookFileName(dsf);
        XL->OpenWorkbook(dsf, QString(), QString(), true);
        mark("open the Data Source File");
        XL->CloseWorkbook(false);
        mark("close it");
        XL->SetWorkbookFileName(f.tpl);
        XL->OpenWorkbook(f.tpl, QString(), QString(), true);
        mark("open the Template File");
        XL->SaveAs(QStringLiteral("Output File"), out);
        mark("save the Output File");
        XL->CloseWorkbook(false);
        mark("close it");
        state.PauseTiming();
        XL->QuitExcel();
        state.ResumeTiming();
    }
}

// The office work the run's own plan asks for, and nothing else: the server
// started twice, the Data Source File opened to be checked and again to be
// read, the Template File opened to be checked and again to be filled.
void BM_PlanFloor(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString dsf = f.schedule(int(state.range(0)));
    const QString out = f.dir.path() + "/planfloor.xlsx";
    NewLayer(false);
    const auto openClose = [&](const QString& file) {
        XL->SetWorkbookFileName(file);
        XL->OpenWorkbook(file, QString(), QString(), true);
        XL->CloseWorkbook(false);
    };
    for (auto _ : state) {
        XL->StartExcel(false);
        openClose(dsf);
        openClose(f.tpl);
        openClose(dsf);
        XL->QuitExcel();
        XL->StartExcel(false);
        XL->SetWorkbookFileName(f.tpl);
        XL->OpenWorkbook(f.tpl, QString(), QString(), true);
        XL->SaveAs(QStringLiteral("Output File"), out);
        XL->CloseWorkbook(false);
        XL->QuitExcel();
    }
}

void BM_Process(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString dsf = f.schedule(int(state.range(0)));
    const bool spare = state.range(1) != 0;
    const QString out = f.dir.path() + "/run.xlsx";
    Silent dlg;
    StdDlg::setPrompter(&dlg);
    TimingProgress progress;
    Progress::setForm(&progress);
    Process = std::make_unique<TzyProcess>();
    Progress::setFormatSources([] { return Process->StepFmt; }, [] { return Process->NoStepFmt; });
    QMap<QString, double> phases;
    qint64 ownPeak = 0, serverPeak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int sd = bench::Define(dsf, f.tpl, out, f.cutOff);
        NewLayer(spare);
        ResetOwnPeak();
        state.ResumeTiming();
        progress.marks.clear();
        progress.resident.clear();
        progress.clock.start();
        if (!Process->Process(sd)) {
            state.SkipWithError(qPrintable(dlg.ids.join(u'\n')));
            break;
        }
        const qint64 end = progress.clock.nsecsElapsed();
        state.PauseTiming();
        ownPeak = std::max(ownPeak, OwnPeakKb());
        serverPeak = std::max(serverPeak, static_cast<lo::Backend*>(XL->Backend())->serverPeakKb());
        XL.reset(); // ends the spare that followed the run
        state.ResumeTiming();
        // Phases: the workbook checks, the extraction, the calculation, the
        // template writing, the save.
        for (int i = 0; i < progress.marks.size(); ++i) {
            const qint64 next = i + 1 < progress.marks.size() ? progress.marks[i + 1].second : end;
            const double s = (next - progress.marks[i].second) / 1e9;
            const int n = i + 1;
            const int total = int(progress.marks.size());
            QString phase;
            if (n <= 8)
                phase = QStringLiteral("1_check");
            else if (n <= 12)
                phase = QStringLiteral("2_extract");
            else if (n <= total - 12)
                phase = QStringLiteral("3_calculate");
            else if (n <= total - 3)
                phase = QStringLiteral("4_write");
            else
                phase = QStringLiteral("5_save");
            phases[phase] += s;
            if (state.iterations() == 0 && qEnvironmentVariableIsSet("ZOL_BENCH_STEPS"))
                std::fprintf(stderr, "%3d %8.3f s %8lld KiB  %s\n", n, s, progress.resident.value(i),
                             qPrintable(progress.marks[i].first));
        }
    }
    for (auto it = phases.cbegin(); it != phases.cend(); ++it)
        state.counters[it.key().toStdString()] = benchmark::Counter(it.value(), benchmark::Counter::kAvgIterations);
    // Peak resident memory in MiB: this program during the run, and the
    // larger of the run's two servers, each read before it was asked to end.
    state.counters["our_MiB"] = double(ownPeak) / 1024;
    state.counters["server_MiB"] = double(serverPeak) / 1024;
    Progress::setForm(nullptr);
    StdDlg::setPrompter(nullptr);
}

BENCHMARK(BM_Floor)->Arg(10000)->Arg(100000)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_WarmFloor)->Arg(10000)->Arg(100000)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_PlanFloor)->Arg(10000)->Arg(100000)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();
// Arguments: tasks, spare server (1) or none (0).
BENCHMARK(BM_Process)
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kSecond)
    ->Iterations(2)
    ->UseRealTime();
// Browsing the sample workbook's worksheets with the progress form, the
// spare server ready (1) or not (0).
void BM_Browse(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString src = qEnvironmentVariable("ZOL_SOURCE_DIR", QStringLiteral(ZOL_BENCH_SOURCE_DIR));
    const QString sample = src + "/resources/samples/" + QDir(src + "/resources/samples").entryList({"*.xls*"}).value(0);
    const bool spare = state.range(0) != 0;
    Silent dlg;
    StdDlg::setPrompter(&dlg);
    MemoryProgress progress;
    Progress::setForm(&progress);
    Process = std::make_unique<TzyProcess>();
    Progress::setFormatSources([] { return Process->StepFmt; }, [] { return Process->NoStepFmt; });
    for (auto _ : state) {
        state.PauseTiming();
        bench::Define(sample, f.tpl, f.dir.path() + "/browse.xlsx", f.cutOff);
        NewLayer(spare);
        state.ResumeTiming();
        if (!Process->ExtractWorksheetNames(QStringLiteral("Data Source File"), sample, QString(), 1)) {
            state.SkipWithError(qPrintable(dlg.ids.join(u'\n')));
            break;
        }
        state.PauseTiming();
        XL.reset();
        state.ResumeTiming();
    }
    Progress::setForm(nullptr);
    StdDlg::setPrompter(nullptr);
}
BENCHMARK(BM_Browse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--make-schedule") == 0)
        return MakeSchedule(std::atoi(argv[2]), QString::fromLocal8Bit(argv[3]));
    InitUILs();
    Progress::setPump([] {});
    // The million-task run, for its memory: ZOL_BENCH_MILLION=1 (making the
    // schedule alone takes minutes).
    if (qEnvironmentVariableIsSet("ZOL_BENCH_MILLION"))
        benchmark::RegisterBenchmark("BM_ProcessMillion", BM_Process)
            ->Args({1000000, 1})
            ->Unit(benchmark::kSecond)
            ->Iterations(1)
            ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Process.reset();
    XL.reset();
    return 0;
}
