#pragma once
// The browse commands' common road: the checks before a workbook is read,
// the extraction behind the progress form with the main form busy and
// disabled, and the dialog's Select / Cancel / Refresh loop. The pages call
// one function per dialog and act on the choice it returns.
//
//   BrowseCommands::SetBusyHook([this](bool busy) { Busy = busy; setEnabled(!busy); });
//   const auto c = BrowseCommands::BrowseTaskField(BrowseCommands::ActiveTaskSource(), current,
//                                                  caption, 1, itemName, anchor);
//   if (c.result == TUF_Browse::mrSelect) ... c.taskFld, c.desc, c.importDesc
#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

class QWidget;
class TUF_BrowseFld;
class TUF_BrowseVal;
class TUF_BrowseWS;
class QWidget;

namespace BrowseCommands {

// Creates the three dialogs in their start-up order (task fields, values,
// worksheets) and frees them.
void CreateBrowseForms(QWidget* parent = nullptr);
void FreeBrowseForms();

// The main form's part of an extraction: Busy set and the form disabled
// (true), then both undone (false). Unset: nothing.
void SetBusyHook(std::function<void(bool busy)> hook);
// Runs `extract` with the main form busy; the form is restored also when
// the extraction raises.
bool RunBusy(const std::function<bool()>& extract);

// The task worksheet of the active definition with its labels.
struct TaskSource {
    QString fileLabel, fileName, password;
    QString wsLabel, wsName;
    QString rowLabel;
    int headerRow = 0;
};
TaskSource ActiveTaskSource();

// What a command ended with: 1 a choice was made, 2 the user cancelled (or
// the list was empty), 0 a check or the extraction stopped it (each has
// shown its own message).
struct WorksheetChoice {
    int result = 0;
    QString ws;
    bool checksPassed = false; // false: stopped before any extraction
};
struct FieldChoice {
    int result = 0;
    QString taskFld, desc;
    bool importDesc = false;
};
struct ValueChoice {
    int result = 0;
    QString value;
};

// Browse Worksheets for list `wslIndex` (1 Data Source File, 2 Template
// File) of the active definition: the checks of the file, the extraction
// when the list is not loaded, and the dialog until Select or Cancel.
WorksheetChoice BrowseWorksheet(const QString& fileLabel, const QString& fileName, const QString& password,
                                const QString& itemName, int wslIndex, int alignMode, const QString& current,
                                std::optional<QPoint> anchor);

// The six checks before the task worksheet is read; true when one failed.
bool TaskFieldChecksFail(const TaskSource& s);
// Browse Task Fields: `current` is the field to preselect; caption, align
// mode and item name as the page gives them.
FieldChoice BrowseTaskField(const TaskSource& s, const QString& current, const QString& caption, int alignMode,
                            const QString& itemName, std::optional<QPoint> anchor);
// Browse Task Field Values of the task field `taskFld` (upper-cased and
// trimmed by the page), `fieldName` naming it in the column check's dialog.
ValueChoice BrowseTaskFieldValue(const TaskSource& s, const QString& taskFld, const QString& fieldName,
                                 const QString& current, std::optional<QPoint> anchor);
// The value list of the active definition kept for `taskFld`, appended when
// there is none.
int ValueListFor(const QString& taskFld);

} // namespace BrowseCommands
