#pragma once
// Start-up's entry to the About form and the Options dialog: each is created
// in its place of the forms' order and linked to the main form's commands
// (Help > About, Tools > Options) and to the second-instance check of modal
// forms; freed again in reverse.
namespace OptionsAboutForms {

// After the main form: UF_About, shown by Help > About.
void CreateAboutForm();
// After the configuration-errors form: UF_Options, shown by Tools > Options.
// The reset of sizes puts the main form at its reset place at once; the
// other five forms take theirs the next time they are shown.
void CreateOptionsForm();
void FreeForms();

} // namespace OptionsAboutForms
