#pragma once
// Page 1 of the main form: S Curve Options. Its controls and handlers; the
// frame owns one (TUF_Main::Options) and calls the protocol members that
// UF_MainOptions.cpp defines.
class QWidget;
class TUF_Main;

class TUF_MainOptions {
public:
    // Builds the page's controls on its tab sheet (TS_SCO).
    TUF_MainOptions(TUF_Main& form, QWidget* sheet);

    TUF_Main& F;
    QWidget* TS_SCO;
};
