#include "UF_MainFiles.h"

#include "UF_Main.h"

TUF_MainFiles::TUF_MainFiles(TUF_Main& form, QWidget* sheet)
    : F(form)
    , TS_SCF(sheet)
{
}

void TUF_Main::ClearPage0()
{
}

void TUF_Main::EnablePage0(bool enabled)
{
    PageEnabled[0] = enabled;
}

void TUF_Main::LoadPage0()
{
}

void TUF_Main::UpdatePage0()
{
}

void TUF_Main::SavePage0()
{
}
