#include "UF_MainMap.h"

#include "UF_Main.h"

TUF_MainMap::TUF_MainMap(TUF_Main& form, QWidget* sheet)
    : F(form)
    , TS_DSM(sheet)
{
}

void TUF_Main::ClearPage2()
{
}

void TUF_Main::EnablePage2(bool enabled)
{
    PageEnabled[2] = enabled;
}

void TUF_Main::LoadPage2()
{
}

void TUF_Main::UpdatePage2()
{
}

void TUF_Main::SavePage2()
{
}

void TUF_Main::SetupSG_DSM()
{
}
