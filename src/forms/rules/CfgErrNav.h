#pragma once
// From a configuration error's tab id, field id and row id to the main
// form's page and the control where the value can be mended. The ids are the
// numbers of the tab's and the field's texts; the row is the grid row of the
// map item or filter row.
#include <QString>

namespace CfgErrNav {

// How the control is brought to the user.
enum class Action {
    None,       // the page only (a field id the tab does not know)
    SelectEdit, // an edit: its whole text selected, then focused
    Focus,      // a check box or the date picker: focused
    GridCell    // a grid: the cell made current (the grid is not focused)
};

struct Target {
    int page = -1;        // -1: not a known tab; nothing changes at all
    Action action = Action::None;
    QString control;      // the control's object name on the main form
    int col = 0;          // grid cell, for Action::GridCell
    int row = 0;
};

Target Locate(int tabId, int fldId, int rowId);

} // namespace CfgErrNav
