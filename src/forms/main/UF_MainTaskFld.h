#pragma once
// What the Data Source Map and the Data Source Filter pages share: the
// browse dialogs they open (as links the tests replace), the key filter of
// a task field column, and Update Task Field Descriptions.
#include "BrowseCommands.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>

class TUF_Main;
class TzyGrid;
class QWidget;

namespace MainTaskFld {

struct Links {
    // Browse Task Fields of the active definition's task worksheet.
    std::function<BrowseCommands::FieldChoice(const QString& current, const QString& caption, int alignMode,
                                              const QString& itemName, std::optional<QPoint> anchor)>
        BrowseTaskField;
    // Browse Task Field Values of `taskFld`.
    std::function<BrowseCommands::ValueChoice(const QString& taskFld, const QString& fieldName,
                                              const QString& current, std::optional<QPoint> anchor)>
        BrowseTaskFieldValue;
    // The checks before the task worksheet is read; true when one failed.
    std::function<bool()> TaskFieldChecksFail;
    // Reads the task field list with the main form busy; false on failure.
    std::function<bool()> ExtractTaskFields;
};
// Set to the browse commands at first use; tests replace members.
Links& PageLinks();
void ResetPageLinks();

// Puts the header and gutter captions of the text tables on a grid of the
// pages (the frame's own set-up writes them as cells of row or column 0,
// which the grid refuses).
void ApplyGridCaptions(TzyGrid* grid);

// Runs `handler` whenever `w` loses the focus (a grid's OnExit).
void OnFocusOut(QWidget* w, std::function<void()> handler);

// Where a browse dialog for the grid's current cell is anchored (screen
// coordinates of the cell's bottom-left corner).
QPoint CellAnchor(TzyGrid* grid);

// The key filter of a task field column: the length limit, capitals, and
// the balloon for any other key. `labelId` names the field in the balloon.
void TaskFldKey(TUF_Main& f, TzyGrid* grid, QChar& key, const QRect& rectCell, bool& allowed,
                const QString& buffer, int labelId);
// The length limit of a plain text column.
void TextKey(TUF_Main& f, TzyGrid* grid, QChar& key, const QRect& rectCell, bool& allowed, const QString& buffer,
             int maxLength);

// Update Task Field Descriptions over the grid's rows; `ids` are the
// messages for "no task fields", "confirm" and "report".
void UpdateDescriptions(TUF_Main& f, TzyGrid* grid, int taskFldCol, int descCol, const QString (&ids)[3]);

} // namespace MainTaskFld
