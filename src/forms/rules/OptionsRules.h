#pragma once
// The Options dialog's logic that needs no widget: the items of its lists,
// the item a stored value shows, the text of the template and folder boxes
// for a choice, the checks of an Other template or folder, the message of a
// refused Close, and the snapshot that Cancel puts back.
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class TzyDV;
class TzyUP;

namespace OptionsRules {

// The delays the two hint lists offer, in milliseconds.
QVector<int> HintPauseItems();     // 0 .. 2000 in steps of 100
QVector<int> HintHidePauseItems(); // 1000 .. 5000 in steps of 250
// The item that shows a stored delay: the nearest one, the lower of two
// equally near (a stored 550 shows 500).
int NearestItem(const QVector<int>& items, int value);
// The sample-count list shows items 0..5; a count outside them shows item 0.
int SampleCountItem(int count);

// The text of the template box for a choice of its list (0 None, 1 Auto,
// 2 xls, 3 xlsx, 4 Other: the template of the stored choice). `installedExt`
// is the spreadsheet server's default extension ("xls" or "xlsx").
QString TemplateChoiceText(TzyUP& up, int item, const QString& installedExt);
// The text of the folder box for a choice (0 None, 1 Desktop, 2 Documents,
// 3 Other: the folder of the stored choice).
QString FolderChoiceText(TzyUP& up, int item);

// Why an Other template cannot be kept: its path, its extension, a file that
// does not exist, or a file that is not a workbook. Nothing when it is fine.
std::optional<QString> TemplateFault(TzyDV& dv, const QString& fileName);
// Why an Other folder cannot be kept. Nothing when it is fine.
std::optional<QString> FolderFault(TzyDV& dv, const QString& folder);
// Whether a file starts like a workbook (.xlsx: a zip archive, .xls: a
// compound document). A file that cannot be read does not.
bool LooksLikeWorkbook(const QString& fileName);

// The warning a refused Close shows: its id and lines. Nothing when neither
// choice is at fault.
struct Message {
    QString msgId;
    QStringList lines;
};
std::optional<Message> CloseRefusal(const std::optional<QString>& templateFault,
                                    const std::optional<QString>& folderFault);

// Every preference put back from a copy taken when the dialog opened.
void RestorePreferences(TzyUP& up, const TzyUP& snapshot);

} // namespace OptionsRules
