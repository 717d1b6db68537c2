#pragma once
// Page 3 of the main form: Data Source Filter. Its controls and handlers; the
// frame owns one (TUF_Main::Filter) and calls the protocol members that
// UF_MainFilter.cpp defines.
class QWidget;
class TUF_Main;

class TUF_MainFilter {
public:
    // Builds the page's controls on its tab sheet (TS_DSF).
    TUF_MainFilter(TUF_Main& form, QWidget* sheet);

    TUF_Main& F;
    QWidget* TS_DSF;
};
