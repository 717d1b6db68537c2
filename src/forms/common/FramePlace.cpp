#include "FramePlace.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QList>
#include <QMoveEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>

#ifdef ZOL_FRAME_XCB
#include <xcb/xcb.h>
#endif

namespace {
QMargins g_lastSeen;

// A frame thicker than the title bars and borders window managers draw at
// the desktop's font.
QMargins cautiousFrame()
{
    const int line = QFontMetrics(QApplication::font()).height();
    return QMargins(line / 2, 3 * line, line / 2, line / 2);
}

// Only X11 has a window manager that frames the windows apart from them.
bool managerFrames()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

#ifdef ZOL_FRAME_XCB
xcb_connection_t* x11Connection()
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t internAtom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
}

// The atom of the property in which the window manager publishes a frame's
// thickness.
xcb_atom_t frameExtentsAtom()
{
    static const xcb_atom_t a = [] {
        xcb_connection_t* c = x11Connection();
        return c ? internAtom(c, "_NET_FRAME_EXTENTS") : xcb_atom_t(XCB_ATOM_NONE);
    }();
    return a;
}
#endif

// A pointer button is held: the user drags the frame. The window manager
// holds the pointer then, so only the server can tell.
bool pointerButtonHeld()
{
#ifdef ZOL_FRAME_XCB
    xcb_connection_t* c = x11Connection();
    if (!c)
        return false;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen)
        return false;
    xcb_query_pointer_reply_t* r = xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), nullptr);
    if (!r)
        return false;
    const bool held = r->mask & (XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3);
    free(r);
    return held;
#else
    return false;
#endif
}
} // namespace

// The window manager frames a window and reports its frame through window
// properties and configure notifications that Qt takes in without telling the
// widget. Each of them makes the form's thickness be read again, the form
// still settling look again, and a settled form whose frame alone changed fit
// again, once Qt has taken it in.
class FrameWatch : public QAbstractNativeEventFilter {
#ifdef ZOL_FRAME_XCB
    // The toolkit takes a new frame thickness in only at the window's next
    // move: until then every window's frameGeometry() (the fixed forms and
    // message boxes place themselves by it) would keep the old one. An
    // unmoved move has it read the thickness again, once the toolkit has
    // seen the change itself.
    static void refreshToolkitFrame(xcb_window_t window)
    {
        QMetaObject::invokeMethod(
            qApp,
            [window] {
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (!w->testAttribute(Qt::WA_WState_Created) || w->internalWinId() != window
                        || !w->windowHandle())
                        continue;
                    QWindow* handle = w->windowHandle();
                    QMoveEvent still(handle->position(), handle->position());
                    QCoreApplication::sendEvent(handle, &still);
                }
            },
            Qt::QueuedConnection);
    }

    // While the window manager moves or sizes a window for the user (a drag
    // of its title bar or border, or a move or size by the keyboard) it holds
    // the keyboard: the focused window is told when the grab starts and
    // ends. Whatever else may hold the keyboard moves no window meanwhile.
    void inputGrab(const xcb_focus_in_event_t* ev, bool in)
    {
        if (ev->detail == XCB_NOTIFY_DETAIL_POINTER)
            return;
        const bool grab = !in && (ev->mode == XCB_NOTIFY_MODE_GRAB || ev->mode == XCB_NOTIFY_MODE_WHILE_GRABBED);
        const bool release = in || ev->mode == XCB_NOTIFY_MODE_NORMAL;
        for (FramePlace* p : std::as_const(places))
            if (p->m_form->internalWinId() == ev->event && (grab || release))
                p->ManagerInput(grab);
    }
#endif

public:
    static FrameWatch& instance()
    {
        static FrameWatch* w = [] {
            auto* f = new FrameWatch;
            QCoreApplication::instance()->installNativeEventFilter(f);
            return f;
        }();
        return *w;
    }
    QList<FramePlace*> places;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
