#pragma once
// What the file system lets this process do with a file or a folder: the
// stand-in for the read-only attribute and the sharing test of a file held
// open by another program. Injectable, so tests can put the program before
// cases a test machine cannot arrange.
#include <QString>

namespace platform {

class IFileAccess {
public:
    virtual ~IFileAccess() = default;
    // The file's contents may be replaced by this process: a write bit for
    // its owner, and the kernel's leave (permissions for this user, no
    // immutable flag, no read-only mount).
    virtual bool canWrite(const QString& file) = 0;
    // Files may be created, renamed and removed in the folder.
    virtual bool canWriteIn(const QString& folder) = 0;
    // Another program holds the file: an office's lock file beside it whose
    // owner still runs (a lock left by a killed office does not count), or a
    // lock taken on the file itself.
    virtual bool isLocked(const QString& file) = 0;
};

IFileAccess& fileAccess();
void setFileAccess(IFileAccess* access); // nullptr restores the file system's answers

// The lock file an office leaves beside a document it holds.
QString officeLockFile(const QString& file);

} // namespace platform
