#pragma once
// The file dialogs of every form: one non-native Qt file dialog whose OK
// button reads "&Select", behind an injectable service so that tests answer
// it without showing anything.
#include <QString>

#include <optional>

class QWidget;

namespace forms {

struct OpenFileRequest {
    QString title;      // shown as it stands
    QString filter;     // Qt name filter, e.g. "Excel Files (*.xls *.xlsx)"
    QString initialDir; // the folder the dialog opens in
    QString fileName;   // preset name; empty opens without one
    bool mustExist = true;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const OpenFileRequest& request) = 0;
    // The chosen folder, or nothing when the user cancelled.
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& title, const QString& initialDir) = 0;
};

IFileDialogs& fileDialogs();
void setFileDialogs(IFileDialogs* dialogs); // nullptr restores the Qt dialogs

// The filter of the workbook dialogs: "Excel Files (*.xls *.xlsx)".
QString ExcelFileFilter();
// A dialog title as the forms show it, with a blank either side.
QString DialogTitle(const QString& text);

} // namespace forms