#ifdef ZOL_FRAME_XCB
        if (type != QByteArrayLiteral("xcb_generic_event_t"))
            return false;
        const auto* ev = static_cast<const xcb_generic_event_t*>(message);
        xcb_window_t window = 0;
        switch (ev->response_type & ~0x80) {
        case XCB_PROPERTY_NOTIFY:
            window = reinterpret_cast<const xcb_property_notify_event_t*>(ev)->window;
            if (reinterpret_cast<const xcb_property_notify_event_t*>(ev)->atom == frameExtentsAtom())
                refreshToolkitFrame(window);
            break;
        case XCB_CONFIGURE_NOTIFY:
            window = reinterpret_cast<const xcb_configure_notify_event_t*>(ev)->window;
            for (FramePlace* p : std::as_const(places))
                if (p->m_form->internalWinId() == window)
                    p->ManagerConfigured(reinterpret_cast<const xcb_configure_notify_event_t*>(ev));
            break;
        case XCB_REPARENT_NOTIFY:
            window = reinterpret_cast<const xcb_reparent_notify_event_t*>(ev)->window;
            break;
        case XCB_MAP_NOTIFY:
            window = reinterpret_cast<const xcb_map_notify_event_t*>(ev)->window;
            break;
        case XCB_FOCUS_IN:
        case XCB_FOCUS_OUT:
            inputGrab(reinterpret_cast<const xcb_focus_in_event_t*>(ev), (ev->response_type & ~0x80) == XCB_FOCUS_IN);
            return false;
        default:
            return false;
        }
        for (FramePlace* p : std::as_const(places)) {
            if (p->m_form->internalWinId() != window)
                continue;
            p->m_publishedRead = false;
            if (!p->m_settled)
                QMetaObject::invokeMethod(p, [p] { p->check(); }, Qt::QueuedConnection);
            else if (p->m_decorated)
                QMetaObject::invokeMethod(p, [p] { p->refit(); }, Qt::QueuedConnection);
        }
#else
        Q_UNUSED(type);
        Q_UNUSED(message);
#endif
        return false;
    }
};

FramePlace::FramePlace(QWidget* form)
    : QObject(form)
    , m_form(form)
{
    setObjectName(QStringLiteral("FramePlace"));
    form->installEventFilter(this);
    if (managerFrames())
        FrameWatch::instance().places << this;
}

FramePlace::~FramePlace()
{
    if (managerFrames())
        FrameWatch::instance().places.removeAll(this);
}

FramePlace& FramePlace::Of(QWidget* form)
{
    if (auto* p = form->findChild<FramePlace*>(QStringLiteral("FramePlace"), Qt::FindDirectChildrenOnly))
        return *p;
    return *new FramePlace(form);
}

#ifdef ZOL_FRAME_XCB
namespace {
// The frame's thickness as the window manager published it on the window,
// read from the server itself: the toolkit's copy can stay at what it read
// before the window was framed.
std::optional<QMargins> publishedFrame(QWidget* form)
{
    xcb_connection_t* c = x11Connection();
    if (!c || !form->testAttribute(Qt::WA_WState_Created))
        return std::nullopt;
    const xcb_atom_t extents = frameExtentsAtom();
    if (extents == XCB_ATOM_NONE)
        return std::nullopt;
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, xcb_window_t(form->internalWinId()), extents, XCB_ATOM_CARDINAL, 0, 4), nullptr);
    std::optional<QMargins> m;
    if (r && r->type == XCB_ATOM_CARDINAL && r->format == 32 && xcb_get_property_value_length(r) == 16) {
        const auto* v = static_cast<const quint32*>(xcb_get_property_value(r));
        // left, right, top, bottom
        m = QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
    }
    free(r);
    return m;
}
// The window manager says it publishes the frame's thickness on the windows
// it frames. Asked again until it does: a manager started after the program
// says so only then.
bool managerPublishesFrames()
{
    static bool says = false;
    if (says)
        return true;
    xcb_connection_t* c = x11Connection();
    if (!c)
        return false;
    static const xcb_atom_t supported = internAtom(c, "_NET_SUPPORTED");
    const xcb_atom_t extents = frameExtentsAtom();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen || supported == XCB_ATOM_NONE || extents == XCB_ATOM_NONE)
        return false;
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, screen->root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr);
    if (r && r->type == XCB_ATOM_ATOM && r->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(r));
        const int n = xcb_get_property_value_length(r) / 4;
        says = std::find(atoms, atoms + n, extents) != atoms + n;
    }
    free(r);
    return says;
}
} // namespace
#endif

