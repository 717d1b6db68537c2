// The time from the program's launch to its main form on the screen, the
// spare spreadsheet server on as users have it, next to the splash's minimum
// display time: the counter beyond_splash_ms is what start-up adds to it.
// Each start is a process of its own (this program run with --child), on a
// private settings folder and the offscreen platform.
#include "ServiceForms.h"
#include "SingleInstance.h"
#include "Startup.h"
#include "UF_Main.h"
#include "UF_Splash.h"
#include "zyAD.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

// The program's own entry, which says when its main form is up and ends.
int Child(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString productName = TzyAD::ProductName();
    QApplication::setApplicationName(productName);
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));
    if (Utils::CheckSingleInstance())
        return 2;
    ServiceForms::InstallServiceForms();
    Startup::Options options;
    options.onReady = [] {
        std::fputs("READY\n", stdout);
        std::fflush(stdout);
        // Straight out: closing the form would ask whether to exit.
        QTimer::singleShot(0, [] { QApplication::exit(0); });
    };
    return Startup::Run(options);
}

void BM_StartupToMainForm(benchmark::State& state)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("ZOLL_INSTANCE_NAME"), QStringLiteral("zoll-startup-bench-%1").arg(QCoreApplication::applicationPid()));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    double worst = 0;
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
        bool ready = false;
        while (!ready && child.waitForReadyRead(60000))
            ready = child.readAll().contains("READY");
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        state.PauseTiming();
        child.waitForFinished(60000);
        state.ResumeTiming();
        if (!ready) {
            state.SkipWithError("the main form never came up");
            break;
        }
        worst = std::max(worst, ms);
        state.SetIterationTime(ms / 1000);
    }
    state.counters["splash_ms"] = TUF_Splash::kMinimumDisplayMs;
    state.counters["worst_ms"] = worst;
    state.counters["beyond_splash_ms"] = worst - TUF_Splash::kMinimumDisplayMs;
}
BENCHMARK(BM_StartupToMainForm)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && qstrcmp(argv[1], "--child") == 0)
        return Child(argc, argv);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
