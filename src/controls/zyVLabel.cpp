// TzyVLabel: the rotated caption.
#include "zyVLabel.h"

#include "zyColors.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

TzyVLabel::TzyVLabel(QWidget* parent)
    : QWidget(parent)
    , m_color(zyColor::clBtnFace())
    , m_fontColor(zyColor::clWindowText())
{
}

void TzyVLabel::setCaption(const QString& text)
{
    m_caption = text;
    applyAutoSize();
    update();
}

void TzyVLabel::setAutoSize(bool v)
{
    m_autoSize = v;
    applyAutoSize();
    update();
}

void TzyVLabel::setTransparent(bool v)
{
    m_transparent = v;
    setAttribute(Qt::WA_TranslucentBackground, v);
    update();
}

int TzyVLabel::TextHeight() const { return QFontMetrics(font()).height(); }
int TzyVLabel::TextWidth() const { return QFontMetrics(font()).horizontalAdvance(m_caption); }

void TzyVLabel::applyAutoSize()
{
    if (!m_autoSize)
        return;
    const QSize want(TextHeight(), TextWidth());
    if (size() != want)
        resize(want);
}

void TzyVLabel::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        applyAutoSize();
    if (e->type() == QEvent::FontChange || e->type() == QEvent::EnabledChange)
        update();
}

void TzyVLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_transparent)
        p.fillRect(rect(), m_color);
    DoDrawText(p, rect());
}

void TzyVLabel::DoDrawText(QPainter& p, const QRect& r)
{
    p.setFont(font());
    if (isEnabled()) {
        DrawRotated(p, r, m_caption, m_fontColor);
        return;
    }
    DrawRotated(p, r.translated(0, -1), m_caption, zyColor::clBtnHighlight());
    DrawRotated(p, r.translated(-1, 0), m_caption, zyColor::clBtnShadow());
}

void TzyVLabel::CalcTextPos(QRect& r, const QString& text)
{
    const QFontMetrics fm(font());
    const int w = fm.horizontalAdvance(text), h = fm.height();
    r.moveTop(r.top() + w);
    if (m_autoSize) {
        applyAutoSize();
        Q_UNUSED(h);
        return;
    }
    if (m_alignment == taCenter)
        r.moveTop(r.top() + (height() - w) / 2);
    else if (m_alignment == taLeftJustify)
        r.moveTop(r.top() + height() - w);
}

// The text runs upwards from the origin; its top edge faces right.
void TzyVLabel::DrawRotated(QPainter& p, const QRect& r, const QString& text, const QColor& color)
{
    QRect at = r;
    CalcTextPos(at, text);
    p.save();
    p.setPen(color);
    p.translate(at.left(), at.top());
    p.rotate(-90);
    p.drawText(QPoint(0, QFontMetrics(font()).ascent()), text);
    p.restore();
}