QMargins FramePlace::Seen() const
{
    if (!m_form->isVisible())
        return {};
#ifdef ZOL_FRAME_XCB
    if (managerFrames()) {
        if (!m_publishedRead) {
            m_published = publishedFrame(m_form);
            m_publishedRead = m_form->testAttribute(Qt::WA_WState_Created);
        }
        if (m_published)
            return *m_published;
        // Until the manager publishes it the thickness is not known: the
        // toolkit's frame may stand half placed meanwhile.
        if (managerPublishesFrames())
            return {};
    }
#endif
    const QRect f = m_form->frameGeometry();
    const QRect g = m_form->geometry();
    const QMargins m(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
    // While a resize is on its way the toolkit may hold the new client size
    // with the old frame: such a frame says nothing of its thickness.
    const bool whole = m.left() >= 0 && m.top() >= 0 && m.right() >= 0 && m.bottom() >= 0;
    return whole ? m : QMargins();
}

QMargins FramePlace::Margins() const
{
    const QMargins m = Seen();
    if (!m.isNull())
        g_lastSeen = m;
    if (!m.isNull())
        return m;
    return m_guessed.isNull() ? g_lastSeen : m_guessed;
}

void FramePlace::CountOnFrame()
{
#ifdef ZOL_FRAME_XCB
    if (!m_decorated && g_lastSeen.isNull() && managerFrames() && managerPublishesFrames())
        m_guessed = cautiousFrame();
#endif
}

QSize FramePlace::Extra() const
{
    const QMargins m = Margins();
    return QSize(m.left() + m.right(), m.top() + m.bottom());
}

QRect FramePlace::Frame() const
{
    return m_form->geometry().marginsAdded(Margins());
}

QRect FramePlace::NormalFrame() const
{
    if (m_form->isMaximized() || m_form->isMinimized()) {
        if (m_normal.isValid())
            return m_normal;
        // The toolkit's normal bounds lie inside the maximised frame's
        // thickness, not the normal one's: only a last resort.
        const QRect n = m_form->normalGeometry();
        if (n.isValid())
            return n.marginsAdded(Margins());
        if (m_wanted.isValid())
            return m_wanted;
    }
    return Frame();
}

void FramePlace::RestoreNormal()
{
    if (!m_normal.isValid() || m_form->isMaximized() || m_form->isMinimized())
        return;
    // The manager may publish the restored frame's thickness only after the
    // state: the client area goes inside the thickness the frame had when
    // it was last seen in the normal state.
    if (m_normalMargins.isNull())
        return Set(m_normal);
    m_wanted = m_normal;
    m_used = m_normalMargins;
    const QRect client = m_wanted.marginsRemoved(m_used);
    if (m_form->geometry() != client)
        m_form->setGeometry(client);
}

void FramePlace::Maximise()
{
    bool now = !managerFrames() || Decorated();
#ifdef ZOL_FRAME_XCB
    // A manager that publishes no frame is never seen to frame the window.
    now = now || !managerPublishesFrames();
#endif
    m_maximiseWhenFramed = !now;
    if (now)
        m_form->setWindowState(m_form->windowState() | Qt::WindowMaximized);
}

void FramePlace::NoteNormal()
{
    if (m_noteQueued)
        return;
    m_noteQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_noteQueued = false;
            NormalNow();
        },
        Qt::QueuedConnection);
}

