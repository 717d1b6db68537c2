// The main form's place across program starts, under two window managers
// whose frames differ (openbox 1,1,20,5; metacity 0,0,37,0). Each start is a
// process of its own over one preferences folder, as the program starts:
// nothing of a frame seen in one start is known to the next. The user moves,
// sizes, maximises and restores the form through the window manager, then
// File > Exit; the next start must put the frame back where it was left.
//
// Run with --start STEP... this executable is one such start (see oneStart).
#include "FormsTestKit.h"
#include "UF_Main.h"
#include "WmDisplay.h"

#include <QHash>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <xcb/xcb.h>

#include <array>
#include <cstdio>
#include <optional>

namespace {

// ---- one start: the form as the X server and the window manager see it ----

xcb_connection_t* x11()
{
    auto* x = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x ? x->connection() : nullptr;
}

xcb_atom_t atom(const char* name)
{
    xcb_connection_t* c = x11();
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
}

xcb_window_t rootWindow()
{
    return xcb_setup_roots_iterator(xcb_get_setup(x11())).data->root;
}

QList<quint32> cardinals(xcb_window_t w, const char* property, xcb_atom_t type)
{
    xcb_connection_t* c = x11();
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, atom(property), type, 0, 1024), nullptr);
    QList<quint32> values;
    if (r && r->format == 32) {
        const auto* v = static_cast<const quint32*>(xcb_get_property_value(r));
        for (int i = 0; i < xcb_get_property_value_length(r) / 4; ++i)
            values << v[i];
    }
    free(r);
    return values;
}

// The frame as the window manager drew it: the client window's place on the
// root and the thickness the manager published.
std::optional<QRect> serverFrame(QWidget& form, QRect* client = nullptr)
{
    xcb_connection_t* c = x11();
    const auto w = xcb_window_t(form.winId());
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    xcb_translate_coordinates_reply_t* t =
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, w, rootWindow(), 0, 0), nullptr);
    const QList<quint32> e = cardinals(w, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    std::optional<QRect> frame;
    if (g && t && e.size() == 4) {
        const QRect inner(t->dst_x, t->dst_y, g->width, g->height);
        if (client)
            *client = inner;
        frame = inner.adjusted(-int(e[0]), -int(e[2]), int(e[1]), int(e[3]));
    }
    free(g);
    free(t);
    return frame;
}

