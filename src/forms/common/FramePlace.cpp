#include "FramePlace.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {
QMargins g_lastSeen;
}

FramePlace::FramePlace(QWidget* form)
    : QObject(form)
    , m_form(form)
{
    setObjectName(QStringLiteral("FramePlace"));
    form->installEventFilter(this);
}

FramePlace& FramePlace::Of(QWidget* form)
{
    if (auto* p = form->findChild<FramePlace*>(QStringLiteral("FramePlace"), Qt::FindDirectChildrenOnly))
        return *p;
    return *new FramePlace(form);
}

QMargins FramePlace::Margins() const
{
    if (m_form->isVisible()) {
        const QRect f = m_form->frameGeometry();
        const QRect g = m_form->geometry();
        const QMargins m(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
        if (!m.isNull()) {
            g_lastSeen = m;
            return m;
        }
    }
    return g_lastSeen;
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
        const QRect n = m_form->normalGeometry();
        if (n.isValid())
            return n.marginsAdded(Margins());
        if (m_wanted.isValid())
            return m_wanted;
    }
    return Frame();
}

bool FramePlace::Decorated() const
{
    return m_form->isVisible() && m_form->frameGeometry() != m_form->geometry();
}

void FramePlace::Set(const QRect& frame)
{
    m_wanted = frame;
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

bool FramePlace::eventFilter(QObject* o, QEvent* e)
{
    // The window manager's frame shows first when the window is exposed or
    // activated; the widget itself sees no event of it.
    if (o == m_form && e->type() == QEvent::Show && m_form->windowHandle())
        m_form->windowHandle()->installEventFilter(this);
    if (!m_decorated && (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show
                         || e->type() == QEvent::Expose || e->type() == QEvent::ActivationChange)) {
        if (Decorated()) {
            m_decorated = true;
            // The frame is known now: what was placed with a guessed frame
            // goes where it was meant to, fitted again.
            if (Margins() != m_used && m_wanted.isValid() && !m_form->isMaximized() && !m_form->isMinimized()) {
                if (onDecorated)
                    onDecorated();
                else
                    apply();
            }
        }
    }
    return QObject::eventFilter(o, e);
}