void FramePlace::NormalNow()
{
    if (m_settled && m_form->isVisible() && !m_form->isMaximized() && !m_form->isMinimized()
        && !m_maximiseWhenFramed) {
        m_normal = Frame();
        m_normalMargins = Seen();
    }
}

bool FramePlace::Decorated() const
{
    return !Seen().isNull();
}

void FramePlace::Set(const QRect& frame)
{
    // Placed by the program: where the user left it is past.
    m_userPlaces.clear();
    m_wanted = frame;
    if (!m_form->isMaximized() && !m_form->isMinimized())
        m_normal = frame;
    apply();
}

void FramePlace::apply()
{
    m_used = Margins();
    const QRect client = m_wanted.marginsRemoved(m_used);
    if (m_form->geometry() != client)
        m_form->setGeometry(client);
}

bool FramePlace::OwnPosition() const
{
    return !Decorated() || !m_wanted.isValid() || Frame().topLeft() == m_wanted.topLeft();
}

bool FramePlace::OwnSize() const
{
    return !Decorated() || !m_wanted.isValid() || Frame().size() == m_wanted.size();
}

void FramePlace::check()
{
    // On the screen, the window has a frame of none published: what was
    // placed for a frame counted on goes where it was meant to.
    if (!m_guessed.isNull() && m_exposed && m_form->isVisible() && !Decorated() && m_published) {
        m_guessed = QMargins();
        if (m_wanted.isValid() && !m_form->isMaximized() && !m_form->isMinimized()) {
            if (onDecorated)
                onDecorated();
            else
                apply();
        }
    }
    if (!m_decorated && Decorated()) {
        m_decorated = true;
        m_guessed = QMargins();
        // The frame is known now: what was placed with a guessed frame
        // goes where it was meant to, fitted again.
        if (Margins() != m_used && m_wanted.isValid() && !m_form->isMaximized() && !m_form->isMinimized()) {
            if (onDecorated)
                onDecorated();
            else
                apply();
        }
    }
    // Without a window manager nobody but the program moves a shown window.
    if (m_settled || !m_form->isVisible() || (managerFrames() && (!m_exposed || !Decorated())))
        return;
    m_settled = true;
    KeepPlace();
    NoteNormal();
    // Only a window the manager has mapped is maximised by asking it (the
    // toolkit would write the state on the window itself before), and not
    // from inside the toolkit's handling of the window's events.
    if (m_maximiseWhenFramed)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_maximiseWhenFramed)
                    return;
                m_maximiseWhenFramed = false;
                m_form->setWindowState(m_form->windowState() | Qt::WindowMaximized);
            },
            Qt::QueuedConnection);
}

void FramePlace::refit()
{
    // The frame's thickness changed round a client area still of the size it
    // was given (a maximised frame has no borders, the restored one has them
    // again): the frame goes back where it was wanted.
    if (!m_decorated || !m_form->isVisible() || m_form->isMaximized() || m_form->isMinimized() || !m_wanted.isValid()
        || m_form->size() != m_wanted.marginsRemoved(m_used).size())
        return;
    const QMargins seen = Seen();
    if (!seen.isNull() && seen != m_used) {
        if (onDecorated)
            onDecorated();
        else
            apply();
    }
}

bool FramePlace::ByUser() const
{
    return m_settled && (!managerFrames() || m_userPlaces.contains(m_form->geometry()) || pointerButtonHeld());
}

void FramePlace::NoteUserPlace(const QRect& client)
{
    if (m_userPlaces.isEmpty() || m_userPlaces.last() != client)
        m_userPlaces << client;
}

