#include "BalloonHint.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>

BalloonHint::BalloonHint(QWidget* owner)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setObjectName(QStringLiteral("BH_Main"));
    setWordWrap(false);
    setContentsMargins(10, 6 + kTipHeight, 10, 6);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &BalloonHint::HideHint);
}

BalloonHint::~BalloonHint()
{
    if (m_filtering)
        qApp->removeEventFilter(this);
}

void BalloonHint::ShowHint(const QRect& globalRect, const QString& description)
{
    setText(description);
    adjustSize();
    m_tip = QPoint(globalRect.left(), globalRect.bottom() + 1);
    move(m_tip.x() - 12, m_tip.y());
    show();
    update();
    m_timer.start(m_hideAfter);
    if (!m_filtering) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
}

void BalloonHint::HideHint()
{
    m_timer.stop();
    if (m_filtering) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
    hide();
}

bool BalloonHint::eventFilter(QObject* watched, QEvent* event)
{
    // The event that showed the balloon has passed every filter already;
    // only a later key or click hides it.
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        HideHint();
        break;
    default:
        break;
    }
    return QLabel::eventFilter(watched, event);
}

void BalloonHint::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(0.5, kTipHeight + 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(body, 5, 5);
    QPainterPath tip;
    tip.moveTo(12, 0.5);
    tip.lineTo(8, kTipHeight + 1);
    tip.lineTo(20, kTipHeight + 1);
    tip.closeSubpath();
    path = path.united(tip);
    p.setPen(palette().color(QPalette::ToolTipText));
    p.setBrush(palette().color(QPalette::ToolTipBase));
    p.drawPath(path);
    p.end();
    QLabel::paintEvent(event);
}
