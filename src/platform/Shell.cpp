#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {
namespace {

class DesktopShell : public IShell {
public:
    int open(const QString& file, const QString&, const QString&, int) override
    {
        // Parameters and working folder have no meaning for a desktop opener.
        if (file.isEmpty())
            return 2;
        // A web address (the About form's site) goes to the browser as it is.
        const QUrl url(file, QUrl::StrictMode);
        if (url.isValid() && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http")))
            return QDesktopServices::openUrl(url) ? 42 : 31;
        if (!QFileInfo::exists(file))
            return 2; // "file not found", as the caller's check expects
        return QDesktopServices::openUrl(QUrl::fromLocalFile(file)) ? 42 : 31;
    }
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
