#include "ZolStyle.h"

#include <QApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QStandardPaths>
#include <QToolTip>
#include <QWidget>

ZolStyle::ZolStyle(QStyle* base)
    : QProxyStyle(base)
{
}

int ZolStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                        QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_UnderlineShortcut:
        return 1;
    case SH_DrawMenuBarSeparator:
        return 1;
    case SH_ToolTip_WakeUpDelay:
        return HintControl::Instance().HintPause();
    case SH_ToolTip_FallAsleepDelay:
        return 0;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

HintControl& HintControl::Instance()
{
    static HintControl* instance = new HintControl();
    return *instance;
}

HintControl::HintControl()
    : QObject(qApp)
{
    qApp->installEventFilter(this);
}

void HintControl::SetShowHint(bool v)
{
    m_showHint = v;
    if (!v)
        QToolTip::hideText();
}

bool HintControl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (!m_showHint || !w)
        return !m_showHint;
    const QString tip = w->toolTip();
    if (tip.isEmpty())
        return false; // the widget's own handling (tool buttons, menus)
    auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), tip, w, QRect(), m_hintHidePause);
    return true;
}

namespace ZolLook {
void Install()
{
    // The menu and button pictures come from the icon theme; where the
    // desktop names none (a bare X server, offscreen), the installed one.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) {
        QStringList paths = QIcon::themeSearchPaths();
        for (const QString& dir : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                            QStandardPaths::LocateDirectory))
            if (!paths.contains(dir))
                paths << dir;
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    }
    if (!qobject_cast<ZolStyle*>(QApplication::style()))
        QApplication::setStyle(new ZolStyle(nullptr));
    HintControl::Instance();
}
} // namespace ZolLook
