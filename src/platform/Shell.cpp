#include "Shell.h"

#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {
namespace {

// The desktop's opener, xdg-open, run directly: through QDesktopServices a
// missing opener fails with a line on stderr only, and the caller cannot
// tell the user.
class DesktopShell : public IShell {
public:
    int open(const QString& file, const QString&, const QString&, int) override
    {
        // Parameters and working folder have no meaning for a desktop opener.
        if (file.isEmpty())
            return kShellNotFound;
        QString target = file;
        const QUrl url(file, QUrl::StrictMode);
        const bool web = url.isValid() && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
        if (!web) {
            if (!QFileInfo::exists(file))
                return kShellNotFound; // as the callers' own checks expect
            target = QFileInfo(file).absoluteFilePath();
        }
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty())
            return kShellNoOpener;
        auto* proc = new QProcess;
        proc->setProgram(opener);
        proc->setArguments({target});
        proc->setStandardInputFile(QProcess::nullDevice());
        proc->start();
        if (!proc->waitForStarted()) {
            delete proc;
            return kShellNoOpener;
        }
        // xdg-open ends at once when it finds no program for the file (exit
        // codes 3 and 4); on most desktops it also ends at once after handing
        // the file over. Where it waits for the viewer, it is left to run.
        if (proc->waitForFinished(kVerdictMs)) {
            const bool ok = proc->exitStatus() == QProcess::NormalExit && proc->exitCode() == 0;
            delete proc;
            return ok ? 42 : kShellNoOpener;
        }
        QObject::connect(proc, &QProcess::finished, proc, &QObject::deleteLater);
        return 42;
    }

private:
    static constexpr int kVerdictMs = 3000;
};

IShell* g_shell = nullptr;
FolderBrowser g_browser;

} // namespace

IShell& shell()
{
    static DesktopShell desktop;
    return g_shell ? *g_shell : desktop;
}

void setShell(IShell* s)
{
    g_shell = s;
}

void setFolderBrowser(FolderBrowser browser)
{
    g_browser = std::move(browser);
}

QString browseForFolder(const QString& title)
{
    return g_browser ? g_browser(title) : QString();
}

} // namespace platform
