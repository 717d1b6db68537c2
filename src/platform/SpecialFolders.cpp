#include "SpecialFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// Where an installed program's data and documents lie, seen from its
// executable's folder (set by the build from the install layout).
#ifndef ZOL_DATA_FROM_EXE
#define ZOL_DATA_FROM_EXE "../../share/tarvo-zol-lumo"
#endif
#ifndef ZOL_DOC_FROM_EXE
#define ZOL_DOC_FROM_EXE "../../share/doc/tarvo-zol-lumo"
#endif

namespace platform {

namespace {

bool holdsOwnData(const QString& dir)
{
    return QFileInfo(dir + QStringLiteral("/Templates")).isDir();
}

QString installedFolder(const QString& exeDir, const char* relative)
{
    return QDir::cleanPath(exeDir + QLatin1Char('/') + QLatin1String(relative));
}

} // namespace

QString desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString executableFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

QString programFolderFor(const QString& exeDir)
{
    if (exeDir.isEmpty() || holdsOwnData(exeDir))
        return exeDir;
    const QString installed = installedFolder(exeDir, ZOL_DATA_FROM_EXE);
    return holdsOwnData(installed) ? installed : exeDir;
}

QString programDocumentFolderFor(const QString& exeDir)
{
    const QString data = programFolderFor(exeDir);
    if (data == exeDir)
        return exeDir;
    return installedFolder(exeDir, ZOL_DOC_FROM_EXE);
}

QString programFolder()
{
    const QString env = qEnvironmentVariable("ZOL_PROGRAM_DIR");
    return env.isEmpty() ? programFolderFor(executableFolder()) : env;
}

QString programDocumentFolder()
{
    const QString env = qEnvironmentVariable("ZOL_PROGRAM_DIR");
    return env.isEmpty() ? programDocumentFolderFor(executableFolder()) : env;
}

} // namespace platform
