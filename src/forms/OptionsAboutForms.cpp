#include "OptionsAboutForms.h"

#include "UF_About.h"
#include "UF_Main.h"
#include "UF_Options.h"

namespace OptionsAboutForms {
namespace {
template <class Form>
void freeForm(Form*& form)
{
    if (!form)
        return;
    TUF_Main::UnregisterModalForm(form);
    delete form;
    form = nullptr;
}
} // namespace

void CreateAboutForm()
{
    UF_About = new TUF_About;
    TUF_Main::RegisterModalForm(UF_About);
    TUF_Main::FormLinks().ShowAbout = [] { UF_About->Execute(); };
}

void CreateOptionsForm()
{
    UF_Options = new TUF_Options;
    TUF_Main::RegisterModalForm(UF_Options);
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
}

void FreeForms()
{
    TUF_Main::FormLinks().ShowOptions = nullptr;
    TUF_Main::FormLinks().ShowAbout = nullptr;
    freeForm(UF_Options);
    freeForm(UF_About);
}

} // namespace OptionsAboutForms
