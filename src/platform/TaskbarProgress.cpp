#include "TaskbarProgress.h"

#include <QDBusConnection>
#include <algorithm>
#include <QFileInfo>
#include <QGuiApplication>
#include <QVariantMap>

namespace {
const QString kInterface = QStringLiteral("com.canonical.Unity.LauncherEntry");
const QString kPath = QStringLiteral("/com/canonical/unity/launcherentry/tarvozollumo");
} // namespace

LauncherEntryProgress::LauncherEntryProgress(const QString& appUri)
    : m_appUri(appUri.isEmpty() ? DefaultAppUri() : appUri)
{
}

QString LauncherEntryProgress::DefaultAppUri()
{
    QString id = QGuiApplication::desktopFileName();
    if (id.isEmpty())
        id = QStringLiteral("tarvo-zol-lumo");
    if (!id.endsWith(QStringLiteral(".desktop")))
        id += QStringLiteral(".desktop");
    return QStringLiteral("application://") + id;
}

bool LauncherEntryProgress::SessionBusAvailable()
{
    // An unset address would make the bus library try to launch a bus of its
    // own; the progress is not worth a new process.
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists();
}

QDBusMessage LauncherEntryProgress::UpdateMessage(const QString& appUri, double progress, bool visible)
{
    QDBusMessage m = QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("Update"));
    QVariantMap props;
    props.insert(QStringLiteral("progress"), progress);
    props.insert(QStringLiteral("progress-visible"), visible);
    m << appUri << props;
    return m;
}

void LauncherEntryProgress::send(double progress, bool visible)
{
    if (!SessionBusAvailable())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected())
        bus.send(UpdateMessage(m_appUri, progress, visible));
}

void LauncherEntryProgress::SetProgressValue(int completed, int total)
{
    const double p = total > 0 ? std::clamp(double(completed) / double(total), 0.0, 1.0) : 0.0;
    m_lastVisible = true;
    send(p, true);
}

void LauncherEntryProgress::SetNoProgress()
{
    // A hidden bar is sent once; repeated resets add no traffic.
    if (!m_lastVisible)
        return;
    m_lastVisible = false;
    send(0.0, false);
}
