#pragma once
// The S Curve Files page's logic that needs no widget: the order of its
// edits, their limits and key filters, the caches a change invalidates, the
// two extension rules, the seven indicator check chains and the folder a
// file dialog opens in. The page's widgets read their texts into a Texts
// array, call these and write back what changed.
#include <QChar>
#include <QString>

#include <array>
#include <optional>

class TzyDV;

namespace FilesPage {

// The twelve edits, in tab and Enter order.
enum Edit {
    eDSF, eDSFPassword, eTaskWS, eTHR,
    eTF, eTFPassword, ePSWS, eCDWS,
    eOF,
    eTitle, eNumber, eClient,
    EditCount
};
using Texts = std::array<QString, EditCount>;

// Enter moves to the next edit, Shift+Enter to the previous one; the walk
// does not wrap, so at either end the focus stays.
Edit EnterTarget(Edit e, bool shift);

int MaxLengthOf(Edit e);

enum class KeyFilter { None, PathFileName, Worksheet, HeaderRow };
KeyFilter FilterOf(Edit e);
// True when the filter refuses a typed character (EditKeys::TypedText: an
// editing key never reaches a filter). Backspace, Tab, Enter and Esc always
// pass. A file name refuses only control characters (paths
// are POSIX paths: "/" is the separator and every other character may stand
// in a name); a worksheet name refuses \ / : * ? [ ] (characters of code 256
// and above pass); the header row takes digits only.
bool Refuses(KeyFilter f, QChar c);
// The balloon of a refused character; the header row's range ends at the
// workbook's row limit less one.
QString BalloonText(KeyFilter f, int maxRows);
// The balloon of a refused key at an edit's maximum length.
QString MaxLengthBalloon(int maxLength);

// The caches of the active definition a user's change of an edit makes
// stale, and whether the page's checks run again.
struct CacheReset {
    bool wsl1 = false, wsl2 = false, fieldList = false, valueLists = false;
    bool update = false;
};
CacheReset OnChange(Edit e);

// A name with its extension replaced by `extDot` (appended when it has none).
QString ChangeFileExt(const QString& name, const QString& extDot);
// The default-extension rule: the trimmed name with the preferred extension
// when its own is missing or not an Excel one; nothing when it is fine (an
// empty name, or only an extension, is left alone).
std::optional<QString> DefaultExtension(TzyDV& dv, const QString& fieldLabel, const QString& name,
                                        const QString& extDot);
// The template-extension rule: the trimmed Output File with the Template
// File's extension when both are named and the two Excel extensions differ.
std::optional<QString> TemplateExtension(TzyDV& dv, const QString& outputFile, const QString& templateFile);

// The texts after the edit `e` was left: project details trimmed; the file
// names normalised by the extension rules (the Template File also corrects
// the Output File). Other edits are unchanged.
Texts OnExit(TzyDV& dv, Edit e, Texts t, const QString& extDot);
// The texts as the page stores them: both rules applied to the three files.
Texts ForSave(TzyDV& dv, Texts t, const QString& extDot);

// The stored names of a definition normalised on load: each file its
// preferred extension, the Output File the Template File's (as stored).
struct StoredFiles {
    QString dsf, tf, of;
};
StoredFiles ForLoad(TzyDV& dv, StoredFiles f, const QString& extDot);

// The seven indicators beside the required fields.
enum Indicator { iDSF, iTaskWS, iTHR, iTF, iPSWS, iCDWS, iOF, IndicatorCount };
// The short message of the first failing check of each chain; nothing when
// all pass. File names are taken trimmed, worksheet names as typed.
std::array<std::optional<QString>, IndicatorCount> IndicatorHints(TzyDV& dv, const Texts& t);

// The file fields with their Browse commands.
enum class FileKind { DataSource, Template, Output };
QString FieldLabel(FileKind k);
QString FolderLabel(FileKind k);
QString BrowseTitle(FileKind k);
// The folder a file dialog opens in: the name's own folder when it exists,
// else the program's Samples (Data Source File) or Templates (Template File)
// folder when the current folder is the program folder, the default output
// folder (Output File) when there is one, else the current folder.
QString BrowseFolder(FileKind k, const QString& ownFolder, bool ownFolderExists, const QString& currentDir,
                     const QString& programDir, const QString& defaultOFFolder);
// Two folder names for the same folder, links and "." and ".." resolved;
// names that do not exist compare by their cleaned paths.
bool SameFolder(const QString& a, const QString& b);
// Two file names for the same file (another spelling of one path).
bool SameFile(const QString& a, const QString& b);

} // namespace FilesPage
