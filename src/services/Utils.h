#pragma once
// Routines every unit shares: the index check, text and path routines, file
// and folder tests that report their own failures, the lenient number parse,
// the fatal start-up box and a few platform tests.
#include "Format.h"
#include "Shell.h"

#include <QDate>
#include <QString>
#include <functional>

class QObject;

namespace Utils {

// ---- index check --------------------------------------------------------
// False when Low <= Value <= High; otherwise reports the three lines
// ("%s Index is invalid.", "Valid Range: %d to %d.", "Index Value: %d.")
// and returns True.
bool CheckIndex(int value, int low, int high, const QString& tag);
bool IsOutOfRange(int value, int low, int high);
// The text of the index error box, lines joined by CR LF CR LF.
QString IndexErrorText(int value, int low, int high, const QString& tag);
// Where the index error box goes: the widget layer installs a message box;
// tests record. nullptr restores the default (standard error).
using IndexReporter = std::function<void(const QString& text)>;
void SetIndexReporter(IndexReporter reporter);

// ---- text ---------------------------------------------------------------
// Removes characters up to U+0020 from both ends (not other Unicode spaces).
QString Trim(const QString& s);
QString TrimLeft(const QString& s);
QString TrimRight(const QString& s);
// Case folding of the letters a..z only.
QString AsciiUpper(const QString& s);
QString AsciiLower(const QString& s);
bool SameText(const QString& a, const QString& b);

QString LeftStr(const QString& s, int count);
QString RightStr(const QString& s, int count);
QString MidStr(const QString& s, int start, int count);
int PosFrom(int start, const QString& s, const QString& sub);
QString LineFeedsToSpaces(const QString& s);
int StrToIntBlankZero(const QString& s);
bool IsDateText(const QString& s);
// Day numbers: the dates of workbooks and of the engine, days since
// 1899-12-30.
int DayNumber(const QDate& date);
QDate DayDate(qint64 day);
// The day number (days since 1899-12-30) of a date text in the user's
// locale, or of an ISO date; false when it is no date.
bool TextToDate(const QString& s, double& dayNumber);

// ---- numbers ------------------------------------------------------------
double StrToFloatLenient(const QString& text);

// ---- paths --------------------------------------------------------------
QString GetFileExt(const QString& fileName, bool withDot);
QString ExtractFileNameNoExt(const QString& fileName);
// The folder part (with its trailing "/"); there are no drives here.
QString ExtractPathNoDrive(const QString& fileName);
// Folder part with trailing "/" (empty when none).
QString ExtractFilePath(const QString& fileName);
QString ExtractFileName(const QString& fileName);
// Appends "/" when missing (not to the empty text).
QString IncludeTrailingSlash(const QString& folder);

// ---- file and folder tests ----------------------------------------------
bool DirExists(const QString& label, const QString& folder);
bool ForceFolder(const QString& label, const QString& folder);
bool FileExists(const QString& label, const QString& fileName, bool checkDrive);
bool IsFileInUse(const QString& label, const QString& fileName);
bool IsFileReadOnly(const QString& label, const QString& fileName);

// ---- shell and folders --------------------------------------------------
// Returns at once; an opener that fails later calls `failed` while `context`
// lives (see platform::IShell).
int ShellOpen(const QString& fileName, const QString& params, const QString& folder, int showCmd,
              QObject* context, platform::OpenFailed failed);
QString BrowseForFolder(const QString& title);
QString GetDesktopFolder();
QString GetMyDocumentsFolder();

// ---- platform -----------------------------------------------------------
bool IsWow64();

// ---- fatal start-up error -------------------------------------------------
// The box's text: product name line, the step's text, the details and the
// closing sentence, separated by blank lines.
QString FatalErrorText(const QString& msg, const QString& details);
// Shows the box, then runs the shut-down hook (free the splash when asked and
// the globals created so far) and tells the application to terminate.
void ShowFatalError(const QString& msg, bool freeSplash);
using FatalErrorPresenter = std::function<void(const QString& text)>;
void SetFatalErrorPresenter(FatalErrorPresenter presenter);
using FatalShutdown = std::function<void(bool freeSplash)>;
void SetFatalShutdown(FatalShutdown shutdown);
bool Terminated();

// ---- exceptions carrying message lines ----------------------------------
// Message of an exception of any kind ("" for the silent abort).
QString ExceptionMessage(const std::exception& e);

} // namespace Utils

// The details line of the start-up step under way ("Details: %s").
namespace Splash {
extern QString InitErrDetails;
}

// An ordinary failure carrying a message (paragraphs joined by CR LF CR LF).
#include <stdexcept>
class ZolError : public std::runtime_error {
public:
    explicit ZolError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
