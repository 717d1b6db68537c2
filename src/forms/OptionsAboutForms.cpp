#include "OptionsAboutForms.h"

#include "UF_About.h"
#include "UF_Main.h"
#include "UF_Options.h"

namespace OptionsAboutForms {

TUF_About* CreateAboutForm()
{
    UF_About = new TUF_About;
    TUF_Main::FormLinks().ShowAbout = [] { UF_About->Execute(); };
    return UF_About;
}

void FreeAboutForm()
{
    TUF_Main::FormLinks().ShowAbout = nullptr;
    delete UF_About;
    UF_About = nullptr;
}

TUF_Options* CreateOptionsForm()
{
    UF_Options = new TUF_Options;
    TUF_Main::FormLinks().ShowOptions = [] {
        UF_Options->SnapshotUP();
        return UF_Options->exec();
    };
    UF_Options->SetPlacementApplier([](int index, const FormPlacement& p) {
        if (index != wmMain || !UF_Main)
            return;
        UF_Main->showNormal();
        UF_Main->setGeometry(p.bounds);
    });
    return UF_Options;
}

void FreeOptionsForm()
{
    TUF_Main::FormLinks().ShowOptions = nullptr;
    delete UF_Options;
    UF_Options = nullptr;
}

} // namespace OptionsAboutForms
