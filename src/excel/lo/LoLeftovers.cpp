#include "LoLeftovers.h"

#include "LoCall.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cerrno>
#include <mutex>
#include <stdexcept>
#include <vector>

#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lo {

namespace {

// How long the wait for the removal of what a save or a server left lets it
// stand still: a removal held longer goes on by itself.
constexpr int kCleanupMs = 2000;

// Removes a folder and all in it, counting each entry removed as progress.
void removeAll(const QString& path, std::atomic<quint64>& progress)
{
    const QFileInfo top(path);
    if (top.isDir() && !top.isSymLink()) {
        const QFileInfoList entries =
            QDir(path).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo& e : entries) {
            if (e.isDir() && !e.isSymLink())
                removeAll(e.filePath(), progress);
            else
                QFile::remove(e.filePath());
            ++progress;
        }
        QDir().rmdir(path);
    } else if (top.exists() || top.isSymLink()) {
        QFile::remove(path);
    }
    ++progress;
}

// The file system that holds a folder, as put on record: its type and id.
// Where a share is away, its bare mount point is on another one.
QString fileSystemOf(const QString& folder)
{
    struct statfs fs {};
    if (::statfs(QFile::encodeName(folder).constData(), &fs) != 0)
        return {};
    return QStringLiteral("filesystem %1 %2 %3")
        .arg(quint64(fs.f_type), 0, 16)
        .arg(fs.f_fsid.__val[0])
        .arg(fs.f_fsid.__val[1]);
}

// Whether `path` is known to be gone: absent from a folder above it that
// answers, and that is on the file system it was made on (`madeOn`, where on
// record). A folder above it missing or failing (EIO, ESTALE, ENOTCONN,
// EACCES), or the bare mount point of a share that is away, tells nothing.
bool knownGone(const QString& path, const QString& madeOn)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) == 0 || errno != ENOENT)
        return false;
    const QString parent = QFileInfo(path).absolutePath();
    if (::stat(QFile::encodeName(parent).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return madeOn.isEmpty() || fileSystemOf(parent) == madeOn;
}

// Removes a folder and all in it; whether it is known to be gone. One that
// was there and went is gone, whatever file system holds it now.
bool removeTree(const QString& path, std::atomic<quint64>& progress, const QString& madeOn = {})
{
    const QFileInfo before(path);
    const bool seen = before.exists() || before.isSymLink();
    removeAll(path, progress);
    return knownGone(path, seen ? QString() : madeOn);
}

QString tagOf(pid_t pid, quint64 startTime)
{
    return QStringLiteral("%1-%2").arg(pid).arg(startTime);
}

bool ownerRuns(pid_t pid, quint64 startTime)
{
    const ProcessSample s = sampleProcess(pid);
    return s.exists && s.startTime == startTime;
}

} // namespace

QString ownerTag()
{
    static const QString tag = [] {
        const pid_t self = ::getpid();
        return tagOf(self, sampleProcess(self).startTime);
    }();
    return tag;
}

QString tempTemplate(const QString& kind)
{
    return QDir::temp().filePath(QStringLiteral("zol-%1-%2-XXXXXX").arg(kind, ownerTag()));
}

BesideFolder::BesideFolder(const QString& target)
{
    const QString folder = QFileInfo(target).absolutePath();
    QTemporaryDir dir(folder + QStringLiteral("/.~zol-") + ownerTag() + QStringLiteral("-XXXXXX"));
    if (!dir.isValid())
        return;
    dir.setAutoRemove(false);
    m_path = dir.path();
    m_madeOn = fileSystemOf(folder);
    QTemporaryFile record(tempTemplate(QStringLiteral("saving")));
    record.setAutoRemove(false);
    if (record.open()) {
        record.write(m_path.toUtf8());
        if (!m_madeOn.isEmpty())
            record.write('\n' + m_madeOn.toUtf8());
        record.close();
        m_record = record.fileName();
    }
}

