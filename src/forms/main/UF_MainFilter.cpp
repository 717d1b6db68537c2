#include "UF_MainFilter.h"

#include "UF_Main.h"

TUF_MainFilter::TUF_MainFilter(TUF_Main& form, QWidget* sheet)
    : F(form)
    , TS_DSF(sheet)
{
}

void TUF_Main::ClearPage3()
{
}

void TUF_Main::EnablePage3(bool enabled)
{
    PageEnabled[3] = enabled;
}

void TUF_Main::LoadPage3()
{
}

void TUF_Main::UpdatePage3(int /*row*/)
{
}

void TUF_Main::SavePage3()
{
}

void TUF_Main::SetupSG_DSF()
{
}
