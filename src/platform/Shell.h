#pragma once
// Opening files with the desktop's default application, and the folder
// browser; both injectable so tests record the calls and never block.
#include <QString>
#include <functional>

class QObject;

namespace platform {

// Why an opener that started failed, as xdg-open tells by its exit code.
enum class OpenerFailure {
    NoProgram,     // 3: no program for this kind of file
    FileGone,      // 2: the file is not there
    ProgramFailed, // 4: the program for it failed
    Failed,        // 1 (a call it did not take), any other code, or a signal
};

// What a caller does when the opener it started fails afterwards.
using OpenFailed = std::function<void(OpenerFailure)>;

class IShell {
public:
    virtual ~IShell() = default;
    // Starts the opener and returns at once, never waiting for it: a value
    // greater than 32 when it started, kShellNotFound when the file is
    // missing, kShellNoOpener when no program to open it was found or it
    // could not be started. An opener that started and then fails, however
    // late, calls `failed` with the cause on the user-interface thread while
    // `context` lives; once `context` is destroyed (or when it is null)
    // nobody is told.
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
