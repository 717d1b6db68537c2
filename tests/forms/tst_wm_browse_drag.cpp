// The worksheet browse of the S Curve Files page moved by the user under a
// real window manager (a private Xvfb display with openbox, or with metacity
// where built so): input played through the X server's test extension as a
// hand gives it, with pauses, also while the program is too busy to take the
// server's reports in as they come. Opened aligned under its edit box, the
// dialog is dragged by its title bar or moved by the keyboard: it stays where
// it was put, Auto Align goes up and its preference is stored off. Opening
// and closing the window menu moves nothing: the dialog stays aligned.
#include "BrowseCommands.h"
#include "FormsTestKit.h"
#include "FramePlace.h"
#include "UF_BrowseWS.h"
#include "UF_Main.h"
#include "UF_MainFiles.h"
#include "UF_MainTaskFld.h"
#include "WmDisplay.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <functional>

namespace {

TzySD& sd() { return SDs->getItems(SDs->ActiveSD()); }

// The main form on page 0, its frame put at (329, 100) with its default size.
struct MainOnScreen {
    formskit::Globals globals;
    formskit::Prompter prompter;
    std::unique_ptr<TUF_Main> form;

    MainOnScreen()
    {
        TzyWM& wm = WMs->getItems(wmMain);
        wm.SetLeft(329);
        wm.SetTop(100);
        wm.SetWidth(700);
        wm.SetHeight(650);
        form = std::make_unique<TUF_Main>();
        form->LoadPage0();
        form->show();
    }
    ~MainOnScreen()
    {
        MainTaskFld::ResetPageLinks();
        UP->SetPromptOnExit(false);
        form->close();
        form.reset();
    }
    // Framed and fitted to its real frame: an anchor measured earlier on a
    // busy machine may still move with the form's last fit.
    bool placed() const
    {
        const FramePlace& fp = FramePlace::Of(form.get());
        return form->isVisible() && fp.Decorated() && fp.Settled() && fp.Frame() == fp.Wanted()
               && form->frameGeometry() == fp.Wanted();
    }
};

// Input as a hand gives it, on the display the tests run on.
class Hand {
public:
    Hand() : m_dpy(XOpenDisplay(nullptr)) {}
    ~Hand()
    {
        if (m_dpy)
            XCloseDisplay(m_dpy);
    }
    bool ok() const { return m_dpy; }
    // The program busy meanwhile: what the server tells it waits, and
    // reaches it all at once.
    bool busy = false;

    void moveTo(QPoint p)
    {
        XTestFakeMotionEvent(m_dpy, -1, p.x(), p.y(), CurrentTime);
        settle(40);
    }
    void button(bool down)
    {
        XTestFakeButtonEvent(m_dpy, 1, down, CurrentTime);
        settle(250);
    }
    // A stroke such as "Alt+F7", "Right", "m".
    void key(const QString& stroke)
    {
        QList<KeyCode> codes;
        for (const QString& name : stroke.split(QLatin1Char('+'))) {
            const QByteArray sym = name == QLatin1String("Alt") ? QByteArray("Alt_L") : name.toLatin1();
            codes << XKeysymToKeycode(m_dpy, XStringToKeysym(sym.constData()));
        }
        for (KeyCode c : codes)
            XTestFakeKeyEvent(m_dpy, c, True, CurrentTime);
        for (auto it = codes.crbegin(); it != codes.crend(); ++it)
            XTestFakeKeyEvent(m_dpy, *it, False, CurrentTime);
        settle(250);
    }
    // Windows on the screen (frames and the window manager's menus, which
    // openbox maps as windows of its own): a hand waits for the menu before
    // it picks an item.
    int popups()
    {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned n = 0;
        int shown = 0;
        if (!XQueryTree(m_dpy, DefaultRootWindow(m_dpy), &root, &parent, &children, &n))
            return 0;
        for (unsigned i = 0; i < n; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(m_dpy, children[i], &a) && a.map_state == IsViewable)
                ++shown;
        }
        if (children)
            XFree(children);
        return shown;
    }
    // Where the server has a window's top-left corner.
    QPoint serverPosition(WId window)
    {
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(m_dpy, Window(window), DefaultRootWindow(m_dpy), 0, 0, &x, &y, &child);
        return {x, y};
    }

private:
    void settle(int ms)
    {
        XSync(m_dpy, False);
        if (busy)
            QThread::msleep(ms);
        else
            QTest::qWait(ms);
    }
    Display* m_dpy;
};

enum class Gesture { TitleBarDrag, BusyTitleBarDrag, KeyboardMove, WindowMenuOnly };

// The manager's own keyboard move: metacity's Alt+F7; openbox's window menu
// (Alt+Space) and its Move item.
void keyboardMove(Hand& hand)
{
    if (kManager == WmDisplay::Manager::Metacity) {
        hand.key(QStringLiteral("Alt+F7"));
    } else {
        const int before = hand.popups();
        hand.key(QStringLiteral("Alt+space"));
        QVERIFY(QTest::qWaitFor([&] { return hand.popups() > before; }, 10000));
        hand.key(QStringLiteral("m"));
        QVERIFY(QTest::qWaitFor([&] { return hand.popups() <= before; }, 10000));
    }
    for (int i = 0; i < 6; ++i)
        hand.key(QStringLiteral("Right"));
    hand.key(QStringLiteral("Return"));
}

// Button down on the title bar, ten steps 90 right and 120 down with a
// hand's pauses, button up.
const QPoint kDrag(90, 120);

void titleBarDrag(Hand& hand, const QWidget* d)
{
    const QRect f = d->frameGeometry();
    const QPoint grip(f.center().x(), f.top() + (d->geometry().top() - f.top()) / 2);
    hand.moveTo(grip);
    hand.button(true);
    for (int step = 1; step <= 10; ++step)
        hand.moveTo(grip + kDrag * step / 10);
    hand.button(false);
    hand.busy = false;
}

} // namespace

