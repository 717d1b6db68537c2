#pragma once
// A private X display with a real window manager for the tests whose faults
// show only there (frames, title bars, the manager's own placement moves):
// Xvfb on a free display number, managed by openbox (frame 1,1,20,5) or
// metacity (frame 0,0,37,0: no side borders, a taller title bar). Construct it
// before the QApplication; it points DISPLAY there, selects the xcb platform
// and gives the program and the manager the same fonts, DejaVu alone (see
// writeFontConfig). Both servers end with the object, and with the test
// process should it die (they get SIGTERM when their parent goes), so nothing
// is left behind.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

class WmDisplay {
public:
    enum Manager { Openbox, Metacity };

    explicit WmDisplay(QSize screen, Manager manager = Openbox)
        : m_manager(manager)
    {
        start(screen);
    }

    ~WmDisplay()
    {
        stop(m_wm);
        stop(m_xvfb);
    }

    WmDisplay(const WmDisplay&) = delete;
    WmDisplay& operator=(const WmDisplay&) = delete;

    bool ok() const { return m_ok; }
    QString display() const { return m_display; }
    // The fontconfig file for every program on the display.
    QString fontConfig() const { return m_fontConfig; }
    static const char* name(Manager m) { return m == Openbox ? "openbox" : "metacity"; }

    // Where the X server has a window's client area (a round trip).
    static QPoint serverCorner(const QWidget* w)
    {
        xcb_connection_t* c = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_translate_coordinates_reply_t* r = xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, xcb_window_t(w->winId()), root, 0, 0), nullptr);
        const QPoint p = r ? QPoint(r->dst_x, r->dst_y) : QPoint(-1, -1);
        std::free(r);
        return p;
    }
    // The window stands where the toolkit has it: the toolkit maps points
    // from there, and the server has it there. A top-level's geometry is
    // what the program asked for at once, while a report of where the
    // manager had put the window before (framed for a thickness counted on)
    // may still be on its way: what is measured on the screen meanwhile
    // moves with it.
    static bool atRest(const QWidget* w)
    {
        const QPoint corner = w->geometry().topLeft();
        return w->isVisible() && w->mapToGlobal(QPoint(0, 0)) == corner && serverCorner(w) == corner;
    }
    // The figures of the three, for a failure's message.
    static QString whereItStands(const QWidget* w)
    {
        const QPoint g = w->geometry().topLeft(), m = w->mapToGlobal(QPoint(0, 0)), s = serverCorner(w);
        return QStringLiteral("client corner %1,%2, mapped %3,%4, on the server %5,%6")
            .arg(g.x()).arg(g.y()).arg(m.x()).arg(m.y()).arg(s.x()).arg(s.y());
    }
    Manager manager() const { return m_manager; }

