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
class TzyUP;
class QPushButton;
class QToolButton;
class BalloonHint;
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

// The properties both grid pages give their grid (counts, sizes, moves,
// options, pop-up texts, the gutter's warning picture).
void SetupPageGrid(TzyGrid* grid, int cols, int rows, int defaultColWidth, int gutterKind, int gutterWidth);
// An in-grid Browse button, hidden until the grid shows it.
QPushButton* InGridButton(QWidget* parent, const char* name);
// The grid is never narrower than its gutter and columns 1..lastCol at their
// minimum widths need, so at the form's minimum size all of them are in view
// (the filler column after them takes what is left).
void KeepColumnsInView(TzyGrid* grid, int lastCol);
// Auto Size pressed: the preference follows the button, and the columns
// are fitted when it is down. A column sized by the user releases it.
void AutoSizeClick(TzyGrid* grid, QToolButton* button, void (TzyUP::*store)(bool));
void UserColWidthChanged(QToolButton* button, void (TzyUP::*store)(bool));

// A grid's OnExit: the balloon hides when the grid loses the focus. The
// watch holds the balloon only, so it outlives the page objects safely.
void HideBalloonOnExit(QWidget* w, BalloonHint* balloon);

// Where a browse dialog opened by the in-grid `button` of the grid's current
// cell puts its frame's top-right corner (screen coordinates): just below the
// row, 4 pixels right of the button.
QPoint CellAnchor(TzyGrid* grid, const QWidget* button);

// The key filters take the cell's rectangle as the grid's filter event
// gives it (screen coordinates).
// The key filter of a task field column: the length limit, capitals, and
// the balloon for any other key. `labelId` names the field in the balloon.
void TaskFldKey(TUF_Main& f, TzyGrid* grid, QChar& key, const QRect& rectCell, bool& allowed,
                const QString& buffer, int labelId);
// The length limit of a plain text column.
void TextKey(TUF_Main& f, TzyGrid* grid, QChar& key, const QRect& rectCell, bool& allowed, const QString& buffer,
             int maxLength);

// Update Task Field Descriptions over the grid's rows; `ids` are the
// messages for "no task fields", "confirm" and "report".
void UpdateDescriptions(TzyGrid* grid, int taskFldCol, int descCol, const QString (&ids)[3]);

} // namespace MainTaskFld
