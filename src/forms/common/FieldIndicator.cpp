#include "FieldIndicator.h"

#include "Artwork.h"
#include "FormText.h"

FieldIndicator::FieldIndicator(QWidget* parent, const QString& name)
    : QLabel(parent)
{
    if (!name.isEmpty())
        setObjectName(name);
    setFixedSize(Artwork::IndicatorWidth, Artwork::IndicatorHeight);
}

void FieldIndicator::SetImgState(const QString& hintText, bool warning)
{
    if (warning && m_state == WarningShown) {
        m_hint = hintText;
        setToolTip(FormText::OnScreen(hintText));
        return;
    }
    if (!warning && m_state == NoWarningShown)
        return;
    clear();
    setPixmap(Artwork::IL_Main_2221(warning ? Artwork::IndicatorWarning : Artwork::IndicatorOk));
    ++m_drawCount;
    m_hint = warning ? hintText : QString();
    if (warning) {
        setToolTip(FormText::OnScreen(hintText));
        m_state = WarningShown;
    } else {
        setToolTip(QString());
        m_state = NoWarningShown;
    }
}
