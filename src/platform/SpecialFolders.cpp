#include "SpecialFolders.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace platform {

QString desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString programFolder()
{
    const QString env = qEnvironmentVariable("ZOL_PROGRAM_DIR");
    if (!env.isEmpty())
        return env;
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

} // namespace platform