QMargins serverExtents(QWidget& form)
{
    const QList<quint32> e = cardinals(xcb_window_t(form.winId()), "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    return e.size() == 4 ? QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3])) : QMargins();
}

void sendToManager(QWidget& form, const char* type, std::array<quint32, 5> data)
{
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = xcb_window_t(form.winId());
    ev.type = atom(type);
    for (int i = 0; i < 5; ++i)
        ev.data.data32[i] = data[size_t(i)];
    xcb_send_event(x11(), 0, rootWindow(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
    xcb_flush(x11());
}

// The window manager moves (and sizes) the frame, as it does when the user
// drags it: the corner is the frame's, the size the frame's.
void userPlaces(QWidget& form, const QRect& frame)
{
    const QMargins m = serverExtents(form);
    constexpr quint32 northWest = 1, x = 1 << 8, y = 1 << 9, w = 1 << 10, h = 1 << 11, byUser = 2 << 12;
    sendToManager(form, "_NET_MOVERESIZE_WINDOW",
                  {northWest | x | y | w | h | byUser, quint32(frame.x()), quint32(frame.y()),
                   quint32(frame.width() - m.left() - m.right()), quint32(frame.height() - m.top() - m.bottom())});
}

void userMaximises(QWidget& form, bool on)
{
    sendToManager(form, "_NET_WM_STATE",
                  {on ? 1u : 0u, atom("_NET_WM_STATE_MAXIMIZED_VERT"), atom("_NET_WM_STATE_MAXIMIZED_HORZ"), 2, 0});
}

// The smallest frame the window manager lets the form have: the minimum
// size the form asks for, with the frame's thickness.
QSize minimumFrame(QWidget& form)
{
    const QList<quint32> h = cardinals(xcb_window_t(form.winId()), "WM_NORMAL_HINTS", atom("WM_SIZE_HINTS"));
    constexpr quint32 minSizeGiven = 1 << 4;
    if (h.size() < 7 || !(h[0] & minSizeGiven))
        return {};
    const QMargins m = serverExtents(form);
    return QSize(int(h[5]) + m.left() + m.right(), int(h[6]) + m.top() + m.bottom());
}

// The window manager offers the user to maximise the form.
bool maximiseOffered(QWidget& form)
{
    const QList<quint32> a = cardinals(xcb_window_t(form.winId()), "_NET_WM_ALLOWED_ACTIONS", XCB_ATOM_ATOM);
    return a.contains(atom("_NET_WM_ACTION_MAXIMIZE_VERT")) && a.contains(atom("_NET_WM_ACTION_MAXIMIZE_HORZ"));
}

bool near(const QRect& a, const QRect& b)
{
    return qAbs(a.left() - b.left()) <= 1 && qAbs(a.top() - b.top()) <= 1 && qAbs(a.width() - b.width()) <= 1
        && qAbs(a.height() - b.height()) <= 1;
}

QString text(const QRect& r)
{
    return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QRect rectArg(const QString& s)
{
    const QStringList v = s.split(QLatin1Char(','));
    return v.size() == 4 ? QRect(v[0].toInt(), v[1].toInt(), v[2].toInt(), v[3].toInt()) : QRect();
}

// The toolkit has taken in what the server says of the window.
bool caughtUp(QWidget& form)
{
    QRect client;
    return serverFrame(form, &client) && form.geometry() == client;
}

// What the window manager is first given to frame: each top-level window's
// client size when the manager takes it into its frame, as listeners on the
// root window see it (a connection of its own, so nothing the toolkit does
// with the events can hide one). The manager chooses the frame from that
// size; what it does afterwards is its own.
class FirstMapWatch {
public:
    FirstMapWatch()
        : m_c(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_c))
            return;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c, xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root,
                                     XCB_CW_EVENT_MASK, &mask);
        // Applied before anything the program creates next.
        free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr));
    }
    ~FirstMapWatch() { xcb_disconnect(m_c); }
    FirstMapWatch(const FirstMapWatch&) = delete;
    FirstMapWatch& operator=(const FirstMapWatch&) = delete;

    // The client size `window` had when the manager first framed it; empty
    // until then.
    QSize firstFramed(xcb_window_t window)
    {
        while (xcb_generic_event_t* e = xcb_poll_for_event(m_c)) {
            switch (e->response_type & ~0x80) {
            case XCB_CREATE_NOTIFY: {
                const auto* c = reinterpret_cast<const xcb_create_notify_event_t*>(e);
                m_size[c->window] = QSize(c->width, c->height);
                break;
            }
            // While the window is the root's child: the sizes the program
            // asked for before the manager took it.
            case XCB_CONFIGURE_NOTIFY: {
                const auto* c = reinterpret_cast<const xcb_configure_notify_event_t*>(e);
                if (!m_first.contains(c->window))
                    m_size[c->window] = QSize(c->width, c->height);
                break;
            }
            case XCB_REPARENT_NOTIFY: {
                const auto* r = reinterpret_cast<const xcb_reparent_notify_event_t*>(e);
                if (!m_first.contains(r->window) && m_size.contains(r->window))
                    m_first[r->window] = m_size[r->window];
                break;
            }
            default:
                break;
            }
            free(e);
        }
        return m_first.value(window);
    }

private:
    xcb_connection_t* m_c;
    QHash<xcb_window_t, QSize> m_size, m_first;
};

