#include "FileAccess.h"

#include <QFile>
#include <QFileInfo>

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
        return QFileInfo::exists(officeLockFile(file)) || HeldElsewhere(file);
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
