#pragma once
// Opening files with the desktop's default application, and the folder
// browser; both injectable so tests record the calls and never block.
#include <QString>
#include <functional>

class QObject;

namespace platform {

// What a caller does when the opener it started fails afterwards.
using OpenFailed = std::function<void()>;

class IShell {
public:
    virtual ~IShell() = default;
    // Starts the opener and returns at once, never waiting for it: a value
    // greater than 32 when it started, kShellNotFound when the file is
    // missing, kShellNoOpener when no program to open it was found or it
    // could not be started. An opener that started and then fails, however
    // late, calls `failed` on the user-interface thread while `context`
    // lives; once `context` is destroyed (or when it is null) nobody is told.
    virtual int open(const QString& file, const QString& params, const QString& folder, int showCmd,
                     QObject* context, OpenFailed failed) = 0;
};

constexpr int kShellNotFound = 2;
constexpr int kShellNoOpener = 31;
inline bool shellOpened(int result) { return result > 32; }

IShell& shell();
void setShell(IShell* s); // nullptr restores the desktop's opener

// How many openers the desktop's shell started that have not ended yet.
int runningOpeners();

// Shows a folder chooser titled `title`; the chosen folder or empty text.
using FolderBrowser = std::function<QString(const QString& title)>;
void setFolderBrowser(FolderBrowser browser);
QString browseForFolder(const QString& title);

} // namespace platform