#ifdef ZOL_FRAME_XCB
void FramePlace::ManagerInput(bool held)
{
    const bool wasHeld = m_managerInput;
    m_managerInput = held;
    if (held || !wasHeld || !m_settled || !m_form->isVisible())
        return;
    // Where the window stands now is where the manager's grab left it; the
    // report of it may follow only now.
    xcb_connection_t* c = x11Connection();
    const xcb_window_t w = xcb_window_t(m_form->internalWinId());
    const xcb_screen_t* screen = c ? xcb_setup_roots_iterator(xcb_get_setup(c)).data : nullptr;
    if (!screen)
        return;
    const xcb_translate_coordinates_cookie_t at = xcb_translate_coordinates(c, w, screen->root, 0, 0);
    const xcb_get_geometry_cookie_t size = xcb_get_geometry(c, w);
    xcb_translate_coordinates_reply_t* a = xcb_translate_coordinates_reply(c, at, nullptr);
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, size, nullptr);
    if (a && g && a->same_screen)
        NoteUserPlace(QRect(a->dst_x, a->dst_y, g->width, g->height));
    free(a);
    free(g);
}

void FramePlace::ManagerConfigured(const xcb_configure_notify_event_t* ev)
{
    if (!m_managerInput)
        return;
    // The manager's report gives the place on the screen; the server's own
    // one only the place in the frame.
    if (ev->response_type & 0x80) {
        NoteUserPlace(QRect(ev->x, ev->y, ev->width, ev->height));
        return;
    }
    xcb_connection_t* c = x11Connection();
    const xcb_screen_t* screen = c ? xcb_setup_roots_iterator(xcb_get_setup(c)).data : nullptr;
    if (!screen)
        return;
    xcb_translate_coordinates_reply_t* a = xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, ev->window, screen->root, 0, 0), nullptr);
    if (a && a->same_screen)
        NoteUserPlace(QRect(a->dst_x, a->dst_y, ev->width, ev->height));
    free(a);
}
#endif

void FramePlace::KeepPlace()
{
    // What the window manager moved on its own (while mapping the window, or
    // applying its hints again) goes back where it was put; a few times a
    // showing, so a manager that insists keeps the last word.
    if (!keepPlace || !m_wanted.isValid() || m_form->isMaximized() || m_form->isMinimized() || Frame() == m_wanted
        || m_kept >= 4)
        return;
    ++m_kept;
    apply();
}

bool FramePlace::eventFilter(QObject* o, QEvent* e)
{
    // The window manager's frame shows first when the window is exposed or
    // activated; the widget itself sees no event of it.
    if (o == m_form && (e->type() == QEvent::Show || e->type() == QEvent::Hide)) {
        m_publishedRead = false;
        m_exposed = false;
        m_settled = false;
        m_kept = 0;
        m_managerInput = false;
        m_userPlaces.clear();
    }
    if (o == m_form && e->type() == QEvent::Show && m_form->windowHandle())
        m_form->windowHandle()->installEventFilter(this);
    if (o != m_form && e->type() == QEvent::Expose && m_form->windowHandle() && m_form->windowHandle()->isExposed())
        m_exposed = true;
    if (o == m_form && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) {
        m_userMoved = m_userSized = false;
        if (m_settled && m_form->isVisible() && m_wanted.isValid() && ByUser()) {
            const QRect f = Frame();
            m_userMoved = f.topLeft() != m_wanted.topLeft();
            m_userSized = f.size() != m_wanted.size();
            // The last place the user left it has been taken in.
            if (!m_managerInput && !m_userPlaces.isEmpty() && m_userPlaces.last() == m_form->geometry())
                m_userPlaces.clear();
            // Kept in place, the frame stays where the user left it.
            if (keepPlace && (m_userMoved || m_userSized))
                m_wanted = f;
        }
    }
    if (o == m_form && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) {
        refit();
        // The program's own change is taken at once; the window manager's
        // once its state has been seen too.
        if (m_settled && e->spontaneous())
            NoteNormal();
        else if (m_settled)
            NormalNow();
    }
    if ((!m_decorated || !m_settled)
        && (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show
            || e->type() == QEvent::Expose || e->type() == QEvent::ActivationChange))
        check();
    else if (o == m_form && managerFrames() && (e->type() == QEvent::Move || e->type() == QEvent::Resize)
             && m_form->isVisible() && !m_userMoved && !m_userSized)
        KeepPlace();
    return QObject::eventFilter(o, e);
}