Q_DECLARE_METATYPE(Gesture)

class TestWmBrowseDrag : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        formskit::FixLook();
        platform::setWorkArea(std::nullopt);
    }

    void userMoveStays_data()
    {
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<bool>("moves");
        QTest::newRow("title bar drag") << Gesture::TitleBarDrag << true;
        QTest::newRow("title bar drag, the program busy") << Gesture::BusyTitleBarDrag << true;
        QTest::newRow("keyboard move") << Gesture::KeyboardMove << true;
        QTest::newRow("window menu opened and closed") << Gesture::WindowMenuOnly << false;
    }
    void userMoveStays()
    {
        QFETCH(Gesture, gesture);
        QFETCH(bool, moves);
        Hand hand;
        QVERIFY(hand.ok());
        MainOnScreen m;
        QTRY_VERIFY_WITH_TIMEOUT(m.placed(), 30000);
        UP->SetAutoAlignBrowseWS(true);
        UP->SetAutoSizeBrowseWS(true);
        UP->Save();
        BrowseCommands::CreateBrowseForms();
        m.form->GoToPage(0);
        sd().setWSL_Count(wslDataSource, 3);
        sd().setWSL_WS(wslDataSource, 1, QStringLiteral("Summary"));
        sd().setWSL_WS(wslDataSource, 2, QStringLiteral("Tasks"));
        sd().setWSL_WS(wslDataSource, 3, QStringLiteral("Chart"));
        sd().setWSL_Loaded(wslDataSource, true);
        QLineEdit* edit = m.form->Files->TB_SCF_DSF_TaskWS;
        QPushButton* button = m.form->Files->BBtn_SCF_DSF_TaskWS_Browse;
        QTRY_VERIFY_WITH_TIMEOUT(button->isVisible(), 30000);
        const QPoint anchor = BrowseAnchor(button, edit, edit->height());

        bool aligned = false, alignDown = false, menuOpened = false;
        QRect start, after;
        QPoint server;
        QTimer::singleShot(0, [&] {
            TUF_Browse* d = UF_BrowseWS;
            aligned = QTest::qWaitFor(
                [&] {
                    const QRect f = d->frameGeometry();
                    return d->isVisible() && f != d->geometry() && f.top() == anchor.y();
                },
                30000);
            // Whatever the manager still has to say about the window
            // arrives meanwhile.
            QTest::qWait(300);
            start = d->frameGeometry();
            switch (gesture) {
            case Gesture::TitleBarDrag:
                titleBarDrag(hand, d);
                break;
            case Gesture::BusyTitleBarDrag:
                hand.busy = true;
                titleBarDrag(hand, d);
                break;
            case Gesture::KeyboardMove:
                keyboardMove(hand);
                break;
            case Gesture::WindowMenuOnly: {
                const int before = hand.popups();
                hand.key(QStringLiteral("Alt+space"));
                menuOpened = QTest::qWaitFor([&] { return hand.popups() > before; }, 10000);
                hand.key(QStringLiteral("Escape"));
                break;
            }
            }
            if (moves)
                (void)QTest::qWaitFor([&] { return d->frameGeometry().topLeft() != start.topLeft(); }, 10000);
            // Long past the moment the dialog used to jump back.
            QTest::qWait(1000);
            after = d->frameGeometry();
            server = hand.serverPosition(d->winId());
            alignDown = d->AutoAlignButton()->isChecked();
            d->CancelButton()->click();
        });
        UF_BrowseWS->SetWS(QStringLiteral("Tasks"));
        UF_BrowseWS->Populate(UIT(600), UIT(603), wslDataSource, 1, anchor);
        UF_BrowseWS->ShowModal();
        const QString at = QStringLiteral("anchor %1,%2: frame %3,%4 %5x%6, then %7,%8 (server %9,%10)")
                               .arg(anchor.x()).arg(anchor.y()).arg(start.x()).arg(start.y()).arg(start.width())
                               .arg(start.height()).arg(after.x()).arg(after.y()).arg(server.x()).arg(server.y());
        QVERIFY2(aligned, qPrintable(at));
        // The toolkit knows where the window stands.
        QCOMPARE(server, UF_BrowseWS->geometry().topLeft());
        QCOMPARE(after.size(), start.size());
        if (gesture == Gesture::WindowMenuOnly)
            QVERIFY2(menuOpened, qPrintable(at));
        if (!moves) {
            QCOMPARE(after, start);
            QVERIFY2(alignDown, qPrintable(at));
            QVERIFY(UP->AutoAlignBrowseWS());
        } else {
            // Where the hand left it, give or take the manager's snapping to
            // other windows' edges.
            const QPoint moved = after.topLeft() - start.topLeft();
            if (gesture == Gesture::TitleBarDrag || gesture == Gesture::BusyTitleBarDrag)
                QVERIFY2((moved - kDrag).manhattanLength() <= 24, qPrintable(at));
            else
                QVERIFY2(moved.x() >= 20 && moved.y() == 0, qPrintable(at));
            QVERIFY2(!alignDown, qPrintable(at));
            QVERIFY(!UP->AutoAlignBrowseWS());
            // Closing stored it where it was left.
            const TzyWM& wm = WMs->getItems(wmBrowseWS);
            QCOMPARE(QPoint(wm.Left(), wm.Top()), after.topLeft());
        }
        BrowseCommands::FreeBrowseForms();
    }
};

WM_TEST_MAIN_UNDER(TestWmBrowseDrag, 1280, 1024, kManager)
#include "tst_wm_browse_drag.moc"
