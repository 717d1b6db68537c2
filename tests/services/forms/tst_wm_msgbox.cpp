// The message boxes and the progress form under a real window manager (a
// private Xvfb display with openbox, or with metacity where built so). Each
// asks for a dialog with a title and a close box and neither minimise nor
// maximise; the manager offers close and no maximise and, where it follows
// the request, no minimise; the title shows whole as the manager draws it;
// and a box the manager minimises all the same takes its owner along instead
// of leaving the owner blocked on screen.
#include "StdDlg.h"
#include "TaskbarProgress.h"
#include "UF_Progress.h"
#include "UF_StdDlg.h"
#include "Utils.h"
#include "WmDisplay.h"
#include "zyAD.h"
#include "zyUIL.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QScreen>
#include <QStyleFactory>
#include <QtTest>

#include <xcb/xcb.h>

namespace {

constexpr int kWait = 20000;

struct NoTaskbar : ITaskbarProgress {
    void SetProgressValue(int, int) override {}
    void SetNoProgress() override {}
};

// The X server as the manager leaves it, read over the program's own link.
class X {
public:
    X() : m_c(qApp->nativeInterface<QNativeInterface::QX11Application>()->connection()) {}

    xcb_atom_t atom(const char* name) const
    {
        xcb_intern_atom_reply_t* r =
            xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(r);
        return a;
    }
    // A property of 32-bit items (atoms, cardinals, Motif hints).
    QList<uint32_t> words(WId window, const char* property) const
    {
        QList<uint32_t> out;
        xcb_get_property_reply_t* r = xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, xcb_window_t(window), atom(property), XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
            nullptr);
        if (r && r->format == 32) {
            const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(r));
            out = QList<uint32_t>(v, v + xcb_get_property_value_length(r) / 4);
        }
        std::free(r);
        return out;
    }
    bool has(WId window, const char* property, const char* value) const
    {
        return words(window, property).contains(atom(value));
    }
    // Where the server has a window, and the manager's frame around it.
    QRect client(WId window) const
    {
        QRect r;
        xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, xcb_window_t(window)), nullptr);
        xcb_translate_coordinates_reply_t* t = xcb_translate_coordinates_reply(
            m_c, xcb_translate_coordinates(m_c, xcb_window_t(window), root(), 0, 0), nullptr);
        if (g && t)
            r = QRect(t->dst_x, t->dst_y, g->width, g->height);
        std::free(g);
        std::free(t);
        return r;
    }
    QRect frame(WId window) const
    {
        xcb_window_t w = xcb_window_t(window);
        for (;;) {
            xcb_query_tree_reply_t* t = xcb_query_tree_reply(m_c, xcb_query_tree(m_c, w), nullptr);
            if (!t)
                return {};
            const xcb_window_t parent = t->parent;
            std::free(t);
            if (parent == root() || parent == XCB_WINDOW_NONE)
                break;
            w = parent;
        }
        return client(w);
    }
    bool iconic(WId window) const
    {
        const QList<uint32_t> state = words(window, "WM_STATE");
        return !state.isEmpty() && state.first() == 3;
    }
    // A client message to the root window, as a pager or a taskbar sends one.
    void ask(WId window, const char* type, uint32_t d0, uint32_t d1 = 0) const
    {
        xcb_client_message_event_t e{};
        e.response_type = XCB_CLIENT_MESSAGE;
        e.format = 32;
        e.window = xcb_window_t(window);
        e.type = atom(type);
        e.data.data32[0] = d0;
        e.data.data32[1] = d1;
        xcb_send_event(m_c, 0, root(), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&e));
        xcb_flush(m_c);
    }

private:
    xcb_window_t root() const { return xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root; }
    xcb_connection_t* m_c;
};

// Motif hints: flags, functions, decorations.
enum : uint32_t {
    MwmFunctions = 1, MwmDecorations = 2,
    FuncMove = 4, FuncMinimize = 8, FuncMaximize = 16, FuncClose = 32,
    DecorBorder = 2, DecorTitle = 8, DecorMinimize = 32, DecorMaximize = 64,
};

