#pragma once
// The three documents of the Help menu: each is opened with the desktop's
// viewer through the injectable shell, or, when its file is missing, the
// user is told where it should be.
namespace HelpDocs {

enum Document { Tutorial, UserManual, WhitePaper };

// True when the file exists and was handed to the shell (whatever the shell
// then did); false after the missing-document message.
bool Open(Document document);

} // namespace HelpDocs
