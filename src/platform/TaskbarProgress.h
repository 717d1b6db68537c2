#pragma once
// The progress shown on the program's launcher (taskbar) button. The desktop
// is told through the freedesktop launcher-entry D-Bus signal when a session
// bus exists; without one nothing is sent.
#include <QDBusMessage>
#include <QString>
#include <memory>

class ITaskbarProgress {
public:
    virtual ~ITaskbarProgress() = default;
    virtual void SetProgressValue(int completed, int total) = 0;
    virtual void SetNoProgress() = 0;
};

class LauncherEntryProgress : public ITaskbarProgress {
public:
    // appUri: "application://<desktop file id>"; empty: the application's
    // desktop file name, or the program's own.
    explicit LauncherEntryProgress(const QString& appUri = QString());
    void SetProgressValue(int completed, int total) override;
    void SetNoProgress() override;

    // The Update signal for a progress (0..1) that is shown or hidden.
    static QDBusMessage UpdateMessage(const QString& appUri, double progress, bool visible);
    static QString DefaultAppUri();
    // True when a session bus address is known (never starts a bus).
    static bool SessionBusAvailable();

private:
    void send(double progress, bool visible);
    QString m_appUri;
    bool m_lastVisible = false;
};
