#include "LoProfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>
#include <mutex>

namespace lo {

namespace {

const QByteArray kItemStart = "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\"";

QString readVersion(const QString& program)
{
    const QString programFolder = QFileInfo(QFileInfo(program).canonicalFilePath()).absolutePath();
    QFile xcd(programFolder + QStringLiteral("/../share/registry/main.xcd"));
    if (!xcd.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression re(
        QStringLiteral("<prop oor:name=\"ooSetupVersion\">\\s*<value>([0-9]+\\.[0-9]+)</value>"));
    const QRegularExpressionMatch m = re.match(QString::fromUtf8(xcd.readAll()));
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace

QString installedOfficeVersion(const QString& program)
{
    static std::mutex mutex;
    static QString cachedFor;
    static QString version;
    std::lock_guard lock(mutex);
    if (cachedFor != program || program.isEmpty()) {
        version = readVersion(program);
        cachedFor = program;
    }
    return version;
}

QByteArray withLastVersionSeen(const QByteArray& settings, const QString& version)
{
    const QByteArray item = kItemStart + " oor:op=\"fuse\"><value>" + version.toUtf8() + "</value></prop></item>\n";
    const QByteArray end = "</oor:items>";
    const qsizetype close = settings.lastIndexOf(end);
    if (version.isEmpty() || close < 0 || settings.contains(item))
        return settings;
    // The office writes one item a line: an older version's item goes.
    QByteArray kept;
    for (const QByteArray& line : settings.left(close).split('\n')) {
        if (line.isEmpty() || line.startsWith(kItemStart))
            continue;
        kept += line + '\n';
    }
    return kept + item + settings.mid(close);
}

void recordVersionSeen(const QString& profileDir, const QString& program)
{
    const QString path = profileDir + QStringLiteral("/user/registrymodifications.xcu");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray settings = file.readAll();
    file.close();
    const QByteArray updated = withLastVersionSeen(settings, installedOfficeVersion(program));
    if (updated == settings)
        return;
    // Replaced whole by a rename, once the new file is known to be written
    // whole: a write that fails (a full disk) may show only as the buffer is
    // flushed or the file closed, and a cut file would take the good one's
    // place. A private profile is not worth a wait for the disk (a profile
    // lost to a power cut is set up again).
    const QString temp = path + QStringLiteral(".zol-new");
    QFile out(temp);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    const bool written = out.write(updated) == updated.size() && out.flush();
    out.close();
    if (!written || out.error() != QFileDevice::NoError
        || std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0)
        QFile::remove(temp);
}

} // namespace lo
