// The form list: one entry per form, in the order they are created. A form
// that another form's code reaches through the main form's hooks (Options,
// About) wires them in its entry.
#include "StartupForms.h"

#include "OptionsAboutForms.h"
#include "UF_About.h"
#include "UF_BrowseFld.h"
#include "UF_BrowseVal.h"
#include "UF_BrowseWS.h"
#include "UF_CfgErr.h"
#include "UF_Main.h"
#include "UF_Options.h"
#include "UF_Progress.h"
#include "UF_StdDlg.h"
#include "UF_Summary.h"

namespace Startup {

const std::vector<FormEntry>& FormList()
{
    static const std::vector<FormEntry> list = {
        // 1 the main form: the first, so the application's main window.
        {"UF_Main", 18, [] { return static_cast<QWidget*>(new TUF_Main()); },
         [](QWidget* w) { delete w; }, false},
        // 2 the About form.
        {"UF_About", 19, [] { return static_cast<QWidget*>(OptionsAboutForms::CreateAboutForm()); },
         [](QWidget*) { OptionsAboutForms::FreeAboutForm(); }},
        // 3..5 the three browse dialogs.
        {"UF_BrowseFld", 21, [] { return static_cast<QWidget*>(UF_BrowseFld = new TUF_BrowseFld()); },
         [](QWidget* w) { delete w; UF_BrowseFld = nullptr; }},
        {"UF_BrowseVal", 22, [] { return static_cast<QWidget*>(UF_BrowseVal = new TUF_BrowseVal()); },
         [](QWidget* w) { delete w; UF_BrowseVal = nullptr; }},
        {"UF_BrowseWS", 20, [] { return static_cast<QWidget*>(UF_BrowseWS = new TUF_BrowseWS()); },
         [](QWidget* w) { delete w; UF_BrowseWS = nullptr; }},
        // 6 the Configuration Errors form: owned by the main form, so it
        // stays above it without staying above other programs.
        {"UF_CfgErr", 23, [] { return static_cast<QWidget*>(new TUF_CfgErr(UF_Main)); },
         [](QWidget* w) { delete w; }},
        // 7 the Options dialog.
        {"UF_Options", 25, [] { return static_cast<QWidget*>(OptionsAboutForms::CreateOptionsForm()); },
         [](QWidget*) { OptionsAboutForms::FreeOptionsForm(); }},
        // 8 the progress form.
        {"UF_Progress", 26, [] { return static_cast<QWidget*>(UF_Progress = new TUF_Progress()); },
         [](QWidget* w) { delete w; UF_Progress = nullptr; }},
        // 9 the standard dialog.
        {"UF_StdDlg", 28, [] { return static_cast<QWidget*>(UF_StdDlg = new TUF_StdDlg()); },
         [](QWidget* w) { delete w; UF_StdDlg = nullptr; }},
        // 10 the Summary form.
        {"UF_Summary", 29, [] { return static_cast<QWidget*>(new TUF_Summary(UF_Main)); },
         [](QWidget* w) { delete w; }},
    };
    return list;
}

} // namespace Startup
