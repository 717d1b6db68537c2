#pragma once
// Start-up's entries for the About form and the Options dialog: each is
// created in its place of the forms' order and linked to the main form's
// command (Help > About, Tools > Options); freeing unlinks and deletes it.
// Start-up itself counts them among the modal forms.
class TUF_About;
class TUF_Options;

namespace OptionsAboutForms {

TUF_About* CreateAboutForm();
void FreeAboutForm();
// The reset of sizes puts the main form at its reset place at once; the
// other five forms take theirs the next time they are shown.
TUF_Options* CreateOptionsForm();
void FreeOptionsForm();

} // namespace OptionsAboutForms