private:
    void start(QSize screen)
    {
        if (!m_dir.isValid())
            return fail("no temporary folder");
        if (!writeFontConfig())
            return fail("no DejaVu fonts (fonts-dejavu-core) or the font configuration cannot be written");
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

        const QString ready = m_dir.filePath(QStringLiteral("ready"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        env.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.path());
        env.insert(QStringLiteral("FONTCONFIG_FILE"), m_fontConfig);
        // Nothing of the user's desktop session: the manager is the private
        // display's alone. The session bus is the test run's own; without one
        // the manager's bus library would launch a bus that outlives the run.
        env.remove(QStringLiteral("SESSION_MANAGER"));
        // metacity keeps its settings in memory rather than in dconf.
        env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
        env.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
        m_wm.setProcessEnvironment(env);
        m_wm.setChildProcessModifier(dieWithParent);
        m_wm.setStandardOutputFile(QProcess::nullDevice());
        m_wm.setStandardErrorFile(QProcess::nullDevice());
        if (m_manager == Openbox)
            // openbox runs its start-up command once it manages the screen.
            m_wm.start(QStringLiteral("openbox"),
                       {QStringLiteral("--sm-disable"), QStringLiteral("--startup"), QStringLiteral("touch ") + ready});
        else
            m_wm.start(QStringLiteral("metacity"),
                       {QStringLiteral("--replace"), QStringLiteral("--sm-disable"), QStringLiteral("--no-composite")});
        if (!m_wm.waitForStarted(30000))
            return fail("the window manager does not start");
        QElapsedTimer t;
        t.start();
        while (m_manager == Openbox ? !QFile::exists(ready) : !managerReady()) {
            if (m_wm.state() != QProcess::Running || t.elapsed() > 120000)
                return fail("the window manager does not manage the display");
            QThread::msleep(10);
        }
        qputenv("DISPLAY", m_display.toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("FONTCONFIG_FILE", QFile::encodeName(m_fontConfig));
        m_ok = true;
    }

    // The manager's title bar and the forms' rows are as tall as their fonts
    // make them, and the tests expect figures: the fonts are chosen here, not
    // by the machine (a desktop's Noto Sans as the sans font makes openbox's
    // title bar 22 pixels, not 20). Only DejaVu is known, every family falls
    // back to DejaVu Sans, and the rendering is Debian's default.
    bool writeFontConfig()
    {
        const QString fonts = QStringLiteral("/usr/share/fonts/truetype/dejavu");
        if (!QFile::exists(fonts + QStringLiteral("/DejaVuSans.ttf")))
            return false;
        const auto alias = [](const char* generic, const char* family) {
            return QStringLiteral("  <alias binding=\"same\"><family>%1</family><prefer><family>%2</family></prefer>"
                                  "</alias>\n")
                .arg(QLatin1String(generic), QLatin1String(family));
        };
        const QString text =
            QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                           "<fontconfig>\n  <dir>%1</dir>\n  <cachedir>%2</cachedir>\n")
                .arg(fonts, m_dir.filePath(QStringLiteral("fontconfig")))
            + alias("sans-serif", "DejaVu Sans") + alias("sans", "DejaVu Sans") + alias("serif", "DejaVu Serif")
            + alias("monospace", "DejaVu Sans Mono")
            + QStringLiteral(
                "  <match target=\"pattern\"><edit name=\"family\" mode=\"append_last\"><string>DejaVu Sans</string>"
                "</edit></match>\n"
                "  <match target=\"font\">\n"
                "    <edit name=\"antialias\" mode=\"assign\"><bool>true</bool></edit>\n"
                "    <edit name=\"hinting\" mode=\"assign\"><bool>true</bool></edit>\n"
                "    <edit name=\"hintstyle\" mode=\"assign\"><const>hintslight</const></edit>\n"
                "    <edit name=\"lcdfilter\" mode=\"assign\"><const>lcddefault</const></edit>\n"
                "  </match>\n</fontconfig>\n");
        m_fontConfig = m_dir.filePath(QStringLiteral("fonts.conf"));
        QFile f(m_fontConfig);
        return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) > 0 && f.flush();
    }

    // The manager has taken the screen and published its work area, which it
    // does once it has set itself up.
    bool managerReady() const
    {
        xcb_connection_t* c = xcb_connect(m_display.toLocal8Bit().constData(), nullptr);
        bool ready = false;
        if (!xcb_connection_has_error(c)) {
            auto atom = [c](const char* name) {
                xcb_intern_atom_reply_t* r =
                    xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
                const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
                std::free(r);
                return a;
            };
            const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
            xcb_get_selection_owner_reply_t* owner =
                xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom("WM_S0")), nullptr);
            xcb_get_property_reply_t* area = xcb_get_property_reply(
                c, xcb_get_property(c, 0, root, atom("_NET_WORKAREA"), XCB_ATOM_CARDINAL, 0, 4), nullptr);
            ready = owner && owner->owner != XCB_WINDOW_NONE && area && xcb_get_property_value_length(area) == 16;
            std::free(owner);
            std::free(area);
        }
        xcb_disconnect(c);
        return ready;
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

    Manager m_manager;
    QTemporaryDir m_dir;
    QProcess m_xvfb;
    QProcess m_wm;
    QString m_display;
    QString m_fontConfig;
    bool m_ok = false;
};

// The manager of a test built once for each: its metacity build defines
// ZOL_TEST_UNDER_METACITY.
#ifdef ZOL_TEST_UNDER_METACITY
constexpr WmDisplay::Manager kManager = WmDisplay::Manager::Metacity;
#else
constexpr WmDisplay::Manager kManager = WmDisplay::Manager::Openbox;
#endif

// A test's main() on such a display: the servers live while the tests run.
#define WM_TEST_MAIN(TestClass, width, height) WM_TEST_MAIN_UNDER(TestClass, width, height, WmDisplay::Openbox)

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