// The title bar as the manager draws it, reduced to ink: per row, whatever
// differs from the row's own background.
struct TitleInk {
    int width = 0, height = 0;
    int left = 0; // where a title cut from a bar began in it
    QList<bool> ink;
    bool at(int x, int y) const { return ink[y * width + x]; }

    static TitleInk Of(const X& x, QWidget* w)
    {
        const QRect f = x.frame(w->winId());
        const QImage img = QGuiApplication::primaryScreen()
                               ->grabWindow(0, f.x(), f.y(), f.width(), x.client(w->winId()).top() - f.top())
                               .toImage()
                               .convertToFormat(QImage::Format_RGB32);
        TitleInk t;
        t.width = img.width();
        t.height = img.height();
        t.ink.resize(qsizetype(t.width) * t.height);
        for (int y = 0; y < t.height; ++y) {
            QHash<QRgb, int> count;
            for (int x = 0; x < t.width; ++x)
                ++count[img.pixel(x, y)];
            QRgb bg = 0;
            int most = -1;
            for (auto it = count.cbegin(); it != count.cend(); ++it)
                if (it.value() > most)
                    most = it.value(), bg = it.key();
            for (int x = 0; x < t.width; ++x) {
                const QRgb p = img.pixel(x, y);
                t.ink[y * t.width + x] = std::abs(qRed(p) - qRed(bg)) + std::abs(qGreen(p) - qGreen(bg))
                                             + std::abs(qBlue(p) - qBlue(bg))
                                         > 60;
            }
        }
        return t;
    }
    bool column(int x) const
    {
        for (int y = 0; y < height; ++y)
            if (at(x, y))
                return true;
        return false;
    }
    // In a bar far wider than its title: the widest run of inked columns
    // whose gaps stay narrower than the space between a title and a button.
    TitleInk Title() const
    {
        int best0 = 0, best1 = -1;
        for (int x = 6; x < width - 6;) {
            if (!column(x)) {
                ++x;
                continue;
            }
            int end = x, gap = 0;
            for (int c = x; c < width - 6 && gap < 12; ++c) {
                if (column(c))
                    end = c, gap = 0;
                else
                    ++gap;
            }
            if (end - x > best1 - best0)
                best0 = x, best1 = end;
            x = end + 1;
        }
        TitleInk t;
        t.left = best0;
        t.width = best1 - best0 + 1;
        t.height = height;
        for (int y = 0; y < height; ++y)
            for (int x = best0; x <= best1; ++x)
                t.ink << at(x, y);
        return t;
    }
    // The title appears somewhere in this bar, glyph for glyph.
    bool Shows(const TitleInk& title) const
    {
        if (title.width <= 0 || title.height != height)
            return false;
        for (int x0 = 0; x0 + title.width <= width; ++x0) {
            bool same = true;
            for (int y = 0; same && y < height; ++y)
                for (int x = 0; same && x < title.width; ++x)
                    same = at(x0 + x, y) == title.at(x, y);
            if (same)
                return true;
        }
        return false;
    }
    bool operator==(const TitleInk& o) const { return width == o.width && height == o.height && ink == o.ink; }
};

} // namespace

class TestWmMsgBox : public QObject {
    Q_OBJECT
    X x;
    // The window a box belongs to: the main form's stand-in.
    QMainWindow owner;

