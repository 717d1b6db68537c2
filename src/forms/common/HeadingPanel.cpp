#include "HeadingPanel.h"

#include "FieldIndicator.h"
#include "FormMetrics.h"

#include <QHBoxLayout>
#include <QLabel>

HeadingPanel::HeadingPanel(QWidget* parent, const QString& name)
    : QFrame(parent)
    , m_label(new QLabel(this))
    , m_layout(new QHBoxLayout(this))
{
    if (!name.isEmpty())
        setObjectName(name);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x2F, 0x4F, 0x7A));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    QFont f = m_label->font();
    f.setBold(true);
    m_label->setFont(f);
    m_layout->setContentsMargins(0, 0, 8, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_label, 1, Qt::AlignVCenter);
    UpdateSizes();
}

void HeadingPanel::SetCaption(const QString& text)
{
    m_label->setText(FormMetrics::HeadingCaption(text));
}

QString HeadingPanel::Caption() const
{
    return m_label->text();
}

FieldIndicator* HeadingPanel::Indicator(const QString& name)
{
    if (!m_indicator) {
        m_indicator = new FieldIndicator(this, name);
        m_layout->addWidget(m_indicator, 0, Qt::AlignVCenter);
        UpdateSizes();
    }
    return m_indicator;
}

void HeadingPanel::UpdateSizes()
{
    int h = FormMetrics::PanelHeight();
    // An indicator is 21 high; the band grows to hold it.
    if (m_indicator)
        h = qMax(h, m_indicator->height() + 2);
    setFixedHeight(h);
}
