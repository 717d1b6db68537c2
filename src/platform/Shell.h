#pragma once
// Opening files with the desktop's default application, and the folder
// browser; both injectable so tests record the calls and never block.
#include <QString>
#include <functional>

namespace platform {

class IShell {
public:
    virtual ~IShell() = default;
    // Returns a value greater than 32 on success, as the callers expect;
    // kShellNotFound when the file is missing, kShellNoOpener when no
    // program to open it was found.
    virtual int open(const QString& file, const QString& params, const QString& folder, int showCmd) = 0;
};

constexpr int kShellNotFound = 2;
constexpr int kShellNoOpener = 31;
inline bool shellOpened(int result) { return result > 32; }

IShell& shell();
void setShell(IShell* s); // nullptr restores the desktop's opener

// Shows a folder chooser titled `title`; the chosen folder or empty text.
using FolderBrowser = std::function<QString(const QString& title)>;
void setFolderBrowser(FolderBrowser browser);
QString browseForFolder(const QString& title);

} // namespace platform