BesideFolder::~BesideFolder()
{
    if (m_path.isEmpty())
        return;
    // On a share that stopped answering the removal may never return: it
    // runs on a thread of its own, which drops the record only once the
    // folder is gone, however late that is. The wait for it is bounded, and
    // none at all where the folder is known not to answer.
    const QString path = m_path;
    const QString record = m_record;
    const QString madeOn = m_madeOn;
    boundedFileWork(
        [path, record, madeOn](std::atomic<quint64>& progress) {
            if (!removeTree(path, progress, madeOn))
                return;
            if (!record.isEmpty())
                QFile::remove(record);
        },
        m_unanswering ? 0 : kCleanupMs, false);
}

namespace {

std::mutex g_abandonedLock;
std::vector<pid_t> g_abandoned; // our children let go, not reaped yet

// Reaps the servers let go that have died since.
void reapAbandoned()
{
    std::lock_guard lock(g_abandonedLock);
    std::erase_if(g_abandoned, [](pid_t pid) {
        int status = 0;
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        return r == pid || (r < 0 && errno == ECHILD);
    });
}

} // namespace

void recordAbandoned(pid_t pid, const QStringList& leftFolders)
{
    {
        std::lock_guard lock(g_abandonedLock);
        g_abandoned.push_back(pid);
    }
    QTemporaryFile record(QDir::temp().filePath(
        QStringLiteral("zol-abandoned-%1-XXXXXX").arg(tagOf(pid, sampleProcess(pid).startTime))));
    record.setAutoRemove(false);
    if (record.open())
        record.write(leftFolders.join(u'\n').toUtf8());
}

int sweepLeftovers()
{
    reapAbandoned();
    static const QRegularExpression entry(QStringLiteral("^zol-([a-z]+)-(\\d+)-(\\d+)-[A-Za-z0-9]{6}$"));
    QDir temp = QDir::temp();
    int removed = 0;
    const QStringList names = temp.entryList(QStringList{QStringLiteral("zol-*")},
                                             QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QRegularExpressionMatch m = entry.match(name);
        if (!m.hasMatch())
            continue;
        const pid_t pid = pid_t(m.captured(2).toLongLong());
        const quint64 start = m.captured(3).toULongLong();
        if (ownerRuns(pid, start))
            continue;
        const QString path = temp.filePath(name);
        const QFileInfo info(path);
        if (info.isDir() && !info.isSymLink()) {
            QDir(path).removeRecursively();
        } else {
            const QString kind = m.captured(1);
            QStringList named;
            QFile record(path);
            if ((kind == QLatin1String("saving") || kind == QLatin1String("abandoned"))
                && record.open(QIODevice::ReadOnly))
                named = QString::fromUtf8(record.readAll()).split(u'\n', Qt::SkipEmptyParts);
            record.close();
            QStringList mine;
            QString madeOn;
            for (const QString& folder : named) {
                if (kind == QLatin1String("saving") && folder.startsWith(QLatin1String("filesystem "))) {
                    madeOn = folder;
                    continue;
                }
                // Only what the dead owner named after itself: the folder
                // beside a save, or an ended server's temporary folder.
                const QFileInfo fi(folder);
                const QString own = kind == QLatin1String("saving")
                                        ? QStringLiteral(".~zol-") + tagOf(pid, start) + u'-'
                                        : QStringLiteral("zol-office-");
                if (fi.isAbsolute() && fi.fileName().startsWith(own)
                    && (kind != QLatin1String("saving") || fi.fileName().size() == own.size() + 6))
                    mine << folder;
            }
            // A share may stop answering here too: the wait for each removal
            // has a bound, and the record stays until every folder it names
            // is known to be gone (a folder whose share is not there is not).
            const bool gone = boundedFileWork(
                                  [mine, path, madeOn](std::atomic<quint64>& progress) {
                                      for (const QString& folder : mine) {
                                          if (QFileInfo(folder).isSymLink())
                                              continue; // not a folder of ours
                                          if (!removeTree(folder, progress, madeOn))
                                              return;
                                      }
                                      QFile::remove(path);
                                  },
                                  kCleanupMs, false)
                              == FileWork::Done;
            if (!gone || QFileInfo::exists(path))
                continue;
        }
        ++removed;
    }
    return removed;
}

} // namespace lo
