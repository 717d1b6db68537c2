#include "UF_MainOptions.h"

#include "UF_Main.h"

TUF_MainOptions::TUF_MainOptions(TUF_Main& form, QWidget* sheet)
    : F(form)
    , TS_SCO(sheet)
{
}

void TUF_Main::ClearPage1()
{
}

void TUF_Main::EnablePage1(bool enabled)
{
    PageEnabled[1] = enabled;
}

void TUF_Main::LoadPage1()
{
}

void TUF_Main::UpdatePage1()
{
}

void TUF_Main::SavePage1()
{
}

void TUF_Main::SetupPreview()
{
}
