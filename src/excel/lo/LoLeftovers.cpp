#include "LoLeftovers.h"

#include "LoCall.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <unistd.h>

namespace lo {

namespace {

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
    QTemporaryDir dir(QFileInfo(target).absolutePath() + QStringLiteral("/.~zol-") + ownerTag()
                      + QStringLiteral("-XXXXXX"));
    if (!dir.isValid())
        return;
    dir.setAutoRemove(false);
    m_path = dir.path();
    QTemporaryFile record(tempTemplate(QStringLiteral("saving")));
    record.setAutoRemove(false);
    if (record.open()) {
        record.write(m_path.toUtf8());
        record.close();
        m_record = record.fileName();
    }
}

BesideFolder::~BesideFolder()
{
    if (!m_path.isEmpty())
        QDir(m_path).removeRecursively();
    if (!m_record.isEmpty())
        QFile::remove(m_record);
}

int sweepLeftovers()
{
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
            if (m.captured(1) == QLatin1String("saving")) {
                // Only the folder the dead owner named after itself.
                QFile record(path);
                if (record.open(QIODevice::ReadOnly)) {
                    const QString beside = QString::fromUtf8(record.readAll());
                    const QFileInfo bi(beside);
                    const QString own = QStringLiteral(".~zol-") + tagOf(pid, start) + u'-';
                    if (bi.isAbsolute() && bi.isDir() && !bi.isSymLink() && bi.fileName().startsWith(own)
                        && bi.fileName().size() == own.size() + 6)
                        QDir(beside).removeRecursively();
                }
            }
            QFile::remove(path);
        }
        ++removed;
    }
    return removed;
}

} // namespace lo
