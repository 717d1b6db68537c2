#pragma once
// The test's own pass-through file system that stops answering on demand
// (zol_stall_fs): mounted over a folder of the test, released and unmounted
// by the destructor, whatever happened meanwhile.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QThread>

#include <csignal>
#include <sys/mount.h>

namespace lofix {

class StallFs {
public:
    // Mounts `backing` on `mountPoint`; on failure says why in `whyNot`.
    StallFs(const QString& backing, const QString& mountPoint) : m_mount(mountPoint)
    {
        const QString program = qEnvironmentVariable("ZOL_STALL_FS");
        if (program.isEmpty() || !QFileInfo(program).isExecutable()) {
            m_whyNot = QStringLiteral("the stalling file system was not built (no libfuse3)");
            return;
        }
        if (!QFileInfo::exists(QStringLiteral("/dev/fuse"))) {
            m_whyNot = QStringLiteral("/dev/fuse is missing: no FUSE file system can be mounted here");
            return;
        }
        QDir().mkpath(backing);
        QDir().mkpath(mountPoint);
        m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_daemon.start(program, {backing, mountPoint});
        if (!m_daemon.waitForStarted()) {
            m_whyNot = QStringLiteral("the stalling file system did not start");
            return;
        }
        QElapsedTimer t;
        t.start();
        while (!mounted() && m_daemon.state() == QProcess::Running && t.elapsed() < 10000)
            QThread::msleep(10);
        if (!mounted())
            m_whyNot = QStringLiteral("mounting a FUSE file system is not permitted here");
    }
    ~StallFs() { release(); }
    StallFs(const StallFs&) = delete;
    StallFs& operator=(const StallFs&) = delete;

    bool isMounted() const { return m_whyNot.isEmpty(); }
    QString whyNot() const { return m_whyNot; }
    // From now on (once it returns) every read, write, flush and fsync waits
    // for ever.
    void stall()
    {
        if (m_daemon.state() != QProcess::Running)
            return;
        ::kill(pid_t(m_daemon.processId()), SIGUSR1);
        QElapsedTimer t;
        t.start();
        while (!(readOut(), m_out.contains("stalled\n")) && m_daemon.state() == QProcess::Running
               && t.elapsed() < 10000)
            m_daemon.waitForReadyRead(10);
    }
    // Whether a thread of `pid` waits on the stalled file system: a request it
    // made is held, so that neither the thread nor its process can end, killed
    // or not, before release().
    bool holds(pid_t pid)
    {
        readOut();
        for (const QByteArray& line : m_out.split('\n')) {
            bool ok = false;
            const int thread = line.toInt(&ok);
            if (ok && QFileInfo::exists(QStringLiteral("/proc/%1/task/%2").arg(pid).arg(thread)))
                return true;
        }
        return false;
    }
    // Ends the daemon: the kernel fails the waits it held; then unmounts.
    void release()
    {
        if (m_daemon.state() != QProcess::NotRunning) {
            ::kill(pid_t(m_daemon.processId()), SIGKILL);
            m_daemon.waitForFinished(10000);
        }
        if (mounted())
            ::umount2(QFile::encodeName(m_mount).constData(), MNT_DETACH);
    }

private:
    void readOut()
    {
        m_daemon.waitForReadyRead(0);
        m_out += m_daemon.readAllStandardOutput();
    }
    bool mounted() const
    {
        QFile mounts(QStringLiteral("/proc/self/mounts"));
        if (!mounts.open(QIODevice::ReadOnly))
            return false;
        const QByteArray where = ' ' + QFile::encodeName(QFileInfo(m_mount).absoluteFilePath()) + ' ';
        for (const QByteArray& line : mounts.readAll().split('\n'))
            if (line.startsWith("zolstall ") && line.contains(where))
                return true;
        return false;
    }

    QString m_mount;
    QString m_whyNot;
    QProcess m_daemon;
    QByteArray m_out; // what the daemon told: its stop, the threads it holds
};

} // namespace lofix
