#pragma once
// The main form's captions, hints, edit limits and required-field labels as
// data: each row names a control (its object name) and the UI texts it
// shows. The set-up routines walk these tables; so do the tests.
#include <QString>
#include <vector>

class QObject;

namespace MainTexts {

enum class Kind {
    Padded,     // label, check box, button, tool button: " %s "
    Heading,    // heading panel: "  %s "
    Bare,       // menu, menu item: the text as it stands
    BareProduct,// menu item formatted with the product name
    Tab,        // tab sheet: " %s "
    GridHome,   // grid home cell: " %s "
    GridHeader, // grid header cell of column `index`: " %s "
    GridGutter, // grid gutter cell of row `index`: " %s "
    ComboItem,  // combo box item `index` (item 0 clears the list first)
};

struct CaptionEntry {
    const char* control;
    Kind kind;
    int textId; // 0: an empty text
    int index = 0;
};

struct HintLine {
    int textId = 0;
    // Arguments: none, one number, or a text and two numbers.
    QString text;
    int a = -1;
    int b = -1;
    bool numberOnly = false;
    // Completed with " (" + the linked action's shortcut + ")".
    bool shortcut = false;
};

struct HintEntry {
    const char* control;
    std::vector<HintLine> lines;
    // The action whose shortcut completes a shortcut line.
    const char* shortcutAction = nullptr;
};

struct MaxLengthEntry {
    const char* control;
    int maxLength;
};

const std::vector<CaptionEntry>& Captions();
const std::vector<HintEntry>& Hints();
const std::vector<MaxLengthEntry>& MaxLengths();
// The labels of required fields, drawn in maroon.
const std::vector<const char*>& RequiredLabels();

// The text a caption row puts on its control.
QString CaptionText(const CaptionEntry& e);
// The hint a row gives (lines joined by CR LF); `shortcut` completes a
// shortcut line.
QString HintText(const HintEntry& e, const QString& shortcut = QString());

// What a control shows for a caption row (read back from the widget).
QString ShownCaption(QObject* control, const CaptionEntry& e);
// Writes a caption row onto its control; false when the control cannot
// take it.
bool ApplyCaption(QObject* control, const CaptionEntry& e);

} // namespace MainTexts
