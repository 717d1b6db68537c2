#include "LoOffice.h"

#include "LoLeftovers.h"
#include "LoProfile.h"
#include "LoText.h"
#include "LoWait.h"
#include "Progress.h"
#include "XLBackend.h"

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace lo {

Reference<uno::XComponentContext> Office::localContext(const QString& program)
{
    // The office's own bootstrap files name the user profile and extension
    // folders; a client needs only the types and the URE services, so the
    // variables are set directly instead of reading them from an ini file.
    // Bootstrapped once per program, from the first installation asked for.
    static Reference<uno::XComponentContext> ctx = [&] {
        QString folder = QFileInfo(QFileInfo(program).canonicalFilePath()).absolutePath();
        if (program.isEmpty() || !QFileInfo::exists(folder + QStringLiteral("/types.rdb")))
            folder = QStringLiteral("/usr/lib/libreoffice/program");
        const QString dir = QUrl::fromLocalFile(folder).toString(QUrl::FullyEncoded);
        rtl::Bootstrap::set("URE_INTERNAL_LIB_DIR", toOU(dir));
        rtl::Bootstrap::set("UNO_TYPES", toOU(dir + "/types.rdb " + dir + "/types/offapi.rdb"));
        rtl::Bootstrap::set("UNO_SERVICES", toOU(dir + "/services.rdb"));
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return ctx;
}

Office::Office(OfficeOptions options) : m_options(std::move(options)) {}

Office::~Office()
{
    m_desktop.clear();
    m_context.clear();
    kill();
}

bool Office::running() const
{
    if (m_pid <= 0)
        return false;
    siginfo_t info{};
    // WNOWAIT: the process stays a zombie until reap(), so its id (and the
    // group's) cannot be taken by another process while we may signal it.
    if (::waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return false;
    return info.si_pid == 0;
}

int Office::exitCode() const
{
    siginfo_t info{};
    if (m_pid <= 0 || ::waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == 0)
        return -1;
    return info.si_code == CLD_EXITED ? info.si_status : -1;
}

bool Office::stopped() const
{
    const ProcessSample s = sampleProcess(m_pid);
    return s.exists && (s.state == 'T' || s.state == 't');
}

bool Office::answers(CallRunner::Cancel cancel, int withinMs)
{
    if (!running() || !m_desktop.is())
        return false;
    try {
        // The worker holds the desktop's proxy itself: a call left to a
        // server that cannot die returns once it has died, long after this
        // object (and the call's closure) may be gone.
        call([&] {
            const Reference<frame::XDesktop2> desktop = m_desktop;
            desktop->getCurrentComponent();
        }, cancel, withinMs);
        return true;
    } catch (const OperationAborted&) {
        throw;
    } catch (...) {
        return false; // the bridge's error, or a server that does not answer
    }
}

qint64 Office::peakResidentKb() const
{
    if (!running())
        return -1;
    QFile status(QStringLiteral("/proc/%1/status").arg(m_pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

void Office::spawn(const QString& pipeName)
{
    QDir().mkpath(m_options.profileDir);
    recordVersionSeen(m_options.profileDir, m_options.program);
    const QByteArray program = QFile::encodeName(m_options.program);
    const QByteArray profile =
        "-env:UserInstallation=" + QUrl::fromLocalFile(QDir(m_options.profileDir).absolutePath()).toEncoded();
    const QByteArray accept =
        "--accept=pipe,name=" + pipeName.toUtf8() + ";urp;StarOffice.ComponentContext";
    std::vector<QByteArray> args = {program, "--headless", "--invisible", "--norestore", "--nologo",
                                    "--nodefault", "--nolockcheck", profile, accept};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    // The server's own temporary files go into a folder of ours, removed
    // with the server: a killed server leaves nothing in the temporary folder.
    if (!m_tempDir)
        m_tempDir = std::make_unique<QTemporaryDir>(tempTemplate(QStringLiteral("office")));
    std::vector<QByteArray> env;
    for (char** e = environ; *e; ++e) {
        const QByteArray var(*e);
        if (!var.startsWith("TMPDIR=") && !var.startsWith("TMP="))
            env.push_back(var);
    }
    if (m_tempDir->isValid()) {
        env.push_back("TMPDIR=" + QFile::encodeName(m_tempDir->path()));
        env.push_back("TMP=" + QFile::encodeName(m_tempDir->path()));
    }
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error(std::string("Cannot start the spreadsheet server: ") + std::strerror(errno));
    if (pid == 0) {
        // Child: only async-signal-safe calls from here on.
        ::setpgid(0, 0);
        // The server gets the default disposition back: we ignore (and the
        // tests also block) SIGPIPE.
        ::signal(SIGPIPE, SIG_DFL);
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        ::sigprocmask(SIG_UNBLOCK, &pipe, nullptr);
        // Dies with us, even when we are killed without a chance to clean up.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
        const int devnull = ::open("/dev/null", O_RDWR);
        if (devnull >= 0) {
            ::dup2(devnull, 0);
            ::dup2(devnull, 1);
            ::dup2(devnull, 2);
        }
        ::close_range(3, ~0U, 0);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    // Also from the parent's side, so the group exists before any kill.
    ::setpgid(pid, pid);
    m_pid = pid;
}

void Office::start()
{
    static std::atomic<int> counter{0};
    const auto newPipeName = [] {
        return QString("zol_lo_%1_%2_%3").arg(::getpid()).arg(counter++).arg(QDateTime::currentMSecsSinceEpoch());
    };
    QString pipeName = newPipeName();
    auto local = localContext(m_options.program);
    spawn(pipeName);
    try {
        const auto urlOf = [](const QString& pipe) {
            return toOU("uno:pipe,name=" + pipe + ";urp;StarOffice.ComponentContext");
        };
        // What the worker's connect loop uses, owned with it: a start given
        // up while the kernel holds its server (a folder that stopped
        // answering) leaves the worker in the loop after this returns, until
        // that server dies at last. It then touches nothing of ours.
        enum class Connect { Done, Ended, Late, Abandoned };
        struct Attempt {
            Reference<bridge::XUnoUrlResolver> resolver;
            OUString url;
            pid_t server = -1;
            const std::atomic<bool>* abandon = nullptr;
            int boundMs = 0;
            QElapsedTimer timer;
            std::atomic<bool> givenUp{false};
            Connect outcome = Connect::Ended;
            Reference<uno::XComponentContext> context;
        };
        auto resolver = bridge::UnoUrlResolver::create(local);
        std::shared_ptr<Attempt> attempt;
        const auto newAttempt = [&] {
            if (attempt)
                attempt->givenUp = true;
            attempt = std::make_shared<Attempt>();
            attempt->resolver = resolver;
            attempt->url = urlOf(pipeName);
            attempt->server = m_pid;
            attempt->abandon = m_options.abandon;
            attempt->boundMs = m_options.connectTimeoutMs;
            attempt->timer.start();
        };
        const auto giveUp = qScopeGuard([&] {
            if (attempt)
                attempt->givenUp = true;
        });
        newAttempt();
        int restarts = 0;
        // A start in the background is no one's run: the progress form's
        // Cancel is not for it, and a server of the run's own takes its
        // place when it fails.
        const bool background = m_options.abandon != nullptr;
        const auto cancel = background ? CallRunner::Cancel::Ignored : CallRunner::Cancel::Honoured;
        bool freshAfterHang = false;
        for (;;) {
            // Tried on the worker, so the windows stay alive while the server
            // starts; a new server is spawned from this thread only.
            try {
                m_calls.run(m_pid, [a = attempt] {
                    const std::shared_ptr<Attempt> at = a; // outlives the closure
                    for (;;) {
                        try {
                            Reference<uno::XComponentContext> context(at->resolver->resolve(at->url),
                                                                      UNO_QUERY_THROW);
                            if (at->givenUp)
                                return;
                            at->context = context;
                            at->outcome = Connect::Done;
                            return;
                        } catch (const connection::NoConnectException&) {
                        }
                        if (at->givenUp)
                            return;
                        if (processEnded(at->server)) {
                            at->outcome = Connect::Ended;
                            return;
                        }
                        if (at->abandon && at->abandon->load()) {
                            at->outcome = Connect::Abandoned;
                            return;
                        }
                        if (at->timer.elapsed() > at->boundMs) {
                            at->outcome = Connect::Late;
                            return;
                        }
                        QThread::msleep(50);
                    }
                }, cancel, -1, CallRunner::Watch::Start);
            } catch (const XLError& e) {
                // The watch has ended a server that stood stopped or idle
                // while it started. The run's own start tries one fresh
                // server, on a pipe and with a bound of its own; one that
                // could not die is let go below with what it holds.
                if (e.kind() != XLErrorKind::NoAnswer || background || freshAfterHang || m_calls.abandoned())
                    throw;
                freshAfterHang = true;
                m_context.clear();
                kill();
                pipeName = newPipeName();
                spawn(pipeName);
                newAttempt();
                continue;
            }
            const Connect r = attempt->outcome;
            m_context = attempt->context;
            if (r == Connect::Done)
                break;
            if (r == Connect::Abandoned)
                throw std::runtime_error("The spreadsheet server's start was given up.");
            if (r == Connect::Late)
                throw std::runtime_error("The spreadsheet server did not answer in time.");
            // A fresh profile makes the server set it up and ask its
            // launcher for a restart (exit code 81): do what the launcher does.
            if (exitCode() == 81 && restarts++ < 2) {
                reap();
                spawn(pipeName);
                const int leftMs = int(m_options.connectTimeoutMs - attempt->timer.elapsed());
                newAttempt();
                attempt->boundMs = leftMs; // the restart is part of the same start
                continue;
            }
            throw std::runtime_error("The spreadsheet server ended while starting.");
        }
        m_desktop = call([&] { return frame::Desktop::create(m_context); }, cancel);
    } catch (const uno::Exception& e) {
        m_desktop.clear();
        m_context.clear();
        kill();
        throw std::runtime_error(cleanMessage(e.Message).toStdString());
    } catch (...) {
        m_desktop.clear();
        m_context.clear();
        kill();
        throw;
    }
}

bool Office::waitExit(int timeoutMs, bool stoppedEnds)
{
    // Waited for as calls are, never asleep on the window's thread. A
    // stopped server will not end by itself, so it is not waited for, unless
    // it has been killed (it ends then, stopped or not).
    waitUntil([&] { return !running() || (stoppedEnds && stopped()); }, timeoutMs, CallRunner::Cancel::Ignored, 20);
    return !running();
}

bool Office::terminate()
{
    if (m_calls.abandoned()) {
        letGo();
        return true;
    }
    // A stopped server would hold the quit until it is taken as hung; what
    // it had to save is saved by now, so it is ended at once.
    if (!running() || stopped()) {
        m_desktop.clear();
        m_context.clear();
        kill();
        return true;
    }
    if (m_desktop.is()) {
        // Asked on a thread of its own and watched from here, so that a
        // server stopped while it is asked is ended as soon as it stops.
        // No cancel here: a cancelled run still ends its server.
        struct Ask {
            std::mutex m;
            bool done = false;
            bool agreed = true;
        };
        auto ask = std::make_shared<Ask>();
        std::thread asking([ask, desktop = m_desktop] {
            bool agreed = true;
            try {
                agreed = desktop->terminate();
            } catch (const uno::Exception&) {
                // The connection went down with the office, or is going:
                // either way the process is ended below.
            }
            std::lock_guard lock(ask->m);
            ask->agreed = agreed;
            ask->done = true;
        });
        const auto answered = [ask] {
            std::lock_guard lock(ask->m);
            return ask->done;
        };
        waitUntil([&] { return answered() || stopped() || !running(); }, m_options.quitTimeoutMs,
                  CallRunner::Cancel::Ignored);
        const bool ended = !answered();
        if (ended) {
            ::kill(-m_pid, SIGKILL);
            ::kill(m_pid, SIGKILL);
            // The bridge lets the request go once the server's pipe closes.
            waitUntil(answered, 10000, CallRunner::Cancel::Ignored);
        }
        if (answered())
            asking.join();
        else
            asking.detach(); // it holds what it uses
        if (!ended) {
            std::lock_guard lock(ask->m);
            if (!ask->agreed)
                return false;
        }
    }
    m_desktop.clear();
    m_context.clear();
    waitExit(m_options.quitTimeoutMs);
    kill(); // reaps it, and ends what is left of its group
    return true;
}

void Office::kill()
{
    if (m_pid <= 0)
        return;
    if (m_calls.abandoned()) {
        letGo();
        return;
    }
    ::kill(-m_pid, SIGKILL);
    ::kill(m_pid, SIGKILL);
    // Reaped, its id would be forgotten while it stands, and what it holds
    // (its profile) taken as free.
    if (!waitExit(10000, false)) {
        letGo();
        return;
    }
    reap();
}

ProcessTag Office::standing() const
{
    if (m_pid > 0)
        return tagProcess(m_pid); // unreaped, so its entry stays
    const ProcessTag now = tagProcess(m_letGo.pid);
    return now.pid > 0 && now.startTime == m_letGo.startTime ? m_letGo : ProcessTag{};
}

void Office::letGo()
{
    if (m_pid <= 0)
        return;
    m_desktop.clear();
    m_context.clear();
    ::kill(-m_pid, SIGKILL);
    ::kill(m_pid, SIGKILL);
    // Whatever it holds in its temporary folder goes once it has died: on
    // record for the start that finds it gone.
    QStringList left;
    if (m_tempDir && m_tempDir->isValid()) {
        m_tempDir->setAutoRemove(false);
        left << m_tempDir->path();
    }
    recordAbandoned(m_pid, left);
    m_tempDir.reset();
    m_letGo = tagProcess(m_pid);
    m_pid = -1;
}

void Office::reap()
{
    if (m_pid > 0) {
        // The group may still hold children of the server; end them too.
        ::kill(-m_pid, SIGKILL);
        int status = 0;
        ::waitpid(m_pid, &status, WNOHANG);
        m_pid = -1;
    }
    m_tempDir.reset();
}

} // namespace lo
