#include "FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// The kernel's answer for this process's effective user (a read-only mount,
// an immutable flag, ownership and mode bits).
bool Permitted(const QString& path, int mode)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), mode, AT_EACCESS) == 0;
}

// A lock on the file held through another open file: a record lock
// (traditional or per open file) or a whole-file lock.
bool HeldElsewhere(const QString& file)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false; // unreadable: nothing to learn here
    struct flock probe = {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    bool held = ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    if (!held) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::flock(fd, LOCK_UN);
        else
            held = errno == EWOULDBLOCK;
    }
    ::close(fd);
    return held;
}

// The fields an office writes into its lock file: "name,user,host,time,profile
// URL;", where a backslash escapes the next character.
QStringList LockFields(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QStringList fields;
    QString field;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size()) {
            field += text.at(++i);
        } else if (c == u',' || c == u';') {
            fields << field;
            field.clear();
            if (c == u';')
                return fields;
        } else {
            field += c;
        }
    }
    return {}; // unterminated: not a lock file we can read
}

QString ShortHost(const QString& host)
{
    return host.section(u'.', 0, 0).toLower();
}

QString ThisHost()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return QString::fromLocal8Bit(name);
}

// The user installation an office process runs with: what its command line
// names, else its user's default (the empty text: "any").
bool OfficeProcess(const QString& pid, QString* profile)
{
    QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> args = f.readAll().split('\0');
    if (args.isEmpty())
        return false;
    const QByteArray program = args.first().mid(args.first().lastIndexOf('/') + 1);
    if (!program.startsWith("soffice") && !program.startsWith("oosplash") && !program.startsWith("libreoffice"))
        return false;
    profile->clear();
    for (const QByteArray& a : args) {
        if (a.startsWith("-env:UserInstallation="))
            *profile = QString::fromUtf8(a.mid(22));
    }
    return true;
}

QString ProfileFolder(const QString& url)
{
    const QUrl u(url);
    const QString path = u.isLocalFile() ? u.toLocalFile() : url;
    return QDir::cleanPath(path);
}

// An office's lock file that no running office owns: written on this host
// (the host it records) by an office whose user installation no office
// process on this host uses any more, such as one that was killed. A lock of
// another host, or one we cannot read, is taken as held.
bool StaleLock(const QString& lockFile)
{
    QFile f(lockFile);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QStringList fields = LockFields(f.read(64 * 1024));
    if (fields.size() < 5 || fields.at(2).isEmpty() || fields.at(4).isEmpty())
        return false;
    const QString host = ThisHost();
    if (host.isEmpty() || ShortHost(fields.at(2)) != ShortHost(host))
        return false;
    const QString owner = ProfileFolder(fields.at(4));
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : pids) {
        if (pid.isEmpty() || !pid.at(0).isDigit())
            continue;
        QString profile;
        if (!OfficeProcess(pid, &profile))
            continue;
        // An office on its default profile may be the owner, whoever it is.
        if (profile.isEmpty() || ProfileFolder(profile) == owner)
            return false;
    }
    return true;
}

class SystemFileAccess : public IFileAccess {
public:
    bool canWrite(const QString& file) override
    {
        struct stat st = {};
        if (::stat(QFile::encodeName(file).constData(), &st) != 0)
            return false;
        // No write bit for the owner is the read-only mark, whoever asks.
        return (st.st_mode & S_IWUSR) && Permitted(file, W_OK);
    }
    bool canWriteIn(const QString& folder) override
    {
        return QFileInfo(folder).isDir() && Permitted(folder, W_OK | X_OK);
    }
    bool isLocked(const QString& file) override
    {
        const QString lock = officeLockFile(file);
        return (QFileInfo::exists(lock) && !StaleLock(lock)) || HeldElsewhere(file);
    }
};

IFileAccess* g_access = nullptr;

} // namespace

IFileAccess& fileAccess()
{
    static SystemFileAccess system;
    return g_access ? *g_access : system;
}

void setFileAccess(IFileAccess* access)
{
    g_access = access;
}

QString officeLockFile(const QString& file)
{
    const QFileInfo fi(file);
    return fi.absolutePath() + QStringLiteral("/.~lock.") + fi.fileName() + QLatin1Char('#');
}

} // namespace platform