    // Shown, framed and active, as the server has it (the toolkit's own idea
    // of the frame may lag behind a window shown again).
    bool framed(QWidget* w) const
    {
        const WId id = w->winId();
        return w->isVisible() && x.frame(id).height() > x.client(id).height()
               && !x.words(id, "_NET_WM_ALLOWED_ACTIONS").isEmpty();
    }
    void waitFramedAndActive(QWidget* w)
    {
        QTRY_VERIFY_WITH_TIMEOUT(framed(w), kWait);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

    void showOwner()
    {
        owner.showNormal();
        owner.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
    }

    // One of the forms as the program sets it up, not yet shown: a row of
    // forms().
    static QWidget* prepare(const QString& form)
    {
        if (form == QLatin1String("progress form")) {
            // As the Process command opens it.
            UF_Progress->ResetProgress();
            UF_Progress->SetCaption(Utils::Format(QStringLiteral(" %s: %s "), {TzyAD::ProductName(), UIT(252)}));
            UF_Progress->SetTotalSteps(12);
            UF_Progress->SetCancelled(false);
            UF_Progress->ShowStepProgress(false);
            return UF_Progress;
        }
        UF_StdDlg->Prepare(form == QLatin1String("exit question") ? exitQuestion() : shortReport());
        return UF_StdDlg;
    }
    void show(QWidget* form)
    {
        if (form == UF_Progress)
            UF_Progress->Show();
        else
            form->show();
        waitFramedAndActive(form);
    }
    static void forms()
    {
        QTest::addColumn<QString>("form");
        for (const char* row : {"exit question", "short information", "progress form"})
            QTest::newRow(row) << QString::fromLatin1(row);
    }

    // What the window asks for and what the manager makes of it.
    void checkFrame(QWidget* w)
    {
        const WId id = w->winId();
        const QList<uint32_t> types = x.words(id, "_NET_WM_WINDOW_TYPE");
        QVERIFY(!types.isEmpty());
        QCOMPARE(types.first(), x.atom("_NET_WM_WINDOW_TYPE_DIALOG"));

        const QList<uint32_t> mwm = x.words(id, "_MOTIF_WM_HINTS");
        QVERIFY(mwm.size() >= 3);
        QVERIFY2((mwm[0] & (MwmFunctions | MwmDecorations)) == (MwmFunctions | MwmDecorations), "hints name both");
        QVERIFY((mwm[1] & (FuncMove | FuncClose)) == (FuncMove | FuncClose));
        QVERIFY(!(mwm[1] & (FuncMinimize | FuncMaximize)));
        QVERIFY((mwm[2] & (DecorBorder | DecorTitle)) == (DecorBorder | DecorTitle));
        QVERIFY(!(mwm[2] & (DecorMinimize | DecorMaximize)));

        QVERIFY(x.has(id, "_NET_WM_ALLOWED_ACTIONS", "_NET_WM_ACTION_CLOSE"));
        QVERIFY(!x.has(id, "_NET_WM_ALLOWED_ACTIONS", "_NET_WM_ACTION_MAXIMIZE_HORZ"));
        QVERIFY(!x.has(id, "_NET_WM_ALLOWED_ACTIONS", "_NET_WM_ACTION_MAXIMIZE_VERT"));
        // openbox keeps minimise on every dialog whatever its hints ask;
        // minimisedBoxNeverLeavesItsOwnerBlocked covers what that may do.
        if (kManager != WmDisplay::Openbox)
            QVERIFY(!x.has(id, "_NET_WM_ALLOWED_ACTIONS", "_NET_WM_ACTION_MINIMIZE"));
    }

    // A title as the manager draws it whole: in the bar of a fresh window far
    // wider than the title, once the bar holds still with the title near its
    // middle.
    void wholeTitle(const QString& title, Qt::WindowFlags flags, TitleInk& whole)
    {
        QWidget ref(nullptr, flags);
        ref.setWindowTitle(title);
        const QRect wa = QGuiApplication::primaryScreen()->availableGeometry();
        ref.setFixedSize(wa.width() - 60, 60);
        ref.move(wa.topLeft() + QPoint(10, 10));
        ref.show();
        ref.activateWindow();
        waitFramedAndActive(&ref);
        if (QTest::currentTestFailed())
            return;
        TitleInk last;
        int still = 0;
        auto drawn = [&] {
            const TitleInk now = TitleInk::Of(x, &ref);
            still = now == last ? still + 1 : 0;
            last = now;
            whole = now.Title();
            const int middle = whole.left + whole.width / 2;
            return still >= 3 && whole.width > 0 && std::abs(middle - now.width / 2) < now.width / 8;
        };
        QTRY_VERIFY_WITH_TIMEOUT(drawn(), kWait);
    }

    static StdDlg::Request exitQuestion()
    {
        // As the main form asks it on closing.
        const QString product = TzyAD::ProductName();
        StdDlg::Request r{StdDlg::Question, QStringLiteral("MF001"), {Utils::Format(UIT(1038), {product})}, {}, true,
                          Utils::Format(UIT(287), {product})};
        r.buttons[1] = {true, Utils::Format(UIT(955), {product}), UIT(294), StdDlg::mrYes, StdDlg::glYes};
        r.buttons[2] = {true, Utils::Format(UIT(956), {product}), UIT(291), StdDlg::mrNo, StdDlg::glNo};
        return r;
    }
    // The short report of the Data Source Map's task field descriptions.
    static StdDlg::Request shortReport()
    {
        StdDlg::Request r;
        r.level = StdDlg::Information;
        r.msgId = QStringLiteral("MF006");
        r.lines = {Utils::Format(UIT(1044), {9})};
        r.buttons[2] = {true, UIT(952), UIT(289), StdDlg::mrClose, StdDlg::glClose};
        return r;
    }

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        InitUILs();
        AD = std::make_unique<TzyAD>();
        UF_StdDlg = new TUF_StdDlg;
        UF_Progress = new TUF_Progress(std::make_unique<NoTaskbar>());
        owner.setWindowTitle(TzyAD::ProductName());
        owner.resize(600, 400);
    }
    void cleanupTestCase()
    {
        delete UF_Progress;
        UF_Progress = nullptr;
        delete UF_StdDlg;
        UF_StdDlg = nullptr;
    }
    void init() { showOwner(); }
    void cleanup()
    {
        if (UF_StdDlg->isVisible())
            UF_StdDlg->done(0);
        UF_Progress->Close();
    }

