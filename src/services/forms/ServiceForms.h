#pragma once
// Start-up's entry to the service forms: the widget boxes behind the service
// core's index check and fatal error, and the two service forms.
#include <QString>
#include <QStringList>

class QMessageBox;

namespace ServiceForms {

// Installs the index error box (Utils::SetIndexReporter), the fatal error
// box (Utils::SetFatalErrorPresenter) and the single-instance guard's busy
// box (Utils::SetSingleInstanceBusyPresenter). Call once the QApplication
// exists, before the guard runs.
void InstallServiceForms();
// Restores the service core's own (text) reporters.
void UninstallServiceForms();

// Creates UF_StdDlg and UF_Progress (each installs itself as the prompter or
// the progress display); start-up calls it after the main form exists.
void CreateServiceForms();
// Frees both forms; the service core falls back to its headless stand-ins.
void FreeServiceForms();

// The index error box: error icon, one OK button. It is shown from the event
// loop, never from inside the caller (a getter may run while painting).
void ShowIndexErrorBox(const QString& text);
// The fatal error box, shown at once: it runs its own loop, so it works
// before the application's event loop has started.
void ShowFatalErrorBox(const QString& text);
// The busy box of a second start: error icon, one OK button, shown at once.
void ShowBusyBox(const QStringList& lines);

} // namespace ServiceForms