// One program start: the globals as start-up makes them (the placement
// records read from the preferences folder), the main form created and shown,
// then STEPs one by one, each reported on a line of its own:
//   settle            the frame stays put for a second
//   expect=x,y,w,h    the frame comes to stand there (within a pixel)
//   expect-max        the form is maximised over the work area
//   place=x,y,w,h     the user moves and sizes the frame there
//   maximise|restore  the user maximises or restores it
//   first-map         the client size the manager was first given to frame,
//                     the frame's real thickness and the work area
//   exit              File > Exit; the stored record is reported
int oneStart(int argc, char** argv, const QStringList& steps)
{
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication app(argc, argv);
    FirstMapWatch firstMaps;
    formskit::FixLook();
    formskit::Globals globals;
    WMs->Load();
    WMs->Validate();
    WMs->SaveAll();
    UP->SetPromptOnExit(false);
    TUF_Main form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form, 30000))
        return 3;
    const QRect wa = QGuiApplication::primaryScreen()->availableGeometry();
    auto frame = [&form] { return serverFrame(form).value_or(QRect()); };
    auto report = [&](const QString& step, bool ok) {
        const QSize min = minimumFrame(form);
        std::printf("%s %s %s %d %s %d %d\n", qPrintable(step), ok ? "ok" : "timeout", qPrintable(text(frame())),
                    form.isMaximized() ? 1 : 0, maximiseOffered(form) ? "offered" : "refused", min.width(),
                    min.height());
        std::fflush(stdout);
    };
    // Whatever the window manager and the form still have to say arrives
    // within this, however loaded the machine.
    constexpr int kPatience = 15000;
    if (!QTest::qWaitFor([&] { return serverFrame(form).has_value(); }, kPatience))
        return 4;
    for (const QString& step : steps) {
        const QString verb = step.section(QLatin1Char('='), 0, 0);
        const QRect r = rectArg(step.section(QLatin1Char('='), 1));
        bool ok = true;
        if (verb == QLatin1String("settle")) {
            QRect last;
            QElapsedTimer still;
            ok = QTest::qWaitFor(
                [&] {
                    if (frame() != last || !caughtUp(form)) {
                        last = frame();
                        still.start();
                    }
                    return still.elapsed() >= 1000;
                },
                kPatience);
        } else if (verb == QLatin1String("expect")) {
            ok = QTest::qWaitFor([&] { return near(frame(), r) && !form.isMaximized(); }, kPatience);
        } else if (verb == QLatin1String("expect-max")) {
            ok = QTest::qWaitFor([&] { return form.isMaximized() && frame() == wa; }, kPatience);
        } else if (verb == QLatin1String("place")) {
            userPlaces(form, r);
            ok = QTest::qWaitFor([&] { return frame() == r && caughtUp(form); }, kPatience);
        } else if (verb == QLatin1String("maximise")) {
            userMaximises(form, true);
            ok = QTest::qWaitFor([&] { return form.isMaximized() && frame() == wa && caughtUp(form); }, kPatience);
        } else if (verb == QLatin1String("restore")) {
            userMaximises(form, false);
            ok = QTest::qWaitFor([&] { return !form.isMaximized() && frame() != wa && caughtUp(form); }, kPatience);
        } else if (verb == QLatin1String("first-map")) {
            QSize first;
            ok = QTest::qWaitFor([&] { return (first = firstMaps.firstFramed(xcb_window_t(form.winId()))).isValid(); },
                                 kPatience);
            const QMargins m = serverExtents(form);
            std::printf("first-map %d %d %d %d %d %d %s\n", first.width(), first.height(), m.left(), m.right(),
                        m.top(), m.bottom(), qPrintable(text(wa)));
            std::fflush(stdout);
            if (!ok)
                return 5;
            continue;
        } else if (verb == QLatin1String("exit")) {
            // What the user sees last stays a moment, as a user takes one.
            QTest::qWait(200);
            form.MI_File_Exit->trigger();
            ok = QTest::qWaitFor([&] { return !form.isVisible(); }, kPatience);
            const TzyWM& wm = WMs->getItems(wmMain);
            std::printf("record %d %d %d %d %d\n", wm.Left(), wm.Top(), wm.Width(), wm.Height(), wm.WindowSize());
            std::fflush(stdout);
            continue;
        } else {
            return 2;
        }
        report(verb, ok);
        if (verb == QLatin1String("settle") || verb == QLatin1String("expect") || verb == QLatin1String("restore")) {
            const QRect b = form.BBtn_Process->rect().translated(form.BBtn_Process->mapToGlobal(QPoint(0, 0)));
            std::printf("process %s\n", qPrintable(text(b)));
        }
    }
    return 0;
}

// ---- the starts, seen from the test -----------------------------------------

// What one start reported, by step.
struct StartReport {
    struct Step {
        QString verb;
        bool ok = false;
        QRect frame;
        bool maximised = false;
        bool offered = false;
        QSize minimum; // the smallest frame allowed
    };
    QList<Step> steps;
    QRect process;
    QList<int> record; // left, top, width, height, window size
    // The client size first given to the manager, the real frame's
    // thickness and the work area.
    QSize firstMapped;
    QMargins extents;
    QRect workArea;
    QString raw;

    const Step* step(const QString& verb) const
    {
        for (const Step& s : steps)
            if (s.verb == verb)
                return &s;
        return nullptr;
    }
};

class Starts {
public:
    explicit Starts(const WmDisplay& display)
        : m_display(display)
    {
    }

    bool ok() const { return m_prefs.isValid(); }

