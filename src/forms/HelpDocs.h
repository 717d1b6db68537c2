#pragma once
// The three documents of the Help menu: each is opened with the desktop's
// viewer through the injectable shell, or, when its file is missing, the
// user is told where it should be.
#include <QString>

class QObject;

namespace HelpDocs {

enum Document { Tutorial, UserManual, WhitePaper };

// True when the file exists and the desktop's opener started on it; false
// after the document's message (missing file, or no program to open it).
// `window` is the one asking (see OpenWithDesktop).
bool Open(Document document, QObject* window);

// Hands `file` (a path or a web address) to the desktop's opener without
// waiting for it. When no opener or no program to open it is found the user
// is told so, naming the file under `msgId` (may be empty) with the Close hint
// `hintId`, at once (false then); a started opener that fails, however late,
// is told the same way with its cause, unless `window` is gone by then. Other
// shell failures are left to the callers' own file checks.
bool OpenWithDesktop(const QString& msgId, const QString& label, const QString& file, const QString& folder,
                     int hintId, QObject* window);

} // namespace HelpDocs
