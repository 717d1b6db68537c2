#pragma once
// A private X display with a real window manager for the tests whose faults
// show only there (frames, title bars, the manager's own placement moves):
// Xvfb on a free display number, openbox (or metacity) managing it.
// Construct it before the QApplication; it points DISPLAY there and selects
// the xcb platform. Both servers end with the object, and with the test
// process should it die (they get SIGTERM when their parent goes), so
// nothing is left behind.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/prctl.h>
#include <unistd.h>

class WmDisplay {
public:
    enum class Manager { Openbox, Metacity };

    explicit WmDisplay(QSize screen, Manager manager = Manager::Openbox) : m_manager(manager) { start(screen); }

    ~WmDisplay()
    {
        stop(m_wm);
        stop(m_xvfb);
    }

    WmDisplay(const WmDisplay&) = delete;
    WmDisplay& operator=(const WmDisplay&) = delete;

    bool ok() const { return m_ok; }
    QString display() const { return m_display; }
    Manager manager() const { return m_manager; }

private:
    void start(QSize screen)
    {
        if (!m_dir.isValid())
            return fail("no temporary folder");
        m_xvfb.setChildProcessModifier(dieWithParent);
        m_xvfb.setProcessChannelMode(QProcess::SeparateChannels);
        m_xvfb.setStandardErrorFile(QProcess::nullDevice());
        // -displayfd: the server picks a free display and writes its number.
        m_xvfb.start(QStringLiteral("Xvfb"),
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                      QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
        if (!m_xvfb.waitForStarted(30000))
            return fail("Xvfb does not start");
        QByteArray number;
        while (!number.contains('\n')) {
            if (!m_xvfb.waitForReadyRead(60000))
                return fail("Xvfb names no display");
            number += m_xvfb.readAllStandardOutput();
        }
        m_display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

        // openbox runs its start-up command once it manages the screen.
        const QString ready = m_dir.filePath(QStringLiteral("ready"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        env.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.path());
        m_wm.setProcessEnvironment(env);
        m_wm.setChildProcessModifier(dieWithParent);
        m_wm.setStandardOutputFile(QProcess::nullDevice());
        m_wm.setStandardErrorFile(QProcess::nullDevice());
        if (m_manager == Manager::Metacity)
            return startMetacity(env);
        m_wm.start(QStringLiteral("openbox"),
                   {QStringLiteral("--sm-disable"), QStringLiteral("--startup"), QStringLiteral("touch ") + ready});
        if (!m_wm.waitForStarted(30000))
            return fail("openbox does not start");
        QElapsedTimer t;
        t.start();
        while (!QFile::exists(ready)) {
            if (m_wm.state() != QProcess::Running || t.elapsed() > 120000)
                return fail("openbox does not manage the display");
            QThread::msleep(10);
        }
        qputenv("DISPLAY", m_display.toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
        m_ok = true;
    }

    // metacity keeps its settings in memory and asks no session bus; it
    // manages the screen once it has named itself on the root window and
    // published the work area.
    void startMetacity(QProcessEnvironment env)
    {
        env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
        env.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   QStringLiteral("unix:path=") + m_dir.filePath(QStringLiteral("nobus")));
        m_wm.setProcessEnvironment(env);
        m_wm.start(QStringLiteral("metacity"), {QStringLiteral("--sm-disable")});
        if (!m_wm.waitForStarted(30000))
            return fail("metacity does not start");
        QElapsedTimer t;
        t.start();
        for (;;) {
            QProcess probe;
            probe.start(QStringLiteral("xprop"),
                        {QStringLiteral("-display"), m_display, QStringLiteral("-root"),
                         QStringLiteral("_NET_SUPPORTING_WM_CHECK"), QStringLiteral("_NET_WORKAREA")});
            probe.waitForFinished(30000);
            const QByteArray out = probe.readAllStandardOutput();
            if (out.contains("window id") && out.contains("_NET_WORKAREA(CARDINAL) ="))
                break;
            if (m_wm.state() != QProcess::Running || t.elapsed() > 120000)
                return fail("metacity does not manage the display");
            QThread::msleep(20);
        }
        qputenv("DISPLAY", m_display.toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
        m_ok = true;
    }

    static void dieWithParent() { ::prctl(PR_SET_PDEATHSIG, SIGTERM); }

    void fail(const char* why)
    {
        std::fprintf(stderr, "WmDisplay: %s\n", why);
        m_ok = false;
    }

    static void stop(QProcess& p)
    {
        if (p.state() == QProcess::NotRunning)
            return;
        p.terminate();
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished(10000);
        }
    }

    QTemporaryDir m_dir;
    QProcess m_xvfb;
    QProcess m_wm;
    QString m_display;
    Manager m_manager = Manager::Openbox;
    bool m_ok = false;
};

// A test's main() on such a display: the servers live while the tests run.
#define WM_TEST_MAIN(TestClass, width, height)                                 \
    int main(int argc, char** argv)                                            \
    {                                                                          \
        WmDisplay display(QSize(width, height));                               \
        if (!display.ok())                                                     \
            return 1;                                                          \
        QApplication app(argc, argv);                                          \
        app.setAttribute(Qt::AA_Use96Dpi, true);                               \
        TestClass tc;                                                          \
        QTEST_SET_MAIN_SOURCE_PATH                                             \
        return QTest::qExec(&tc, argc, argv);                                  \
    }

// The same under a chosen manager.
#define WM_TEST_MAIN_UNDER(TestClass, width, height, manager)                 \
    int main(int argc, char** argv)                                            \
    {                                                                          \
        WmDisplay display(QSize(width, height), manager);                      \
        if (!display.ok())                                                     \
            return 1;                                                          \
        QApplication app(argc, argv);                                          \
        app.setAttribute(Qt::AA_Use96Dpi, true);                               \
        TestClass tc;                                                          \
        QTEST_SET_MAIN_SOURCE_PATH                                             \
        return QTest::qExec(&tc, argc, argv);                                  \
    }