    // One start with these steps; an empty report when it failed.
    StartReport run(const QStringList& steps)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display.display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("FONTCONFIG_FILE"), m_display.fontConfig());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_prefs.path());
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--start")} + steps);
        StartReport r;
        if (!p.waitForFinished(240000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            p.kill();
            p.waitForFinished();
            r.raw = QStringLiteral("the start ended with %1: %2").arg(p.exitCode()).arg(QString::fromLocal8Bit(p.readAll()));
            return r;
        }
        r.raw = QString::fromLocal8Bit(p.readAllStandardOutput());
        for (const QString& line : r.raw.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList f = line.split(QLatin1Char(' '));
            if (f.value(0) == QLatin1String("record") && f.size() == 6) {
                for (int i = 1; i < 6; ++i)
                    r.record << f[i].toInt();
            } else if (f.value(0) == QLatin1String("first-map") && f.size() == 11) {
                r.firstMapped = QSize(f[1].toInt(), f[2].toInt());
                r.extents = QMargins(f[3].toInt(), f[5].toInt(), f[4].toInt(), f[6].toInt());
                r.workArea = QRect(f[7].toInt(), f[8].toInt(), f[9].toInt(), f[10].toInt());
            } else if (f.value(0) == QLatin1String("process") && f.size() == 5) {
                r.process = QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt());
            } else if (f.size() == 10) {
                r.steps << StartReport::Step{f[0], f[1] == QLatin1String("ok"),
                                             QRect(f[2].toInt(), f[3].toInt(), f[4].toInt(), f[5].toInt()),
                                             f[6] == QLatin1String("1"), f[7] == QLatin1String("offered"),
                                             QSize(f[8].toInt(), f[9].toInt())};
            }
        }
        return r;
    }

private:
    const WmDisplay& m_display;
    QTemporaryDir m_prefs;
};

const QRect kSmallScreen(0, 0, 800, 560);

QString smallScreenView(const StartReport& r, const StartReport::Step& s)
{
    return QStringLiteral("%1: frame %2, Process %3, minimum frame %4x%5%6")
        .arg(s.verb, text(s.frame), text(r.process))
        .arg(s.minimum.width())
        .arg(s.minimum.height())
        .arg(s.offered ? QString() : QStringLiteral(", no maximise offered"));
}

