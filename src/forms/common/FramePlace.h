#pragma once
// Where a top-level form's frame (title bar and borders included) is to stand.
// Under a window manager the frame is known only after the window is shown
// and decorated, and every geometry change arrives later as an event. This
// keeps the frame rectangle the program asked for, places the client area
// inside it with the frame's real (or, before decoration, last seen)
// thickness, fits it again once the real frame is known, and tells the
// program's and the window manager's own moves from the user's.
#include <QList>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <functional>
#include <optional>

class QWidget;
struct xcb_configure_notify_event_t;

class FramePlace : public QObject {
public:
    // The form's keeper, made on first use.
    static FramePlace& Of(QWidget* form);

    // The frame's thickness: the real one once decorated, else the one
    // counted on (CountOnFrame), else the last one seen on any form (none
    // before the first).
    QMargins Margins() const;
    // Until the window manager has framed it, the form counts on a frame
    // thicker than any a manager draws where no frame has been seen yet. A
    // manager frames a window round the size it is first mapped with and
    // may keep that frame (one marks a window framed taller than the work
    // area maximised and holds it there): a form that may fill the work
    // area is mapped for a frame no thinner than the real one.
    void CountOnFrame();
    QSize Extra() const;
    // The frame rectangle now, and the one of the normal (not maximised)
    // state: while maximised or minimised, where the program put it last or
    // the window stood last in the normal state.
    QRect Frame() const;
    QRect NormalFrame() const;
    // Where the frame stood last in the normal state, or was put there.
    QRect LastNormal() const { return m_normal; }
    // Puts the frame back where it stood last in the normal state (after a
    // restore from maximised, whatever the window manager kept of it).
    void RestoreNormal();
    // Maximises the form, once the window manager has framed it where it
    // frames windows: mapped maximised, the manager would fit the window
    // before its minimum size allows for the frame, refusing to maximise a
    // form whose minimum fills the work area, and know no normal bounds.
    void Maximise();
    bool MaximisePending() const { return m_maximiseWhenFramed; }
    void CancelMaximise() { m_maximiseWhenFramed = false; }
    // The window manager has put its frame around the form.
    bool Decorated() const;
    // The frame's thickness now, none while it is not known.
    QMargins Seen() const;

    // Puts the frame at `frame`: the client area inside it, the corner where
    // the frame's corner goes.
    void Set(const QRect& frame);
    QRect Wanted() const { return m_wanted; }

    // What the form's geometry change now seen is: the program's or the
    // window manager's (the frame where it was put, or not yet decorated), or
    // the user's.
    bool OwnPosition() const;
    bool OwnSize() const;
    // Since it was last shown the window is on the screen and, where a
    // window manager frames windows, framed (a form kept in place has then
    // been put back where it was wanted, should the manager have placed it
    // elsewhere while mapping it). Until then nobody but the program and the
    // manager can have moved it.
    bool Settled() const { return m_settled; }
    // The geometry change now seen is the user's: the window has settled and,
    // where a window manager frames it, the manager reported the window where
    // it now stands while it held the keyboard for the user's move or size
    // (or the window stood there when it let go: a manager may report a move
    // only then), or a pointer button is held (the user drags the frame). A
    // form kept in place wants the frame where the user left it from then on.
    bool UserMoved() const { return m_userMoved; }
    bool UserSized() const { return m_userSized; }

    // Puts the frame back where it was wanted whenever the window manager
    // moves or sizes it on its own.
    bool keepPlace = false;

    // Run when the real frame becomes known, to fit the form again.
    std::function<void()> onDecorated;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    explicit FramePlace(QWidget* form);
    ~FramePlace() override;
    void apply();
    // Looks again whether the frame is known and the window settled.
    void check();
    // Fits the form again when only its frame's thickness changed.
    void refit();
    void KeepPlace();
    bool ByUser() const;
    void NoteUserPlace(const QRect& client);
    // Under X11: the window manager took hold of the keyboard while the form
    // had the focus (true), or let go of it; it reported the window's
    // geometry.
    void ManagerInput(bool held);
    void ManagerConfigured(const xcb_configure_notify_event_t* ev);
    // Takes the frame as the normal one, once the events now pending have
    // been seen: a window manager may move and size a window to its
    // maximised bounds before it says that it maximised it.
    void NoteNormal();
    // Takes it at once.
    void NormalNow();
    friend class FrameWatch;

    QWidget* m_form;
    // The thickness the window manager published, as last read from the X
    // server. Read again only after one of the window's events: one
    // computation (the size wanted, then the client area placed from it)
    // sees one thickness, however late the manager changes it meanwhile.
    mutable std::optional<QMargins> m_published;
    mutable bool m_publishedRead = false;
    QRect m_wanted;
    QMargins m_used;
    QMargins m_guessed; // counted on until decorated
    bool m_decorated = false;
    bool m_exposed = false; // on the screen since last shown
    bool m_settled = false;
    int m_kept = 0; // put back by KeepPlace since shown
    QRect m_normal; // the frame in the normal state
    QMargins m_normalMargins; // its thickness then, as the manager published it
    bool m_noteQueued = false;
    bool m_maximiseWhenFramed = false;
    bool m_userMoved = false, m_userSized = false; // the change now seen
    bool m_managerInput = false; // the manager holds the keyboard
    // Client areas the manager reported (or left the window at) for the
    // user, still to reach the form.
    QList<QRect> m_userPlaces;
};