    // A dialog with a close box for the manager, neither minimise nor
    // maximise.
    void offersNoMinimiseOrMaximise_data() { forms(); }
    void offersNoMinimiseOrMaximise()
    {
        QFETCH(QString, form);
        QWidget* w = prepare(form);
        show(w);
        QVERIFY(!QTest::currentTestFailed());
        checkFrame(w);
    }

    // Wide enough for its whole title as the manager draws it.
    void titleShowsWhole_data() { forms(); }
    void titleShowsWhole()
    {
        QFETCH(QString, form);
        QWidget* w = prepare(form);
        TitleInk whole;
        wholeTitle(w->windowTitle(), w->windowFlags(), whole);
        QVERIFY(!QTest::currentTestFailed());
        showOwner();
        show(w);
        QVERIFY(!QTest::currentTestFailed());
        QTRY_VERIFY2_WITH_TIMEOUT(TitleInk::Of(x, w).Shows(whole),
                                  qPrintable(QStringLiteral("\"%1\" cut in a frame %2 wide")
                                                 .arg(w->windowTitle())
                                                 .arg(x.frame(w->winId()).width())),
                                  kWait);
    }

    // A box the manager minimises (as a taskbar or the frame's button asks)
    // goes together with its owner, so the owner is never left on screen,
    // blocked by a box the user no longer sees.
    void minimisedBoxNeverLeavesItsOwnerBlocked()
    {
        show(prepare(QStringLiteral("exit question")));
        QVERIFY(!QTest::currentTestFailed());
        const WId box = UF_StdDlg->winId();
        // Nothing for a user to press where the manager offers no minimise.
        if (!x.has(box, "_NET_WM_ALLOWED_ACTIONS", "_NET_WM_ACTION_MINIMIZE"))
            return;
        x.ask(box, "WM_CHANGE_STATE", 3);
        // The manager handles requests in turn: once a later one is done, so
        // is the minimise.
        const uint32_t add = 1, remove = 0;
        x.ask(owner.winId(), "_NET_WM_STATE", add, x.atom("_NET_WM_STATE_ABOVE"));
        QTRY_VERIFY_WITH_TIMEOUT(x.has(owner.winId(), "_NET_WM_STATE", "_NET_WM_STATE_ABOVE"), kWait);
        x.ask(owner.winId(), "_NET_WM_STATE", remove, x.atom("_NET_WM_STATE_ABOVE"));
        // Hidden together, or (the program bringing its modal box back) shown
        // together; never the box alone.
        QTRY_COMPARE_WITH_TIMEOUT(x.iconic(box), x.iconic(owner.winId()), kWait);
    }
};

WM_TEST_MAIN_UNDER(TestWmMsgBox, 800, 560, kManager)
#include "tst_wm_msgbox.moc"