QString arg(const QString& verb, const QRect& r)
{
    return QStringLiteral("%1=%2,%3,%4,%5").arg(verb).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

class TestWmMainRestart : public QObject {
    Q_OBJECT
private:
    static void managers()
    {
        QTest::addColumn<int>("manager");
        QTest::newRow("openbox") << int(WmDisplay::Openbox);
        QTest::newRow("metacity") << int(WmDisplay::Metacity);
    }

private slots:
    // Five starts in a row with fresh preferences: moved (and once sized)
    // between them, the frame comes back each time where it was left, at its
    // size.
    void fiveStartsKeepTheFrame_data() { managers(); }
    void fiveStartsKeepTheFrame()
    {
        QFETCH(int, manager);
        WmDisplay display(QSize(1280, 1024), WmDisplay::Manager(manager));
        QVERIFY(display.ok());
        Starts starts(display);
        QVERIFY(starts.ok());

        const StartReport first = starts.run({QStringLiteral("settle"), QStringLiteral("exit")});
        const StartReport::Step* s = first.step(QStringLiteral("settle"));
        QVERIFY2(s && s->ok, qPrintable(first.raw));
        QSize size = s->frame.size();
        const QList<QRect> left{QRect(QPoint(290, 200), size), QRect(QPoint(120, 60), size),
                                QRect(QPoint(400, 250), size + QSize(60, 40)), QRect(QPoint(50, 300), size + QSize(60, 40))};
        std::optional<QRect> wanted;
        QStringList seen;
        for (int start = 0; start < 5; ++start) {
            QStringList steps;
            if (wanted)
                steps << arg(QStringLiteral("expect"), *wanted);
            if (start < left.size())
                steps << arg(QStringLiteral("place"), left[start]);
            steps << QStringLiteral("exit");
            const StartReport r = starts.run(steps);
            if (wanted) {
                const StartReport::Step* e = r.step(QStringLiteral("expect"));
                QVERIFY2(e, qPrintable(r.raw));
                seen << QStringLiteral("start %1: left %2, came back %3").arg(start + 1).arg(text(*wanted), text(e->frame));
                QVERIFY2(e->ok, qPrintable(seen.join(QStringLiteral("; "))));
            }
            if (start < left.size()) {
                const StartReport::Step* p = r.step(QStringLiteral("place"));
                QVERIFY2(p && p->ok, qPrintable(r.raw));
                wanted = left[start];
            }
            // The record holds the frame where it was left.
            QCOMPARE(r.record.size(), 5);
            QCOMPARE(QRect(r.record[0], r.record[1], r.record[2], r.record[3]), *wanted);
            QCOMPARE(r.record[4], 0);
        }
    }

    // Closed maximised, the form opens maximised at the next start, and
    // Restore puts it back where it stood before it was maximised, at its
    // size; the start after that finds it there.
    void closedMaximisedComesBackMaximised_data() { managers(); }
    void closedMaximisedComesBackMaximised()
    {
        QFETCH(int, manager);
        WmDisplay display(QSize(1280, 1024), WmDisplay::Manager(manager));
        QVERIFY(display.ok());
        Starts starts(display);
        QVERIFY(starts.ok());

        const StartReport first = starts.run({QStringLiteral("settle"), QStringLiteral("exit")});
        const StartReport::Step* s = first.step(QStringLiteral("settle"));
        QVERIFY2(s && s->ok, qPrintable(first.raw));
        const QRect normal(QPoint(290, 180), s->frame.size() + QSize(20, 10));

        const StartReport closed = starts.run({arg(QStringLiteral("place"), normal), QStringLiteral("maximise"),
                                               QStringLiteral("exit")});
        QVERIFY2(closed.step(QStringLiteral("maximise")) && closed.step(QStringLiteral("maximise"))->ok,
                 qPrintable(closed.raw));
        QCOMPARE(closed.record.size(), 5);
        QCOMPARE(QRect(closed.record[0], closed.record[1], closed.record[2], closed.record[3]), normal);
        QCOMPARE(closed.record[4], 1);

        const StartReport again = starts.run({QStringLiteral("expect-max"), QStringLiteral("restore"),
                                              arg(QStringLiteral("expect"), normal), QStringLiteral("exit")});
        const StartReport::Step* max = again.step(QStringLiteral("expect-max"));
        QVERIFY2(max && max->ok, qPrintable(again.raw));
        const StartReport::Step* back = again.step(QStringLiteral("expect"));
        QVERIFY2(back && back->ok, qPrintable(QStringLiteral("restored to %1, not %2").arg(back ? text(back->frame) : QString(), text(normal))));
        QCOMPARE(QRect(again.record[0], again.record[1], again.record[2], again.record[3]), normal);
        QCOMPARE(again.record[4], 0);

        const StartReport last = starts.run({arg(QStringLiteral("expect"), normal), QStringLiteral("exit")});
        QVERIFY2(last.step(QStringLiteral("expect")) && last.step(QStringLiteral("expect"))->ok, qPrintable(last.raw));
    }

    // On an 800 x 560 screen, whose work area is lower than the form's
    // minimum: the form's minimum, frame included, leaves the work area room
    // (a manager offers no maximise to a window whose minimum fills it), the
    // manager offers to maximise it, and the whole frame is on the screen.
    void smallScreenLeavesRoomToMaximise_data() { managers(); }
    void smallScreenLeavesRoomToMaximise()
    {
        QFETCH(int, manager);
        WmDisplay display(kSmallScreen.size(), WmDisplay::Manager(manager));
        QVERIFY(display.ok());
        Starts starts(display);
        QVERIFY(starts.ok());
        const StartReport r = starts.run({QStringLiteral("settle"), QStringLiteral("exit")});
        const StartReport::Step* s = r.step(QStringLiteral("settle"));
        QVERIFY2(s && s->ok, qPrintable(r.raw));
        QVERIFY2(s->minimum.width() < kSmallScreen.width() && s->minimum.height() < kSmallScreen.height(),
                 qPrintable(smallScreenView(r, *s)));
        QVERIFY2(s->offered, qPrintable(smallScreenView(r, *s)));
        QVERIFY2(kSmallScreen.contains(s->frame) && kSmallScreen.contains(r.process), qPrintable(smallScreenView(r, *s)));
    }

    // On the same screen, at a first start and at the start after it (the
    // record then holds a frame as tall as the work area): the client size
    // the window manager is first given to frame, with the frame's real
    // thickness, fits the work area. A window framed past the work area at
    // its first map may be left there (one manager kept it so, marked
    // maximised, its status bar below the screen).
    void smallScreenFirstMapAllowsForTheFrame_data() { managers(); }
    void smallScreenFirstMapAllowsForTheFrame()
    {
        QFETCH(int, manager);
        WmDisplay display(kSmallScreen.size(), WmDisplay::Manager(manager));
        QVERIFY(display.ok());
        Starts starts(display);
        QVERIFY(starts.ok());
        for (int start = 1; start <= 2; ++start) {
            const StartReport r = starts.run({QStringLiteral("first-map"), QStringLiteral("settle"), QStringLiteral("exit")});
            QVERIFY2(r.firstMapped.isValid() && !r.extents.isNull() && r.workArea.isValid(), qPrintable(r.raw));
            const QSize framed = r.firstMapped.grownBy(r.extents);
            const QString view = QStringLiteral("start %1: first mapped %2x%3, frame %4,%5,%6,%7 (l,r,t,b): %8x%9 on a work area of %10x%11")
                                     .arg(start)
                                     .arg(r.firstMapped.width())
                                     .arg(r.firstMapped.height())
                                     .arg(r.extents.left())
                                     .arg(r.extents.right())
                                     .arg(r.extents.top())
                                     .arg(r.extents.bottom())
                                     .arg(framed.width())
                                     .arg(framed.height())
                                     .arg(r.workArea.width())
                                     .arg(r.workArea.height());
            QVERIFY2(framed.width() <= r.workArea.width() && framed.height() <= r.workArea.height(), qPrintable(view));
            // Fitted to its real frame, the form fills the work area's height.
            const StartReport::Step* s = r.step(QStringLiteral("settle"));
            QVERIFY2(s && s->ok, qPrintable(r.raw));
            QVERIFY2(kSmallScreen.contains(s->frame) && kSmallScreen.contains(r.process), qPrintable(smallScreenView(r, *s)));
            QCOMPARE(s->frame.height(), r.workArea.height());
        }
    }

    // On the same screen, the form maximised (as when the user drags its
    // title bar to the top edge) and closed comes back maximised at the next
    // start; restored, and at every start after, the whole frame and the
    // Process button are on the screen.
    void smallScreenClosedMaximisedComesBackMaximised_data() { managers(); }
    void smallScreenClosedMaximisedComesBackMaximised()
    {
        QFETCH(int, manager);
        WmDisplay display(kSmallScreen.size(), WmDisplay::Manager(manager));
        QVERIFY(display.ok());
        Starts starts(display);
        QVERIFY(starts.ok());
        for (int round = 1; round <= 2; ++round) {
            const StartReport r = starts.run({QStringLiteral("settle"), QStringLiteral("maximise"), QStringLiteral("exit")});
            const StartReport::Step* s = r.step(QStringLiteral("settle"));
            QVERIFY2(s && s->ok, qPrintable(r.raw));
            QVERIFY2(kSmallScreen.contains(s->frame) && kSmallScreen.contains(r.process), qPrintable(smallScreenView(r, *s)));
            QVERIFY2(r.step(QStringLiteral("maximise")) && r.step(QStringLiteral("maximise"))->ok, qPrintable(r.raw));
            QCOMPARE(r.record.value(4), 1);

            const StartReport back = starts.run({QStringLiteral("expect-max"), QStringLiteral("restore"),
                                                 QStringLiteral("settle"), QStringLiteral("exit")});
            QVERIFY2(back.step(QStringLiteral("expect-max")) && back.step(QStringLiteral("expect-max"))->ok,
                     qPrintable(back.raw));
            QVERIFY2(back.step(QStringLiteral("restore")) && back.step(QStringLiteral("restore"))->ok, qPrintable(back.raw));
            const StartReport::Step* restored = back.step(QStringLiteral("settle"));
            QVERIFY2(restored && restored->ok, qPrintable(back.raw));
            QVERIFY2(kSmallScreen.contains(restored->frame) && kSmallScreen.contains(back.process),
                     qPrintable(smallScreenView(back, *restored)));
        }
    }
};

int main(int argc, char** argv)
{
    const QStringList args = [&] {
        QStringList a;
        for (int i = 1; i < argc; ++i)
            a << QString::fromLocal8Bit(argv[i]);
        return a;
    }();
    if (args.value(0) == QLatin1String("--start"))
        return oneStart(1, argv, args.mid(1));
    QCoreApplication app(argc, argv);
    TestWmMainRestart tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_wm_main_restart.moc"
