#include "UF_MainProcess.h"

#include "UF_Main.h"

TUF_MainProcess::TUF_MainProcess(TUF_Main& form)
    : F(form)
{
}

void TUF_Main::XferData()
{
}

void TUF_Main::GoToCfgErr(int /*index*/)
{
}
