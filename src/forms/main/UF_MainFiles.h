#pragma once
// Page 0 of the main form: S Curve Files and Project Details. Its controls and handlers; the
// frame owns one (TUF_Main::Files) and calls the protocol members that
// UF_MainFiles.cpp defines.
class QWidget;
class TUF_Main;

class TUF_MainFiles {
public:
    // Builds the page's controls on its tab sheet (TS_SCF).
    TUF_MainFiles(TUF_Main& form, QWidget* sheet);

    TUF_Main& F;
    QWidget* TS_SCF;
};
