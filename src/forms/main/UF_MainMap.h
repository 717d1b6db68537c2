#pragma once
// Page 2 of the main form: Data Source Map. Its controls and handlers; the
// frame owns one (TUF_Main::Map) and calls the protocol members that
// UF_MainMap.cpp defines.
class QWidget;
class TUF_Main;

class TUF_MainMap {
public:
    // Builds the page's controls on its tab sheet (TS_DSM).
    TUF_MainMap(TUF_Main& form, QWidget* sheet);

    TUF_Main& F;
    QWidget* TS_DSM;
};
