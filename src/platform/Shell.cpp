#include "Shell.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

// Starts `program` with one argument: input from the null device, output to
// ours, no descriptor of ours but those three, SIGPIPE back to its default.
// The child's pid, or -1 when it could not be started.
pid_t spawnOpener(const QString& program, const QString& argument)
{
    QByteArray prog = QFile::encodeName(program);
    QByteArray arg = QFile::encodeName(argument);
    char* const argv[] = {prog.data(), arg.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t mask;
    sigemptyset(&mask);
    posix_spawnattr_setsigmask(&attr, &mask);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    const int rc = posix_spawn(&pid, prog.constData(), &actions, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int g_running = 0; // openers started and not yet ended

// The cause of a failed opener, from xdg-open's exit code.
OpenerFailure openerFailure(int waitStatus)
{
    if (!WIFEXITED(waitStatus))
        return OpenerFailure::Failed;
    switch (WEXITSTATUS(waitStatus)) {
    case 2:
        return OpenerFailure::FileGone;
    case 3:
        return OpenerFailure::NoProgram;
    case 4:
        return OpenerFailure::ProgramFailed;
    default:
        return OpenerFailure::Failed;
    }
}

// One opener that started, watched until it ends and never ended by us. It
// belongs to the application: quitting drops the watch and leaves the opener
// (and a viewer it may be waiting for) running.
class OpenerRun : public QObject {
public:
    OpenerRun(pid_t pid, QObject* context, OpenFailed failed)
        : QObject(QCoreApplication::instance()), m_pid(pid), m_context(context), m_failed(std::move(failed))
    {
        ++g_running;
        m_fd = int(::syscall(SYS_pidfd_open, pid, 0));
        if (m_fd >= 0) {
            m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
            connect(m_notifier, &QSocketNotifier::activated, this, &OpenerRun::reap);
        } else {
            // A kernel without process descriptors: looked at now and then.
            m_poll = new QTimer(this);
            connect(m_poll, &QTimer::timeout, this, &OpenerRun::reap);
            m_poll->start(kPollMs);
        }
    }

    ~OpenerRun() override
    {
        if (m_running)
            --g_running;
        delete m_notifier;
        if (m_fd >= 0)
            ::close(m_fd);
    }

private:
    void reap()
    {
        int status = 0;
        pid_t r;
        do
            r = ::waitpid(m_pid, &status, WNOHANG);
        while (r < 0 && errno == EINTR);
        if (r == 0)
            return; // still running
        m_running = false;
        --g_running;
        if (m_notifier)
            m_notifier->setEnabled(false);
        if (m_poll)
            m_poll->stop();
        // Exit code 0 is success; any other code or a signal is a failure.
        // An opener reaped elsewhere has no known outcome and is not reported.
        const bool failed = r == m_pid && !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        if (failed && m_context && m_failed)
            QMetaObject::invokeMethod(
                m_context.data(), [told = std::move(m_failed), why = openerFailure(status)] { told(why); },
                Qt::QueuedConnection);
        deleteLater();
    }

    static constexpr int kPollMs = 250;
    pid_t m_pid;
    bool m_running = true;
    QPointer<QObject> m_context;
    OpenFailed m_failed;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QTimer* m_poll = nullptr;
};

// The desktop's opener, xdg-open, run directly: through QDesktopServices a
// missing opener fails with a line on stderr only, and the caller cannot
// tell the user. It is never waited for: xdg-open may take seconds to find
// a viewer, or wait for the viewer to close.
class DesktopShell : public IShell {
public:
    int open(const QString& file, const QString&, const QString&, int, QObject* context, OpenFailed failed) override
    {
        // Parameters and working folder have no meaning for a desktop opener.
        if (file.isEmpty())
            return kShellNotFound;
        QString target = file;
        const QUrl url(file, QUrl::StrictMode);
        const bool web = url.isValid() && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
        if (!web) {
            if (!QFileInfo::exists(file))
                return kShellNotFound; // as the callers' own checks expect
            target = QFileInfo(file).absoluteFilePath();
        }
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty())
            return kShellNoOpener;
        const pid_t pid = spawnOpener(opener, target);
        if (pid < 0)
            return kShellNoOpener;
        if (QCoreApplication::instance())
            new OpenerRun(pid, context, std::move(failed));
        return 42;
    }
};

IShell* g_shell = nullptr;
FolderBrowser g_browser;

} // namespace

IShell& shell()
{
    static DesktopShell desktop;
    return g_shell ? *g_shell : desktop;
}

void setShell(IShell* s)
{
    g_shell = s;
}

int runningOpeners()
{
    return g_running;
}

void setFolderBrowser(FolderBrowser browser)
{
    g_browser = std::move(browser);
}

QString browseForFolder(const QString& title)
{
    return g_browser ? g_browser(title) : QString();
}

} // namespace platform
